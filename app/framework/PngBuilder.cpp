#include "app/framework/PngBuilder.h"

#include <zlib.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "app/framework/HookCanvas.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Image.h"

using javax::microedition::lcdui::Image;

namespace {

using Bytes = std::vector<uint8_t>;

void put32(uint8_t*& out, uint32_t v) {
    *out++ = static_cast<uint8_t>(v >> 24);
    *out++ = static_cast<uint8_t>(v >> 16);
    *out++ = static_cast<uint8_t>(v >> 8);
    *out++ = static_cast<uint8_t>(v);
}

const uint8_t* bytesOf(const JavaPtr<JArray<signed char>>& array) {
    return array ? reinterpret_cast<const uint8_t*>(array->data) : nullptr;
}

int64_t lengthOf(const JavaPtr<JArray<signed char>>& array) { return array ? array->length : 0; }

// Whether a file gets its CRCs and Adler-32. Only a file that goes straight into the decoder, which
// is then told not to check them, and that nobody else ever sees, goes without (its sums are 0).
enum class Sums { WRITTEN, LEFT_OUT };

// Writes one chunk's length, type and data (data filled by the caller) and its CRC.
class ChunkWriter {
public:
    ChunkWriter(uint8_t*& out, Sums sums) : m_out(out), m_sums(sums) {}
    uint8_t* begin(const char* type, uint32_t length) {
        put32(m_out, length);
        m_typeAt = m_out;
        for (int i = 0; i < 4; ++i) *m_out++ = static_cast<uint8_t>(type[i]);
        m_length = length;
        return m_out;
    }
    void end() {
        m_out += m_length;
        put32(m_out, m_sums == Sums::WRITTEN ? static_cast<uint32_t>(crc32(0, m_typeAt, static_cast<uInt>(m_length + 4)))
                                             : 0);
    }

private:
    uint8_t*& m_out;
    Sums m_sums;
    uint8_t* m_typeAt = nullptr;
    uint32_t m_length = 0;
};

struct StreamShape {
    int64_t filteredRow;  // R + 1
    int64_t data;         // D
    int64_t block;        // B
    int64_t blocks;
    int64_t length() const { return data + 6 + 5 * blocks; }
};

StreamShape streamShape(int64_t rowBytes, int64_t height) {
    StreamShape shape{rowBytes + 1, (rowBytes + 1) * height, PngBuilder::blockBytes(rowBytes + 1), 0};
    // An empty image still ends its stream with one (empty) final block.
    shape.blocks = std::max<int64_t>(1, (shape.data + shape.block - 1) / shape.block);
    return shape;
}

// The zlib stream of stored blocks; row(r, out) writes the r-th row without its filter byte. A row
// that fits the rest of its block is written in place, so each byte is written once; only rows
// longer than a block go through a row buffer.
template <class RowWriter>
void writeStream(uint8_t* out, const StreamShape& shape, int64_t height, Sums sums, RowWriter row) {
    *out++ = 0x78;
    *out++ = 0xDA;
    uint32_t adler = static_cast<uint32_t>(adler32(0, nullptr, 0));
    const auto sum = [&](const uint8_t* from, int64_t n) {
        if (sums == Sums::WRITTEN) adler = static_cast<uint32_t>(adler32(adler, from, static_cast<uInt>(n)));
    };
    Bytes filtered;
    int64_t left = shape.data, rowsDone = 0, inRow = shape.filteredRow;
    for (int64_t b = 0; b < shape.blocks; ++b) {
        const int64_t size = std::min(left, shape.block);
        left -= size;
        *out++ = left == 0 ? 1 : 0;
        *out++ = static_cast<uint8_t>(size);
        *out++ = static_cast<uint8_t>(size >> 8);
        *out++ = static_cast<uint8_t>(~size);
        *out++ = static_cast<uint8_t>(~size >> 8);
        for (int64_t done = 0; done < size;) {
            if (inRow == shape.filteredRow && size - done >= shape.filteredRow) {
                *out = 0;
                row(rowsDone++, out + 1);
                sum(out, shape.filteredRow);
                out += shape.filteredRow, done += shape.filteredRow;
                continue;
            }
            if (inRow == shape.filteredRow) {
                filtered.resize(static_cast<size_t>(shape.filteredRow));
                filtered[0] = 0;
                row(rowsDone++, filtered.data() + 1);
                inRow = 0;
            }
            const int64_t n = std::min(size - done, shape.filteredRow - inRow);
            std::copy_n(filtered.data() + inRow, n, out);
            sum(out, n);
            out += n, done += n, inRow += n;
        }
    }
    put32(out, sums == Sums::WRITTEN ? adler : 0);
}

void checkLength(int64_t length) {
    if (length > INT32_MAX) throw java::lang::IllegalArgumentException("image too large for an in-memory PNG");
}

uint8_t* writeHeader(uint8_t* out, int32_t width, int32_t height, int32_t bitDepth, int32_t colourType, Sums sums) {
    for (const uint8_t b : {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}) *out++ = b;
    ChunkWriter chunk(out, sums);
    uint8_t* data = chunk.begin("IHDR", 13);
    put32(data, static_cast<uint32_t>(width));
    put32(data, static_cast<uint32_t>(height));
    *data++ = static_cast<uint8_t>(bitDepth);
    *data++ = static_cast<uint8_t>(colourType);
    *data++ = 0, *data++ = 0, *data++ = 0;
    chunk.end();
    return out;
}

void writeEnd(uint8_t* out) {
    static constexpr uint8_t end[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    for (const uint8_t b : end) *out++ = b;
}

void checkSizes(int32_t width, int32_t height) {
    if (width < 0 || height < 0) throw java::lang::IllegalArgumentException("negative image size");
}

// A palette file whose arguments have been checked, and the writer of its bytes.
struct PaletteFile {
    int32_t width, height, bitDepth;
    const uint8_t* entries;
    int64_t colours;
    const uint8_t* source;
    bool readyStream;
    int64_t rowBytes;
    StreamShape shape;
    int64_t streamLength;

    int64_t length() const { return 81 + 4 * colours + streamLength; }
    void write(uint8_t* out, Sums sums) const {
        out = writeHeader(out, width, height, bitDepth, 3, sums);
        ChunkWriter chunk(out, sums);
        uint8_t* data = chunk.begin("PLTE", static_cast<uint32_t>(3 * colours));
        for (int64_t c = 0; c < colours; ++c)
            for (int i = 1; i < 4; ++i) *data++ = entries[4 * c + i];
        chunk.end();
        data = chunk.begin("tRNS", static_cast<uint32_t>(colours));
        for (int64_t c = 0; c < colours; ++c) *data++ = entries[4 * c];
        chunk.end();
        data = chunk.begin("IDAT", static_cast<uint32_t>(streamLength));
        if (readyStream) {
            std::copy_n(source, streamLength, data);
        } else {
            writeStream(data, shape, height, sums,
                        [&](int64_t r, uint8_t* row) { std::copy_n(source + rowBytes * r, rowBytes, row); });
        }
        chunk.end();
        writeEnd(out);
    }
};

PaletteFile paletteFile(int32_t width, int32_t height, int32_t bitDepth, const JavaPtr<JArray<signed char>>& palette,
                        const JavaPtr<JArray<signed char>>& indices, bool readyStream) {
    checkSizes(width, height);
    if (bitDepth != 1 && bitDepth != 2 && bitDepth != 4 && bitDepth != 8)
        throw java::lang::IllegalArgumentException("palette PNG bit depth must be 1, 2, 4 or 8");
    const int64_t colours = lengthOf(palette) / 4;
    if (colours > 256) throw java::lang::IllegalArgumentException("a PNG palette holds at most 256 colours");
    const int64_t rowBytes = (int64_t{width} * bitDepth + 7) / 8;
    const StreamShape shape = streamShape(rowBytes, height);
    if (!readyStream && lengthOf(indices) < rowBytes * height)
        throw java::lang::IllegalArgumentException("fewer palette indices than the image has pixels");
    PaletteFile file{width,   height, bitDepth, bytesOf(palette), colours, bytesOf(indices), readyStream, rowBytes,
                     shape,   readyStream ? lengthOf(indices) : shape.length()};
    checkLength(file.length());
    return file;
}

// A colour file whose arguments have been checked, and the writer of its bytes.
struct ColourFile {
    int32_t width, height;
    const uint8_t* source;  // alpha, red, green, blue
    bool alpha;
    StreamShape shape;

    int64_t length() const { return 57 + shape.length(); }
    void write(uint8_t* out, Sums sums) const {
        out = writeHeader(out, width, height, 8, alpha ? 6 : 2, sums);
        ChunkWriter chunk(out, sums);
        uint8_t* data = chunk.begin("IDAT", static_cast<uint32_t>(shape.length()));
        writeStream(data, shape, height, sums, [&](int64_t r, uint8_t* row) {
            const uint8_t* pixel = source + 4 * int64_t{width} * r;
            // Two loops rather than a test per pixel, so that each becomes a plain byte shuffle.
            if (alpha) {
                for (int32_t x = 0; x < width; ++x, pixel += 4, row += 4)
                    row[0] = pixel[1], row[1] = pixel[2], row[2] = pixel[3], row[3] = pixel[0];
            } else {
                for (int32_t x = 0; x < width; ++x, pixel += 4, row += 3)
                    row[0] = pixel[1], row[1] = pixel[2], row[2] = pixel[3];
            }
        });
        chunk.end();
        writeEnd(out);
    }
};

ColourFile colourFile(int32_t width, int32_t height, const JavaPtr<JArray<signed char>>& colours) {
    checkSizes(width, height);
    const int64_t pixels = int64_t{width} * height;
    if (lengthOf(colours) < 4 * pixels)
        throw java::lang::IllegalArgumentException("fewer colour bytes than the image has pixels");
    const uint8_t* source = bytesOf(colours);
    bool alpha = false;
    for (int64_t p = 0; p < pixels && !alpha; ++p) alpha = source[4 * p] != 0xFF;
    ColourFile file{width, height, source, alpha, streamShape(width * (alpha ? 4 : 3), height)};
    checkLength(file.length());
    return file;
}

template <class File>
JavaPtr<JArray<signed char>> byteArrayOf(const File& file) {
    auto bytes = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(file.length()));
    file.write(reinterpret_cast<uint8_t*>(bytes->data), Sums::WRITTEN);
    return bytes;
}

// The file goes from this buffer straight into the decoder and is dropped: it needs no sums.
template <class File>
JavaPtr<Image> imageOf(const File& file) {
    const auto length = static_cast<size_t>(file.length());
    const std::unique_ptr<uint8_t[]> bytes(new uint8_t[length]);
    file.write(bytes.get(), Sums::LEFT_OUT);
    return Image::decodeBuiltPNG({bytes.get(), length});
}

}  // namespace

