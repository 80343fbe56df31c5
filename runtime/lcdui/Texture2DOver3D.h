// The OpenGL texture of an image on the 2D-over-3D path: the image's pixels (its one copy in
// memory, rows as wide as the image), the GL name once uploaded into storage of power-of-two sides
// with the image at its top left, and which rows changed since the last upload.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "runtime/lang/Object.h"

namespace javax::microedition::lcdui {

class Texture2DOver3D : public java::lang::Object {
    JAVA_CLASS(Texture2DOver3D, "javax.microedition.lcdui.Texture2DOver3D", java::lang::Object)
public:
    // Takes pixels, a std::malloc block of imageWidth x imageHeight words, or null for a texture that
    // is written in GL only. The storage sides are the smallest powers of two (at least 2) holding it.
    Texture2DOver3D(int32_t imageWidth, int32_t imageHeight, uint32_t* pixels);
    ~Texture2DOver3D() override;

    // Records a change to rows [top, top + count) of the pixels, to be uploaded when next bound.
    void markChanged(int32_t top, int32_t count);
    void markUploaded();
    // The GL context that held the texture is gone: the next bind uploads every row again.
    void forgetUpload();

    const int32_t imageWidth;
    const int32_t imageHeight;
    int32_t width = 2;
    int32_t height = 2;
    int32_t name = -1;
    bool needsUpload = true;
    // The GL texture has storage of this size, so that changed rows alone can be sent.
    bool hasStorage = false;
    int32_t changedTop = 0;
    int32_t changedBottom = 0;
    // Set by whichever thread drops the image; read by the painting thread's sweep.
    std::atomic<bool> releasedByImage{false};
    // Some pixel is not opaque: the upload premultiplies, for blending like the software path.
    bool hasAlpha = false;
    // Too large for the driver: said once, then never drawn on the screen.
    bool oversizeReported = false;
    uint32_t* const pixels;
    // What the GL texture holds, kept from the first upload of a change on: a redrawn image whose
    // rows repeat sends only the rows that differ (comparing costs less than sending them).
    std::vector<uint32_t> uploadedPixels;
};

}  // namespace javax::microedition::lcdui
