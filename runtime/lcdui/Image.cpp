#include "runtime/lcdui/Image.h"

#include <bit>
#include <cstdlib>
#include <cstring>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsBackEnd.h"
#include "runtime/lcdui/ImageDecoders.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/lcdui/PlatformBridge.h"

namespace javax::microedition::lcdui {

using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::IllegalArgumentException;
using java::lang::NullPointerException;

namespace {

bool sizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= Image::MAX_SIDE && height <= Image::MAX_SIDE &&
           width * height <= Image::MAX_PIXELS;
}

uint32_t* allocatePixels(int32_t width, int32_t height) {
    return static_cast<uint32_t*>(std::malloc(static_cast<size_t>(width) * static_cast<size_t>(height) * 4));
}

}  // namespace

Image::Image(int32_t width, int32_t height, uint32_t* block, bool isMutable)
    : pixels(block), m_mutable(isMutable), m_width(width), m_height(height) {}

Image::~Image() {
    if (auto* backEnd = GraphicsBackEnd::installed()) backEnd->imageDestroyed(*this);
    std::free(pixels);
}

JavaPtr<Image> Image::adopt(int32_t width, int32_t height, uint32_t* block, bool isMutable) {
    JavaPtr<Image> image(new Image(width, height, block, isMutable));
    return image;
}

void Image::scanAlpha() {
    hasTransparentPixels = false;
    hasTranslucentPixels = false;
    if (!pixels) return;
    const size_t count = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t alpha = pixels[i] >> 24;
        if (alpha == 255) continue;
        if (alpha != 0) {
            hasTranslucentPixels = true;
            hasTransparentPixels = false;
            return;
        }
        hasTransparentPixels = true;
    }
}

int32_t Image::getWidth() { return m_width; }
int32_t Image::getHeight() { return m_height; }
bool Image::isMutable() { return m_mutable; }

JavaPtr<Graphics> Image::getGraphics() {
    if (graphics) return graphics;
    auto context = java::lang::jnew<Graphics>();
    context->WENDinvokeconstructor();
    if (pixels) {
        context->setTarget(pixels, m_width, m_height, m_width);
        context->setClip(0, 0, m_width, m_height);
    }
    return context;
}

void Image::getRGB(const JavaPtr<JArray<int>>& rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                   int32_t w, int32_t h) {
    getGraphics()->getRGB(rgbData, offset, scanlength, x, y, w, h);
}

JavaPtr<Image> Image::createImage(int32_t width, int32_t height) {
    if (!sizeAllowed(width, height)) throw IllegalArgumentException();
    uint32_t* block = allocatePixels(width, height);
    if (!block) throw IllegalArgumentException();
    std::fill_n(block, static_cast<size_t>(width) * height, 0xFFFFFFFFu);
    auto image = adopt(width, height, block, true);
    if (auto* backEnd = GraphicsBackEnd::installed()) backEnd->imageCreated(*image);
    return image;
}

JavaPtr<Image> Image::createImage(const JavaPtr<JArray<signed char>>& data, int32_t offset, int32_t length) {
    if (!data) throw NullPointerException();
    if (offset < 0 || length < 0 || static_cast<int64_t>(offset) + length > data->length)
        throw ArrayIndexOutOfBoundsException();
    return decode({reinterpret_cast<const uint8_t*>(data->data) + offset, static_cast<size_t>(length)});
}

JavaPtr<Image> Image::decodePNG(std::span<const uint8_t> bytes, bool trusted) {
    int32_t width = 0, height = 0;
    uint32_t* block = imagedecoders::decodePNG(
        bytes, width, height, trusted ? imagedecoders::PngSums::TRUSTED : imagedecoders::PngSums::CHECKED);
    if (!block) return nullptr;
    auto image = adopt(width, height, block, false);
    image->scanAlpha();
    if (auto* backEnd = GraphicsBackEnd::installed()) backEnd->imageCreated(*image);
    return image;
}

JavaPtr<Image> Image::decodeBuiltPNG(std::span<const uint8_t> bytes) { return decodePNG(bytes, true); }

JavaPtr<Image> Image::decode(std::span<const uint8_t> bytes) {
    if (bytes.size() < 2) return nullptr;
    if (bytes[0] == 0x89 && bytes[1] == 'P') return decodePNG(bytes, false);
    if (bytes[0] == 0xFF && bytes[1] == 0xD8) {
        if (bytes.size() > static_cast<size_t>(INT32_MAX)) return nullptr;
        // Counted first: refusing thousands of scans costs one pass over the bytes, decoding them seconds.
        size_t next = 2;
        const int32_t scans = imagedecoders::countJPEGScans(
            [&bytes, &next] { return next < bytes.size() ? static_cast<int32_t>(bytes[next++]) : -1; });
        if (scans < 0 || scans > imagedecoders::MAX_JPEG_SCANS) return nullptr;
        int32_t width = -1, height = -1;
        uint32_t* block = decodeJPEGtoRGB(bytes.data(), static_cast<int32_t>(bytes.size()), &width, &height);
        if (!block) return nullptr;
        if (!sizeAllowed(width, height)) {
            std::free(block);
            return nullptr;
        }
        // The bridge's colours become opaque pixel words in place.
        const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
        for (size_t i = 0; i < count; ++i) block[i] = pixelFromRGB(static_cast<int32_t>(block[i]));
        auto image = adopt(width, height, block, false);
        if (auto* backEnd = GraphicsBackEnd::installed()) backEnd->imageCreated(*image);
        return image;
    }
    return nullptr;
}