int64_t PngBuilder::blockBytes(int64_t filteredRow) {
    return filteredRow <= 64000 ? filteredRow * (64000 / filteredRow) : 64000;
}

JavaPtr<JArray<signed char>> PngBuilder::pngCreateByteArray(int32_t width, int32_t height, int32_t bitDepth,
                                                            const JavaPtr<JArray<signed char>>& palette,
                                                            const JavaPtr<JArray<signed char>>& indices,
                                                            bool readyStream) {
    return byteArrayOf(paletteFile(width, height, bitDepth, palette, indices, readyStream));
}

JavaPtr<JArray<signed char>> PngBuilder::pngCreateByteArray(int32_t width, int32_t height,
                                                            const JavaPtr<JArray<signed char>>& colours) {
    return byteArrayOf(colourFile(width, height, colours));
}

JavaPtr<Image> PngBuilder::pngCreateImage(int32_t width, int32_t height, int32_t bitDepth,
                                          const JavaPtr<JArray<signed char>>& palette,
                                          const JavaPtr<JArray<signed char>>& indices, bool readyStream) {
    // A ready stream comes from outside, as its Adler-32 does: that file is checked in full.
    if (readyStream) {
        const auto png = pngCreateByteArray(width, height, bitDepth, palette, indices, readyStream);
        return Image::createImage(png, 0, png->length);
    }
    return imageOf(paletteFile(width, height, bitDepth, palette, indices, false));
}

