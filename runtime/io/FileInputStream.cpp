#include "runtime/io/FileInputStream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>

#include "runtime/io/File.h"
#include "runtime/io/FileSystem.h"
#include "runtime/lang/System.h"

namespace java::io {

FileInputStream::~FileInputStream() { close(); }

void FileInputStream::WENDinvokeconstructor(const JavaPtr<File>& file) {
    close();
    const std::string& path = file->nativePath();
    if (path.empty()) return;
    const int fd = FileSystem::openRegularFile(path);
    if (fd < 0) return;
    struct stat info {};
    // Larger than any array: available() could not count it, nor could a reader hold it.
    const bool countable = ::fstat(fd, &info) == 0 && info.st_size <= std::numeric_limits<int32_t>::max();
    std::FILE* opened = countable ? ::fdopen(fd, "rb") : nullptr;
    if (!opened) {
        ::close(fd);
        return;
    }
    m_file = opened;
    m_size = info.st_size;
    m_position = 0;
}

int32_t FileInputStream::available() {
    if (!m_file) return 0;
    return static_cast<int32_t>(std::max<int64_t>(m_size - m_position, 0));
}

void FileInputStream::close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
}

int32_t FileInputStream::read() {
    if (!m_file) return -1;
    const int c = std::fgetc(m_file);
    if (c == EOF) return -1;
    ++m_position;
    return c;
}

int32_t FileInputStream::read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) {
    java::lang::checkArrayRange(b->length, off, len);
    if (!m_file) return -1;
    if (len == 0) return 0;
    const size_t n = std::fread(b->data + off, 1, static_cast<size_t>(len), m_file);
    if (n == 0) return -1;
    m_position += static_cast<int64_t>(n);
    return static_cast<int32_t>(n);
}

int64_t FileInputStream::skip(int64_t n) {
    if (!m_file || n <= 0) return 0;
    const int64_t step = std::min(n, std::max<int64_t>(m_size - m_position, 0));
    if (std::fseek(m_file, static_cast<long>(m_position + step), SEEK_SET) != 0) return 0;
    m_position += step;
    return step;
}

}  // namespace java::io
