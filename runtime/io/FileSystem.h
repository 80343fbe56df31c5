// The two directories that files name: the read-only bundle and the writable documents directory.
#pragma once

#include <string>
#include <string_view>

namespace java::io {

class FileSystem {
public:
    // Sets both directories at once. The documents directory (and its parents) is created when
    // missing. IOException with a message naming the path when either cannot be used; the
    // previous directories then stay in force.
    static void setDirectories(std::string_view bundleDirectory, std::string_view documentsDirectory);

    // Without a trailing "/"; empty until set.
    static std::string bundleDirectory();
    static std::string documentsDirectory();

    // A read-only descriptor of the file when it is a regular one, else -1. Opening never waits, as
    // opening a pipe with no writer or a device would.
    static int openRegularFile(const std::string& path);
};

}  // namespace java::io
