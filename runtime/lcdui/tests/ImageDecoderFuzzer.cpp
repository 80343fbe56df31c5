// Fuzzes picture decoding: the PNG and JPEG decoders behind Image, and the one-picture stream reader.
// The first byte picks the road in; a decoded picture is also blitted, to run the flags it produced.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/ImageDecoders.h"

using namespace javax::microedition::lcdui;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::span<const uint8_t> bytes(data + 1, size - 1);
    JavaPtr<Image> image;
    if (data[0] & 1) {
        size_t position = 0;
        std::vector<uint8_t> picture;
        const auto readByte = [&]() -> int32_t { return position < bytes.size() ? bytes[position++] : -1; };
        if (imagedecoders::readOnePicture(readByte, picture)) image = Image::decode(picture);
    } else {
        image = Image::decode(bytes);
    }
    if (!image) return 0;
    std::vector<uint32_t> target(32 * 32, 0xFF000000u);
    Graphics g;
    g.setTarget(target.data(), 32, 32, 32);
    g.setClip(0, 0, 32, 32);
    g.drawRegion(image, 1, 1, image->getWidth(), image->getHeight(), data[0] >> 1 & 7, 3, 2, 0);
    return 0;
}
