// Reading exactly one picture from a stream: the bytes of its container are counted out from its
// own headers, so that whatever follows stays in the stream.
#include <cstdint>

#include "runtime/io/InputStream.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/ImageDecoders.h"

namespace javax::microedition::lcdui {

namespace imagedecoders {

namespace {

class PictureCollector {
public:
    PictureCollector(const std::function<int32_t()>& readByte, std::vector<uint8_t>& out)
        : m_readByte(readByte), m_out(out) {}

    // Appends count bytes; false when the source ends first or the picture grows past the limit.
    bool take(uint64_t count) {
        if (count > MAX_PICTURE_BYTES - m_out.size()) return false;
        for (uint64_t i = 0; i < count; ++i) {
            const int32_t value = m_readByte();
            if (value < 0) return false;
            m_out.push_back(static_cast<uint8_t>(value));
        }
        return true;
    }
    // One byte, or -1 when the source has ended or the picture would pass the limit.
    int32_t takeOne() {
        if (m_out.size() >= MAX_PICTURE_BYTES) return -1;
        const int32_t value = m_readByte();
        if (value >= 0) m_out.push_back(static_cast<uint8_t>(value));
        return value;
    }
    uint8_t at(size_t index) const { return m_out[index]; }
    size_t size() const { return m_out.size(); }

private:
    const std::function<int32_t()>& m_readByte;
    std::vector<uint8_t>& m_out;
};

uint32_t littleEndian32(const PictureCollector& bytes, size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}
uint32_t bigEndian32(const PictureCollector& bytes, size_t at) {
    return static_cast<uint32_t>(bytes.at(at)) << 24 | bytes.at(at + 1) << 16 | bytes.at(at + 2) << 8 | bytes.at(at + 3);
}

bool readPNGChunks(PictureCollector& bytes) {
    if (!bytes.take(6)) return false;
    for (;;) {
        const size_t chunkStart = bytes.size();
        if (!bytes.take(8)) return false;
        const uint32_t length = bigEndian32(bytes, chunkStart);
        if (length > 0x7FFFFFFFu) return false;
        if (!bytes.take(static_cast<uint64_t>(length) + 4)) return false;
        if (bytes.at(chunkStart + 4) == 'I' && bytes.at(chunkStart + 5) == 'E' && bytes.at(chunkStart + 6) == 'N' &&
            bytes.at(chunkStart + 7) == 'D')
            return true;
    }
}

bool readBMP(PictureCollector& bytes) {
    if (!bytes.take(16 + 8)) return false;
    const auto width = static_cast<int32_t>(littleEndian32(bytes, 18));
    const auto height = static_cast<int32_t>(littleEndian32(bytes, 22));
    if (width < 0 || height < 0) return false;
    // The rest of a 54-byte header and a 256-entry palette, then 8-bit rows padded to 4 bytes.
    const uint64_t rowBytes = (static_cast<uint64_t>(width) + 3) & ~uint64_t{3};
    return bytes.take(rowBytes * static_cast<uint64_t>(height) + 1052);
}

}  // namespace

int32_t countJPEGScans(const std::function<int32_t()>& readByte) {
    constexpr int32_t START_OF_SCAN = 0xDA, END_OF_IMAGE = 0xD9;
    const auto isRestart = [](int32_t marker) { return marker >= 0xD0 && marker <= 0xD7; };
    // The code of the marker after a 0xFF, fill bytes skipped; -1 at the end.
    const auto markerCode = [&readByte] {
        int32_t value;
        do value = readByte();
        while (value == 0xFF);
        return value;
    };
    int32_t scans = 0;
    int32_t marker = readByte() == 0xFF ? markerCode() : -1;
    for (;;) {
        if (marker < 0 || marker == 0x00) return -1;
        if (marker == END_OF_IMAGE) return scans;
        if (!isRestart(marker) && marker != 0x01) {
            const int32_t high = readByte(), low = readByte();
            if (high < 0 || low < 0) return -1;
            const int32_t length = high << 8 | low;
            if (length < 2) return -1;
            for (int32_t i = 2; i < length; ++i)
                if (readByte() < 0) return -1;
        }
        if (marker != START_OF_SCAN) {
            marker = readByte() == 0xFF ? markerCode() : -1;
            continue;
        }
        if (++scans > MAX_JPEG_SCANS) return scans;
        // Entropy-coded data: a 0xFF in it is followed by a stuffed zero or a restart marker, so
        // the first other marker ends it.
        for (;;) {
            const int32_t value = readByte();
            if (value < 0) return -1;
            if (value != 0xFF) continue;
            marker = markerCode();
            if (marker != 0x00 && !isRestart(marker)) break;
        }
    }
}

bool readOnePicture(const std::function<int32_t()>& readByte, std::vector<uint8_t>& out) {
    out.clear();
    PictureCollector bytes(readByte, out);
    if (!bytes.take(2)) return false;
    if (bytes.at(0) == 'B' && bytes.at(1) == 'M') return readBMP(bytes);
    if (bytes.at(0) == 0x89 && bytes.at(1) == 'P') return readPNGChunks(bytes);
    if (bytes.at(0) == 0xFF && bytes.at(1) == 0xD8) {
        const int32_t scans = countJPEGScans([&bytes] { return bytes.takeOne(); });
        return scans >= 0 && scans <= MAX_JPEG_SCANS;
    }
    return false;
}

}  // namespace imagedecoders

JavaPtr<Image> Image::createImage(const JavaPtr<java::io::InputStream>& in) {
    if (!in) throw java::lang::NullPointerException();
    std::vector<uint8_t> bytes;
    java::io::InputStream* stream = in.get();
    if (!imagedecoders::readOnePicture([stream] { return stream->read(); }, bytes)) return nullptr;
    return decode(bytes);
}

}  // namespace javax::microedition::lcdui
