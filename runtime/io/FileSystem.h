// The two directories that files name, the read-only bundle and the writable documents directory,
// and the one way every whole file of either is opened, read or written afresh.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace java::io {

// A regular file sized, or read whole; on refusal, no bytes and why.
struct FileRead {
    enum class Refusal { None, CannotOpen, NotRegular, TooLarge, CannotRead };
    Refusal refusal = Refusal::None;
    std::string whyNot;  // a few words: the system's reason, "not a regular file" or "larger than N bytes"
    int64_t size = -1;   // as found on opening; -1 when it was not
    // Fewer than size when the file shrank while it was read; the readers' own checks then refuse it.
    std::vector<uint8_t> bytes;
    explicit operator bool() const { return refusal == Refusal::None; }
};

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
    // Opened as openRegularFile opens it and sized; a file larger than maxBytes is refused before
    // a byte of it is read, so that no file is read without bound.
    static FileRead sizeRegularFile(const std::string& path, int64_t maxBytes);
    // The same, then every byte of it.
    static FileRead readRegularFile(const std::string& path, int64_t maxBytes);
    // A write-only descriptor of a new, empty regular file at the path, which is the program's own:
    // whatever stood there (a file, a link, a pipe, a device, an empty directory) is removed first,
    // never followed or opened. -1 with errno set when it cannot be removed or the file created.
    static int createOwnFile(const std::string& path);
};

}  // namespace java::io
