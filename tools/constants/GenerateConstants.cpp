// Build step: reads the constant table and writes the constants header and the resource manifest.
// Usage: generate-constants TABLE HEADER MANIFEST
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/constants/ConstantTable.h"

namespace {

bool writeFile(const char* path, const std::string& text) {
    // Written only when changed, so that an unchanged table recompiles nothing.
    std::ifstream existing(path, std::ios::binary);
    std::ostringstream old;
    old << existing.rdbuf();
    if (existing && old.str() == text) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: generate-constants TABLE HEADER MANIFEST\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "generate-constants: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        const std::vector<constants::Constant> table = constants::parseTable(text.str());
        if (!writeFile(argv[2], constants::writeHeader(table, "app/framework/AppConstants.table")) ||
            !writeFile(argv[3], constants::writeManifest(table))) {
            std::fprintf(stderr, "generate-constants: cannot write the outputs\n");
            return 1;
        }
    } catch (const constants::TableError& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}
