// Build step: writes the application bundle beside the program, or the art's contact sheets.
// Usage: lexivo-bundle --manifest FILE --assets DIR --questions DIR --out DIR
//        lexivo-bundle --sheets DIR
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <map>
#include <string>

#include "tools/bundle/BundleBuilder.h"
#include "tools/bundle/ContactSheet.h"

int main(int argc, char** argv) {
    std::map<std::string, std::string> options;
    for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
    if (argc % 2 == 0 || (!options.count("--sheets") && (!options.count("--manifest") || !options.count("--assets") ||
                                                          !options.count("--questions") || !options.count("--out")))) {
        std::fprintf(stderr,
                     "usage: lexivo-bundle --manifest FILE --assets DIR --questions DIR --out DIR\n"
                     "       lexivo-bundle --sheets DIR\n");
        return 2;
    }
    try {
        if (options.count("--sheets")) {
            for (int scale : {1, 2}) {
                const std::string path = options["--sheets"] + "/contact-sheet@" + std::to_string(scale) + "x.png";
                const auto bytes = bundle::contactSheet(scale);
                std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                            static_cast<std::streamsize>(bytes.size()));
                std::printf("%s\n", path.c_str());
            }
            return 0;
        }
        const auto start = std::chrono::steady_clock::now();
        const bundle::BundleFiles files =
            bundle::buildBundle({options["--manifest"], options["--assets"], options["--questions"]});
        bundle::writeBundle(files, options["--out"]);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        std::printf("lexivo-bundle: %zu files in %lld ms\n", files.size(), static_cast<long long>(ms));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lexivo-bundle: %s\n", error.what());
        return 1;
    }
    return 0;
}
