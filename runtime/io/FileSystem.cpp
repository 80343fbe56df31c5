#include "runtime/io/FileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"

namespace java::io {

namespace {

std::mutex directoriesLock;
std::string bundlePath;
std::string documentsPath;

// "/" itself stays, so that an empty path always means "not set".
std::string withoutTrailingSlash(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    return std::string(path);
}

[[noreturn]] void fail(const std::string& what, const std::string& path, int error) {
    const std::string message = what + " '" + path + "': " + std::strerror(error);
    throw IOException(stringFromUtf8(message));
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void createDirectories(const std::string& path) {
    if (isDirectory(path)) return;
    const size_t parentEnd = path.rfind('/');
    if (parentEnd != std::string::npos && parentEnd > 0) createDirectories(path.substr(0, parentEnd));
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) fail("cannot create documents directory", path, errno);
    if (!isDirectory(path)) fail("documents path is not a directory", path, ENOTDIR);
}

}  // namespace

void FileSystem::setDirectories(std::string_view bundleDirectory, std::string_view documentsDirectory) {
    std::string bundle = withoutTrailingSlash(bundleDirectory);
    std::string documents = withoutTrailingSlash(documentsDirectory);
    if (bundleDirectory.empty()) fail("bundle directory is not set", "", EINVAL);
    if (documentsDirectory.empty()) fail("documents directory is not set", "", EINVAL);
    if (struct stat info {}; ::stat(bundle.c_str(), &info) != 0)
        fail("bundle directory is unusable", std::string(bundleDirectory), errno);
    if (!isDirectory(bundle)) fail("bundle directory is unusable", std::string(bundleDirectory), ENOTDIR);
    createDirectories(documents);
    if (::access(documents.c_str(), R_OK | W_OK | X_OK) != 0)
        fail("documents directory is not writable", std::string(documentsDirectory), errno);

    std::lock_guard<std::mutex> guard(directoriesLock);
    bundlePath = std::move(bundle);
    documentsPath = std::move(documents);
}

std::string FileSystem::bundleDirectory() {
    std::lock_guard<std::mutex> guard(directoriesLock);
    return bundlePath;
}

std::string FileSystem::documentsDirectory() {
    std::lock_guard<std::mutex> guard(directoriesLock);
    return documentsPath;
}

}  // namespace java::io
