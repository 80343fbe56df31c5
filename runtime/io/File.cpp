#include "runtime/io/File.h"

#include <sys/stat.h>

#include "runtime/io/FileSystem.h"
#include "runtime/io/Utf8.h"
#include "runtime/text/String.h"

namespace java::io {

std::string File::pathOf(std::u16string_view name) {
    constexpr std::u16string_view png = u".png";
    const bool inBundle = !name.empty() && name.front() == u'/';
    const std::string directory = inBundle ? FileSystem::bundleDirectory() : FileSystem::documentsDirectory();
    if (directory.empty()) return {};
    std::string path = directory + (inBundle ? "" : "/") + toUtf8(name);
    if (name.ends_with(png)) path.replace(path.size() - png.size(), 1, "_");
    return path;
}

void File::WENDinvokeconstructor(const JavaPtr<java::lang::String>& name) { m_path = pathOf(name->view()); }

int64_t File::length() {
    struct stat info {};
    if (m_path.empty() || ::stat(m_path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return info.st_size;
}

}  // namespace java::io
