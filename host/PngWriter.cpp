#include "host/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

struct PngWrite {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

}  // namespace

void writePng(const std::string& path, const platform::Frame& frame) {
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.pixels.size() < static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height))
        throw std::runtime_error("cannot write '" + path + "': the frame is empty");
    std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) throw std::runtime_error("cannot write '" + path + "'");

    // Rows are converted before libpng starts, so nothing but libpng's own calls sits between
    // setjmp and a long jump.
    std::vector<std::vector<png_byte>> rows(static_cast<size_t>(frame.height));
    std::vector<png_bytep> rowPointers(rows.size());
    for (int32_t y = 0; y < frame.height; ++y) {
        std::vector<png_byte>& row = rows[static_cast<size_t>(y)];
        row.resize(static_cast<size_t>(frame.width) * 3);
        const uint32_t* source = frame.pixels.data() + static_cast<size_t>(y) * frame.width;
        for (int32_t x = 0; x < frame.width; ++x) {
            // The pixel word: red in the low byte, then green, then blue.
            row[x * 3 + 0] = static_cast<png_byte>(source[x]);
            row[x * 3 + 1] = static_cast<png_byte>(source[x] >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(source[x] >> 16);
        }
        rowPointers[static_cast<size_t>(y)] = row.data();
    }

    PngWrite write;
    write.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!write.png) throw std::runtime_error("cannot write '" + path + "': out of memory");
    write.info = png_create_info_struct(write.png);
    if (!write.info) throw std::runtime_error("cannot write '" + path + "': out of memory");
    if (setjmp(png_jmpbuf(write.png))) throw std::runtime_error("cannot write '" + path + "'");
    png_init_io(write.png, file.get());
    png_set_IHDR(write.png, write.info, static_cast<png_uint_32>(frame.width), static_cast<png_uint_32>(frame.height),
                 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(write.png, write.info);
    png_write_image(write.png, rowPointers.data());
    png_write_end(write.png, nullptr);
    if (std::fflush(file.get()) != 0) throw std::runtime_error("cannot write '" + path + "'");
}
