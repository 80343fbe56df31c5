// An input stream over a whole file; opening never throws, its owner asks whether it opened.
#pragma once

#include <cstdio>

#include "runtime/io/InputStream.h"

namespace java::io {

class File;

class FileInputStream : public InputStream {
    JAVA_CLASS(FileInputStream, "java.io.FileInputStream", InputStream)
public:
    FileInputStream() = default;
    explicit FileInputStream(const JavaPtr<File>& file) { WENDinvokeconstructor(file); }
    ~FileInputStream() override;
    // Opens only regular files no larger than the largest array; a directory, a missing file or a
    // larger one leaves the stream unopened.
    void WENDinvokeconstructor(const JavaPtr<File>& file);

    bool isOpened() const { return m_file != nullptr; }

    // The file size minus the position; 0 when unopened or closed.
    int32_t available() override;
    void close() override;
    int32_t read() override;
    using InputStream::read;
    int32_t read(const JavaPtr<JArray<signed char>>& b, int32_t off, int32_t len) override;
    int64_t skip(int64_t n) override;

private:
    std::FILE* m_file = nullptr;
    int64_t m_size = 0;
    int64_t m_position = 0;
};

}  // namespace java::io
