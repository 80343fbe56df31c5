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
#include "app/quiz/TopicsFile.h"
#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/text/String.h"

namespace {

// The whole file, or nothing with the reason.
std::optional<std::vector<char>> readFile(const std::string& path, std::string& whyNot) {
    whyNot.clear();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        whyNot = std::strerror(errno);
        return std::nullopt;
    }
    // Opening a pipe waits for a writer; non-blocking too, in case the file is swapped meanwhile.
    const int fd = S_ISREG(info.st_mode) ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1;
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        whyNot = S_ISREG(info.st_mode) && fd < 0 ? std::strerror(errno) : "not a regular file";
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

std::string damage(const std::string& bundleDirectory, const std::string& file, const std::string& why) {
    return "the bundle '" + bundleDirectory + "' has a damaged '" + file + "' (" + why + ")";
}

JavaPtr<JArray<signed char>> javaBytes(const std::vector<char>& bytes) {
    auto copy = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(bytes.size()));
    // An empty file's vector has no storage to copy from.
    if (!bytes.empty()) std::memcpy(copy->data, bytes.data(), bytes.size());
    return copy;
}

std::string messageOf(java::io::IOException& damaged) {
    const JavaPtr<java::lang::String> message = damaged.getMessage();
    return message ? java::io::toUtf8(message->view()) : "damaged";
}

}  // namespace

std::string firstUnusableQuizFile(const std::string& bundleDirectory) {
    const auto pathOf = [&](const std::string& file) { return bundleDirectory + "/" + file; };
    std::string whyNot;
    const std::optional<std::vector<char>> map = readFile(pathOf("resmap"), whyNot);
    if (!map) return refusal(bundleDirectory, "resmap", whyNot);
    ResourceHandler resources;
    try {
        resources.readResourceMap(javaBytes(*map));
    } catch (java::io::IOException& damaged) {
        return damage(bundleDirectory, "resmap", messageOf(damaged));
    }
    // A map of zeros decodes to no packs and no resources: the splash would wait for ever.
    if (resources.res_block_mappings->length == 0)
        return damage(bundleDirectory, "resmap", "the resource map holds no resource");
    for (const ResourceHandler::BundleFile& file : resources.bundleFiles()) {
        const std::optional<std::vector<char>> bytes = readFile(pathOf(file.name), whyNot);
        if (!bytes) return refusal(bundleDirectory, file.name, whyNot);
        if (static_cast<int64_t>(bytes->size()) < file.leastLength)
            return damage(bundleDirectory, file.name,
                          "holds " + std::to_string(bytes->size()) + " bytes where its blocks need " +
                              std::to_string(file.leastLength));
    }
    const std::string testFile = java::io::toUtf8(QuestionDatabase::testFileName()->view());
    for (const std::string& file : {std::string("topics.dat"), testFile}) {
        const std::optional<std::vector<char>> bytes = readFile(pathOf(file), whyNot);
        if (!bytes) return refusal(bundleDirectory, file, whyNot);
        try {
            if (file == testFile) QuestionDatabase().load(javaBytes(*bytes));
            else TopicsFile().read(javaBytes(*bytes));
        } catch (java::io::IOException& damaged) {
            return damage(bundleDirectory, file, messageOf(damaged));
        }
    }
    return {};
}
