// FileSystem's whole-file operations: reading opens without waiting and sizes before it reads;
// creating removes whatever stands at the name instead of opening it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "runtime/io/FileSystem.h"

namespace java::io {

namespace {

using Refusal = FileRead::Refusal;

FileRead refused(Refusal refusal, std::string whyNot, int64_t size = -1) {
    FileRead file;
    file.refusal = refusal;
    file.whyNot = std::move(whyNot);
    file.size = size;
    return file;
}

// Non-blocking, as opening a pipe would wait for a writer; the descriptor stays open in fd only
// when the file is not refused.
FileRead openSized(const std::string& path, int64_t maxBytes, int& fd) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return refused(Refusal::CannotOpen, std::strerror(errno));
    struct stat info {};
    FileRead file;
    if (::fstat(fd, &info) != 0) file = refused(Refusal::CannotRead, std::strerror(errno));
    else if (!S_ISREG(info.st_mode)) file = refused(Refusal::NotRegular, "not a regular file");
    else if (info.st_size > maxBytes)
        file = refused(Refusal::TooLarge, "larger than " + std::to_string(maxBytes) + " bytes", info.st_size);
    else file.size = info.st_size;
    if (!file) {
        ::close(fd);
        fd = -1;
    }
    return file;
}

}  // namespace

int FileSystem::openRegularFile(const std::string& path) {
    int fd = -1;
    openSized(path, std::numeric_limits<int64_t>::max(), fd);
    if (fd >= 0 && ::fcntl(fd, F_SETFL, 0) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

FileRead FileSystem::sizeRegularFile(const std::string& path, int64_t maxBytes) {
    int fd = -1;
    FileRead file = openSized(path, maxBytes, fd);
    if (fd >= 0) ::close(fd);
    return file;
}

FileRead FileSystem::readRegularFile(const std::string& path, int64_t maxBytes) {
    int fd = -1;
    FileRead file = openSized(path, maxBytes, fd);
    if (fd < 0) return file;
    file.bytes.resize(static_cast<size_t>(file.size));
    size_t done = 0;
    int error = 0;
    while (done < file.bytes.size() && error == 0) {
        const ssize_t got = ::read(fd, file.bytes.data() + done, file.bytes.size() - done);
        if (got < 0 && errno != EINTR) error = errno;
        if (got == 0) break;
        if (got > 0) done += static_cast<size_t>(got);
    }
    ::close(fd);
    if (error != 0) return refused(Refusal::CannotRead, std::strerror(error), file.size);
    file.bytes.resize(done);
    return file;
}

int FileSystem::createOwnFile(const std::string& path) {
    // With the name free, O_EXCL creates the file afresh: such an open never follows a link, nor
    // opens, and so never waits on, a pipe or a device.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        const int unlinkError = errno;
        // Linux answers EISDIR for a directory, POSIX EPERM.
        if ((unlinkError != EISDIR && unlinkError != EPERM) || ::rmdir(path.c_str()) != 0) {
            if (errno == ENOTDIR) errno = unlinkError;
            return -1;
        }
    }
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
}

}  // namespace java::io
