// Where a Graphics hands its clipped pixels, spans, lines, blits and glyphs when it does not write a
// software pixel block itself. The texture back end implements this; without one, drawing is software.
#pragma once

#include <cstdint>

#include "runtime/lcdui/LineEnds.h"
#include "runtime/lcdui/WLRect.h"

namespace javax::microedition::lcdui {

class Graphics;
class Image;

class GraphicsBackEnd {
public:
    virtual ~GraphicsBackEnd() = default;

    // Every rectangle and point arrives inside the context's clip, in target coordinates.
    virtual void rectBlit(Graphics& g, const WLRect& r) = 0;
    // The whole line, of which only the pixels inside the clip may change.
    virtual void drawLine(Graphics& g, const LineEnds& whole) = 0;
    // Writes w x h 0xAARRGGBB values at rgb[j * scanlength + i]; the range is already checked.
    virtual void getRGB(Graphics& g, int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    virtual void drawRGB(Graphics& g, const int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w,
                         int32_t h, bool processAlpha) = 0;
    virtual void blit(Graphics& g, const WLRect& dst, const WLRect& src, Image& img, int32_t transform) = 0;
    virtual void blitChar(Graphics& g, const uint8_t* coverage, int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    virtual void colorChanged(Graphics& g) = 0;
    // The end of a frame drawn through g (Canvas::flushGraphics): whatever is pending is drawn and
    // the painting thread gives up the GL context; only a frame that is to be shown is presented.
    virtual void flushGraphics(Graphics& g, bool present) = 0;

    // Image life: a new image may move its pixels into a texture; a dying one lets it go.
    virtual void imageCreated(Image& img) = 0;
    virtual void imageDestroyed(Image& img) = 0;

    // The process-wide back end for images; null until the texture path installs one.
    static GraphicsBackEnd* installed();
    static void install(GraphicsBackEnd* backEnd);
};

}  // namespace javax::microedition::lcdui
