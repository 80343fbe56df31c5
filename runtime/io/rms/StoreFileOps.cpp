#include "runtime/io/rms/StoreFileOps.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "runtime/io/FileSystem.h"

namespace javax::microedition::rms {

namespace {

int openForWriting(const char* path) { return java::io::FileSystem::createOwnFile(path); }

int flushDirectory(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    errno = error;
    return result;
}

const StoreFileOps systemOps{openForWriting, ::write, ::fsync, ::close, std::rename, flushDirectory};

StoreFileOps currentOps = systemOps;

}  // namespace

StoreFileOps& storeFileOps() { return currentOps; }

const StoreFileOps& systemStoreFileOps() { return systemOps; }

}  // namespace javax::microedition::rms