JavaPtr<Image> PngBuilder::pngCreateImage(int32_t width, int32_t height, const JavaPtr<JArray<signed char>>& colours) {
    return imageOf(colourFile(width, height, colours));
}

namespace {

// The table is built once by whichever thread first needs it, and read by others meanwhile.
std::mutex crcTableLock;

void checkRange(const JavaPtr<JArray<signed char>>& data, int64_t start, int64_t end) {
    if (start < 0 || end > lengthOf(data) || start > end) throw java::lang::ArrayIndexOutOfBoundsException();
}

}  // namespace

void PngBuilder::pngCalcCrcTable() {
    std::lock_guard guard(crcTableLock);
    if (HookCanvas::crc_table) return;
    auto table = java::lang::jnew<JArray<int32_t>>(256);
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table->data[i] = static_cast<int32_t>(c);
    }
    HookCanvas::crc_table = table;
}

int32_t PngBuilder::pngCalcCrc(const JavaPtr<JArray<signed char>>& data, int32_t end, int32_t length) {
    if (length <= 0) return 0;
    checkRange(data, int64_t{end} - length, end);
    pngCalcCrcTable();
    JavaPtr<JArray<int32_t>> table;
    {
        std::lock_guard guard(crcTableLock);
        table = HookCanvas::crc_table;
    }
    uint32_t c = 0xFFFFFFFFu;
    for (const uint8_t* at = bytesOf(data) + (end - length); at != bytesOf(data) + end; ++at)
        c = static_cast<uint32_t>(table->data[(c ^ *at) & 0xFF]) ^ (c >> 8);
    return static_cast<int32_t>(c ^ 0xFFFFFFFFu);
}

int32_t PngBuilder::pngCalcAdler(const JavaPtr<JArray<signed char>>& data, int32_t end, int32_t span,
                                 int32_t blockSize) {
    if (span <= 0) return 1;
    const int64_t start = int64_t{end} - span;
    checkRange(data, start, end);
    const int64_t step = blockSize > 0 ? blockSize : span;
    uLong adler = adler32(0, nullptr, 0);
    for (int64_t at = start; at < end; at += step + 5) {
        const int64_t n = std::min<int64_t>(step, end - at);
        adler = adler32(adler, bytesOf(data) + at, static_cast<uInt>(n));
    }
    return static_cast<int32_t>(adler);
}