JavaPtr<Image> Image::createRGBImage(const JavaPtr<JArray<int>>& rgb, int32_t width, int32_t height,
                                     bool processAlpha) {
    if (!rgb) throw NullPointerException();
    if (!sizeAllowed(width, height)) throw IllegalArgumentException();
    if (static_cast<int64_t>(width) * height > rgb->length) throw ArrayIndexOutOfBoundsException();
    return createRGBImage(rgb->data, width, height, processAlpha);
}

JavaPtr<Image> Image::createRGBImage(const int32_t* rgb, int32_t width, int32_t height, bool processAlpha) {
    if (!sizeAllowed(width, height)) throw IllegalArgumentException();
    uint32_t* block = allocatePixels(width, height);
    if (!block) throw IllegalArgumentException();
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    auto image = adopt(width, height, block, false);
    if (processAlpha) {
        for (size_t i = 0; i < count; ++i) block[i] = pixelFromARGB(rgb[i]);
        image->scanAlpha();
    } else {
        for (size_t i = 0; i < count; ++i) block[i] = pixelFromRGB(rgb[i]);
    }
    if (auto* backEnd = GraphicsBackEnd::installed()) backEnd->imageCreated(*image);
    return image;
}

JavaPtr<Image> Image::createImage(const JavaPtr<Image>& source, int32_t x, int32_t y, int32_t width, int32_t height,
                                  int32_t transform) {
    if (!source) throw NullPointerException();
    const int32_t sourceWidth = source->m_width, sourceHeight = source->m_height;
    if (width <= 0 || height <= 0 || x < 0 || y < 0 || static_cast<int64_t>(x) + width > sourceWidth ||
        static_cast<int64_t>(y) + height > sourceHeight)
        throw IllegalArgumentException();
    if (!source->m_mutable && x == 0 && y == 0 && transform == 0 && width == sourceWidth && height == sourceHeight)
        return source;
    return copyRegion(*source, x, y, width, height, transform);
}

JavaPtr<Image> Image::copyRegion(Image& source, int32_t x, int32_t y, int32_t width, int32_t height,
                                 int32_t transform) {
    const int32_t sourceWidth = source.m_width;
    if (transform < 0 || transform > 7) transform = 0;
    // On the texture path the source's pixels live in its texture; its context reads them back.
    const bool swapsSides = transform >= 4;
    const int32_t w = width, h = height;
    uint32_t* block = allocatePixels(w, h);
    if (!block) throw IllegalArgumentException();
    auto image = adopt(swapsSides ? h : w, swapsSides ? w : h, block, false);
    const int64_t W = w, H = h;
    int64_t start = 0, step = 1, rowStep = W;
    switch (transform) {
        case 1: start = W * (H - 1), step = 1, rowStep = -W; break;
        case 2: start = W - 1, step = -1, rowStep = W; break;
        case 3: start = W * H - 1, step = -1, rowStep = -W; break;
        case 4: start = 0, step = H, rowStep = 1; break;
        case 5: start = H - 1, step = H, rowStep = -1; break;
        case 6: start = H * (W - 1), step = -H, rowStep = 1; break;
        case 7: start = W * H - 1, step = -H, rowStep = -1; break;
        default: break;
    }
    const uint32_t* from = source.pixels;
    auto readBack = JavaPtr<JArray<int>>();
    if (!from) {
        readBack = java::lang::jnew<JArray<int>>(w * h);
        source.getRGB(readBack, 0, w, x, y, w, h);
        for (int32_t i = 0; i < w * h; ++i) readBack->data[i] = static_cast<int32_t>(pixelFromARGB(readBack->data[i]));
    }
    for (int32_t j = 0; j < h; ++j) {
        for (int32_t i = 0; i < w; ++i) {
            const uint32_t pixel = from ? from[x + i + static_cast<size_t>(y + j) * sourceWidth]
                                        : static_cast<uint32_t>(readBack->data[i + j * w]);
            block[start + i * step + j * rowStep] = pixel;
        }
    }
    image->hasTransparentPixels = source.hasTransparentPixels;
    image->hasTranslucentPixels = source.hasTranslucentPixels;
    if (auto* backEnd = GraphicsBackEnd::installed()) backEnd->imageCreated(*image);
    return image;
}

JavaPtr<Image> Image::createImage(const JavaPtr<Image>& source) {
    if (!source) throw NullPointerException();
    return copyRegion(*source, 0, 0, source->m_width, source->m_height, 0);
}

}  // namespace javax::microedition::lcdui
