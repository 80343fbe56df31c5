#include "app/quiz/KeptRecord.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "runtime/io/FileSystem.h"

namespace keptrecord {

namespace {

// Past this many kept records the directory is being filled on purpose; one more is not worth the search.
constexpr int MOST_KEPT = 1000;

bool writeWhole(int fd, std::span<const signed char> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The file's name in the directory must last too: a save replaces the record right after.
bool flushDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed;
}

}  // namespace

bool keep(std::span<const signed char> bytes, std::string& whyNot) {
    const std::string directory = java::io::FileSystem::documentsDirectory();
    const auto failed = [&whyNot](const std::string& path) {
        whyNot = "the record it replaces, which could not be used, cannot be kept in '" + path + "': " + std::strerror(errno);
        return false;
    };
    for (int number = 1; number <= MOST_KEPT; ++number) {
        const std::string path = directory + "/refused-progress-" + std::to_string(number) + ".dat";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return failed(path);
        if (!writeWhole(fd, bytes) || ::fsync(fd) != 0) {
            const int error = errno;
            ::close(fd);
            ::unlink(path.c_str());
            errno = error;
            return failed(path);
        }
        if (::close(fd) != 0 || !flushDirectory(directory)) return failed(path);
        std::fprintf(stderr, "quiz: the saved progress that could not be used is kept in '%s'\n", path.c_str());
        std::fflush(stderr);
        return true;
    }
    errno = EEXIST;
    return failed(directory + "/refused-progress-" + std::to_string(MOST_KEPT) + ".dat");
}

}  // namespace keptrecord
