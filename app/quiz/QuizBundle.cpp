#include "app/quiz/QuizBundle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "app/framework/ResourceHandler.h"
#include "app/quiz/QuestionDatabase.h"
#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/text/String.h"

namespace {

// The whole file, or nothing with the reason.
std::optional<std::vector<char>> readFile(const std::string& path, std::string& whyNot) {
    whyNot.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        whyNot = fd < 0 ? std::strerror(errno) : "not a regular file";
        if (fd >= 0) ::close(fd);
        return std::nullopt;
    }
    std::vector<char> bytes;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) whyNot = std::strerror(errno);
        if (got <= 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    ::close(fd);
    if (!whyNot.empty()) return std::nullopt;
    return bytes;
}

std::string refusal(const std::string& bundleDirectory, const std::string& file, const std::string& why) {
    return "the bundle '" + bundleDirectory + "' has no readable '" + file + "' (" + why + ")";
}

}  // namespace

std::string firstMissingQuizFile(const std::string& bundleDirectory) {
    const auto pathOf = [&](const std::string& file) { return bundleDirectory + "/" + file; };
    std::string whyNot;
    const std::optional<std::vector<char>> map = readFile(pathOf("resmap"), whyNot);
    if (!map) return refusal(bundleDirectory, "resmap", whyNot);
    ResourceHandler resources;
    try {
        auto bytes = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(map->size()));
        std::memcpy(bytes->data, map->data(), map->size());
        resources.readResourceMap(bytes);
    } catch (java::io::IOException& damaged) {
        const JavaPtr<java::lang::String> message = damaged.getMessage();
        return refusal(bundleDirectory, "resmap", message ? java::io::toUtf8(message->view()) : "damaged");
    }
    std::vector<std::string> files = resources.bundleFiles();
    files.push_back("topics.dat");
    files.push_back(java::io::toUtf8(QuestionDatabase::testFileName()->view()));
    for (const std::string& file : files)
        if (!readFile(pathOf(file), whyNot)) return refusal(bundleDirectory, file, whyNot);
    return {};
}
