// The drawing context: target, translation, clip, colour, font and stroke style, with every primitive.
// Clipping and geometry happen here; the final pixels go to a software pixel block or to a back end.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"
#include "runtime/lcdui/LineEnds.h"
#include "runtime/lcdui/WLRect.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

using java::lang::jchar;

class Font;
class Image;
class Texture2DOver3D;
class GraphicsBackEnd;

class Graphics : public java::lang::Object {
    JAVA_CLASS(Graphics, "javax.microedition.lcdui.Graphics", java::lang::Object)
public:
    static constexpr int32_t SOLID = 0;
    static constexpr int32_t DOTTED = 1;
    static constexpr int32_t HCENTER = 1;
    static constexpr int32_t VCENTER = 2;
    static constexpr int32_t LEFT = 4;
    static constexpr int32_t RIGHT = 8;
    static constexpr int32_t TOP = 16;
    static constexpr int32_t BOTTOM = 32;
    static constexpr int32_t BASELINE = 64;

    // A context on the screen: Display's size, full clip, default small font, opaque black, no pixels.
    Graphics();
    ~Graphics() override;
    void WENDinvokeconstructor() { Object::WENDinvokeconstructor(); }

    // Points the context at a pixel block of width x height words whose rows lie stride words apart
    // (null pixels: nothing is written in software). The clip is kept where it fits the new target.
    void setTarget(uint32_t* pixels, int32_t width, int32_t height, int32_t stride);
    uint32_t* getTargetPixels() const { return m_pixels; }
    int32_t getTargetWidth() const { return m_targetWidth; }
    int32_t getTargetHeight() const { return m_targetHeight; }
    int32_t getTargetStride() const { return m_rowStride; }
    uint32_t getPixelColour() const { return m_pixelColour; }

    // Not owned; the creator (launcher or texture back end) chooses it. Null draws in software.
    GraphicsBackEnd* backEnd = nullptr;
    JavaPtr<Texture2DOver3D> targetTexture;
    int32_t textureOriginX = 0;
    int32_t textureOriginY = 0;
    bool masterFlag = false;
    // The current colour's components / 255, kept for the texture back end.
    float red = 0;
    float green = 0;
    float blue = 0;

    virtual void drawChars(const JavaPtr<JArray<jchar>>& data, int32_t offset, int32_t length, int32_t x, int32_t y,
                           int32_t anchor);
    virtual void clipRect(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void copyArea(int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t xDest, int32_t yDest,
                          int32_t anchor);
    virtual void drawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle);
    virtual void drawChar(jchar c, int32_t x, int32_t y, int32_t anchor);
    virtual void drawImage(const JavaPtr<Image>& img, int32_t x, int32_t y, int32_t anchor);
    virtual void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    virtual void drawRect(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void drawRegion(const JavaPtr<Image>& src, int32_t xSrc, int32_t ySrc, int32_t width, int32_t height,
                            int32_t transform, int32_t xDest, int32_t yDest, int32_t anchor);
    virtual void drawRGB(const JavaPtr<JArray<int>>& rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                         int32_t w, int32_t h, bool processAlpha);
    virtual void drawRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcWidth, int32_t arcHeight);
    virtual void drawString(const JavaPtr<java::lang::String>& s, int32_t x, int32_t y, int32_t anchor);
    virtual void drawSubstring(const JavaPtr<java::lang::String>& s, int32_t offset, int32_t len, int32_t x, int32_t y,
                               int32_t anchor);
    virtual void fillArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle);
    virtual void fillRect(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void fillRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcWidth, int32_t arcHeight);
    virtual void fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
    virtual int32_t getBlueComponent();
    virtual int32_t getClipHeight();
    virtual int32_t getClipWidth();
    virtual int32_t getClipX();
    virtual int32_t getClipY();
    virtual int32_t getColor();
    virtual int32_t getDisplayColor(int32_t color);
    virtual JavaPtr<Font> getFont();
    virtual int32_t getGrayScale();
    virtual int32_t getGreenComponent();
    virtual int32_t getRedComponent();
    virtual int32_t getStrokeStyle();
    virtual int32_t getTranslateX();
    virtual int32_t getTranslateY();
    virtual void setClip(int32_t x, int32_t y, int32_t w, int32_t h);
    virtual void setColor(int32_t rgb);
    virtual void setColor(int32_t r, int32_t g, int32_t b);
    virtual void setFont(const JavaPtr<Font>& font);
    virtual void setGrayScale(int32_t value);
    virtual void setStrokeStyle(int32_t style);
    virtual void translate(int32_t dx, int32_t dy);

    // Copies target pixels out as 0xAARRGGBB; x, y are target coordinates (no translation, no clip).
    // A range outside the array throws ArrayIndexOutOfBoundsException, one outside the target
    // IllegalArgumentException.
    void getRGB(const JavaPtr<JArray<int>>& rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                int32_t w, int32_t h);

    // Intersects r (target coordinates) with the clip; an empty clip empties r.
    void reduceClip(WLRect& r) const;
    // The clip intersection of a rectangle given in 64 bits, so that x + w cannot overflow.
    WLRect clipped(int64_t x, int64_t y, int64_t w, int64_t h) const;

    // Final writers. The rectangles arrive inside the clip; each goes to the back end if there is one.
    void myRectBlit(const WLRect& r);
    void myBlitter(const WLRect& dst, const WLRect& src, Image& img, int32_t transform);
    void myBlitChar(const uint8_t* coverage, int32_t x, int32_t y, int32_t w, int32_t h);

    // The software forms of the writers, for a back end that draws into a pixel copy of its own.
    void myRectBlitSoftware(const WLRect& r);
    // Lights the pixels of the whole line that lie inside the clip.
    void drawLineSoftware(const LineEnds& whole);
    // The part of the geometric line inside the clip, for a back end that draws from its ends;
    // false when none is.
    bool cutLineToClip(const LineEnds& whole, LineEnds& cut) const;
    void drawRGBSoftware(const int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w, int32_t h,
                         bool processAlpha);
    void getRGBSoftware(int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w, int32_t h);
    void myBlitterSoftware(const WLRect& dst, const WLRect& src, Image& img, int32_t transform);
    // The same blit from any block of pixel words whose rows lie sourceStride words apart.
    void blitPixelsSoftware(const WLRect& dst, const WLRect& src, const uint32_t* sourcePixels, int32_t sourceStride,
                            int32_t sourceWidth, int32_t sourceHeight, bool hasTransparentPixels,
                            bool hasTranslucentPixels, int32_t transform);
    void myBlitCharSoftware(const uint8_t* coverage, int32_t x, int32_t y, int32_t w, int32_t h);

private:
    void storeClip(int64_t ax, int64_t ay, int64_t w, int64_t h);
    void drawRegionClipped(Image& src, int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t transform,
                           int64_t x0, int64_t y0);
    void fillArcRow(int64_t row, int64_t left, int64_t right);
    bool clipIsEmpty() const { return m_clipWidth <= 0 || m_clipHeight <= 0; }

    int32_t m_targetWidth = 0;
    int32_t m_targetHeight = 0;
    int32_t m_rowStride = 0;
    int32_t m_strokeStyle = SOLID;
    uint32_t* m_pixels = nullptr;
    int32_t m_translateX = 0;
    int32_t m_translateY = 0;
    int32_t m_color = 0;
    JavaPtr<Font> m_font;
    int32_t m_clipX = 0;
    int32_t m_clipY = 0;
    int32_t m_clipWidth = 0;
    int32_t m_clipHeight = 0;
    uint32_t m_pixelColour = 0xFF000000u;
};

}  // namespace javax::microedition::lcdui
