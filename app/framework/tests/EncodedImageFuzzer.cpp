// Fuzzes the encoded image header and cell checks and both pixel decoders; small results also go
// through the in-memory PNG builder and the platform decoder.
#include <cstddef>
#include <cstdint>

#include "app/framework/BundleBytes.h"
#include "app/framework/EncodedImage.h"
#include "app/framework/PngBuilder.h"
#include "runtime/io/IOException.h"
#include "runtime/lcdui/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The last byte chooses the palette size, as a palette resource would.
    const int32_t colours = data[size - 1] + 1;
    const auto bytes = BundleBytes::copy({data, size - 1});
    try {
        const EncodedImage::Layout layout = EncodedImage::classify(BundleBytes::of(bytes));
        if (!layout.hasHeader || layout.format != EncodedImage::IMAGEFORMAT_ENCODEDPIXELDATA_NOPALETTE) return 0;
        const int64_t pixels = int64_t{layout.width} * layout.height;
        if (layout.fullColour) {
            const auto colour = EncodedImage::decodeImage(bytes, layout.pixelOffset, layout.width, layout.height);
            if (pixels <= 4096) PngBuilder::pngCreateImage(layout.width, layout.height, colour);
        } else {
            const auto indices =
                EncodedImage::decodeImage(bytes, layout.pixelOffset, layout.width, layout.height, colours);
            auto palette = java::lang::jnew<JArray<signed char>>(4 * colours);
            for (int32_t i = 0; i < palette->length; ++i) palette->data[i] = static_cast<signed char>(i * 37);
            if (pixels <= 4096) PngBuilder::pngCreateImage(layout.width, layout.height, 8, palette, indices, false);
        }
    } catch (const java::io::IOException&) {
    }
    return 0;
}
