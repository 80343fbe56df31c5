// A picture as a block of pixel words, made from PNG or JPEG data, files, streams, colours,
// blank mutable canvases or transformed regions; its transparency flags choose the blit mode.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::lang { class String; }
namespace java::io { class InputStream; }

namespace javax::microedition::lcdui {

class Graphics;

class Image : public java::lang::Object {
    JAVA_CLASS(Image, "javax.microedition.lcdui.Image", java::lang::Object)
public:
    // Larger pictures are refused before any allocation.
    static constexpr int32_t MAX_SIDE = 16384;
    static constexpr int64_t MAX_PIXELS = int64_t{1} << 26;

    ~Image() override;

    virtual JavaPtr<Graphics> getGraphics();
    virtual int32_t getHeight();
    // Copies pixels out as 0xAARRGGBB through a Graphics on the image.
    virtual void getRGB(const JavaPtr<JArray<int>>& rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                        int32_t w, int32_t h);
    virtual int32_t getWidth();
    virtual bool isMutable();

    // Opaque white, mutable. IllegalArgumentException for a size below 1 or beyond the limits.
    static JavaPtr<Image> createImage(int32_t width, int32_t height);
    // PNG or JPEG bytes [offset, offset + length); null when they do not decode.
    static JavaPtr<Image> createImage(const JavaPtr<JArray<signed char>>& data, int32_t offset, int32_t length);
    // A whole bundle ("/name") or documents file; IOException when it is missing or does not decode.
    static JavaPtr<Image> createImage(const JavaPtr<java::lang::String>& name);
    // Exactly one picture from the stream, leaving what follows it; null when none can be read.
    static JavaPtr<Image> createImage(const JavaPtr<java::io::InputStream>& in);
    static JavaPtr<Image> createImage(const JavaPtr<Image>& source, int32_t x, int32_t y, int32_t width,
                                      int32_t height, int32_t transform);
    static JavaPtr<Image> createImage(const JavaPtr<Image>& source);
    static JavaPtr<Image> createRGBImage(const JavaPtr<JArray<int>>& rgb, int32_t width, int32_t height,
                                         bool processAlpha);
    // rgb holds at least width x height colours; the sizes must already be valid.
    static JavaPtr<Image> createRGBImage(const int32_t* rgb, int32_t width, int32_t height, bool processAlpha);
    // The decoder behind the byte-array form, on a borrowed range.
    static JavaPtr<Image> decode(std::span<const uint8_t> bytes);
    // A PNG this process has just built in memory, never stored, received or handed out: decoded
    // without checking its CRCs and Adler-32, which its builder may leave at zero. Null as decode.
    static JavaPtr<Image> decodeBuiltPNG(std::span<const uint8_t> bytes);

    // Owned, width x height words; the texture back end may take it over and leave null.
    uint32_t* pixels = nullptr;
    // The texture back end's context on the image; null on the software path.
    JavaPtr<Graphics> graphics;
    bool hasTransparentPixels = false;
    bool hasTranslucentPixels = false;

private:
    // Takes a std::malloc block of width x height words.
    Image(int32_t width, int32_t height, uint32_t* block, bool isMutable);
    static JavaPtr<Image> adopt(int32_t width, int32_t height, uint32_t* block, bool isMutable);
    static JavaPtr<Image> decodePNG(std::span<const uint8_t> bytes, bool trusted);
    // A transformed copy of a region already known to lie inside the source.
    static JavaPtr<Image> copyRegion(Image& source, int32_t x, int32_t y, int32_t width, int32_t height,
                                     int32_t transform);
    // Sets the two flags from every pixel's alpha.
    void scanAlpha();

    bool m_mutable;
    int32_t m_width;
    int32_t m_height;
};

}  // namespace javax::microedition::lcdui
