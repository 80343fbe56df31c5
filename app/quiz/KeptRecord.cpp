#include "app/quiz/KeptRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "runtime/io/FileSystem.h"

namespace keptrecord {

namespace {

// Past this many kept records the directory is being filled on purpose; one more is not worth the search.
constexpr int MOST_KEPT = 1000;

std::string keptPath(const std::string& directory, int number) {
    return directory + "/refused-progress-" + std::to_string(number) + ".dat";
}

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

// Whether the file is a regular one that holds exactly the bytes, then flushed to the disk: a run
// killed before its own flush may have left it only in memory.
bool holdsExactly(const std::string& path, std::span<const signed char> bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool same = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<size_t>(info.st_size) == bytes.size();
    char part[4096];
    for (size_t done = 0; same && done < bytes.size();) {
        const ssize_t n = ::read(fd, part, std::min(sizeof part, bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        same = n > 0 && std::memcmp(part, bytes.data() + done, static_cast<size_t>(n)) == 0;
        if (same) done += static_cast<size_t>(n);
    }
    same = same && ::fsync(fd) == 0;
    ::close(fd);
    return same;
}

void tellKept(const std::string& path) {
    std::fprintf(stderr, "quiz: the saved progress that could not be used is kept in '%s'\n", path.c_str());
    std::fflush(stderr);
}

}  // namespace

Outcome keep(std::span<const signed char> bytes, std::string& whyNot) {
    const std::string directory = java::io::FileSystem::documentsDirectory();
    const auto failed = [&whyNot](const std::string& path) {
        whyNot = "the record it replaces, which could not be used, cannot be kept in '" + path + "': " + std::strerror(errno);
        return Outcome::Failed;
    };
    // Each replacement cut short would otherwise add one more copy of the same record.
    for (int number = 1; number <= MOST_KEPT; ++number)
        if (const std::string path = keptPath(directory, number); holdsExactly(path, bytes)) {
            if (!flushDirectory(directory)) return failed(path);
            tellKept(path);
            return Outcome::Kept;
        }
    for (int number = 1; number <= MOST_KEPT; ++number) {
        const std::string path = keptPath(directory, number);
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
        tellKept(path);
        return Outcome::Kept;
    }
    // The player's progress goes before one more refused record.
    std::fprintf(stderr,
                 "quiz: the saved progress that could not be used is not kept: '%s' to '%s' hold other records; "
                 "new progress replaces it\n",
                 keptPath(directory, 1).c_str(), keptPath(directory, MOST_KEPT).c_str());
    std::fflush(stderr);
    return Outcome::SetFull;
}

}  // namespace keptrecord
