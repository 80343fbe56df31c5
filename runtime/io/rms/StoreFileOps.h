// The system calls that save a store file, in a table tests can replace to make any step fail.
// Each entry reports failure as the call does: -1 with errno set.
#pragma once

#include <sys/types.h>

namespace javax::microedition::rms {

struct StoreFileOps {
    int (*openForWriting)(const char* path);  // created afresh, as FileSystem::createOwnFile creates
    ssize_t (*write)(int fd, const void* bytes, size_t count);
    int (*flush)(int fd);  // to the disk, not only to the kernel
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*flushDirectory)(const char* path);
};

// The table every save goes through.
StoreFileOps& storeFileOps();
const StoreFileOps& systemStoreFileOps();

}  // namespace javax::microedition::rms
