// The OpenGL texture copy of an image on the 2D-over-3D path: a power-of-two pixel copy with the
// image at its top left, the GL name once uploaded, and which rows changed since the last upload.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "runtime/lang/Object.h"

namespace javax::microedition::lcdui {

class Texture2DOver3D : public java::lang::Object {
    JAVA_CLASS(Texture2DOver3D, "javax.microedition.lcdui.Texture2DOver3D", java::lang::Object)
public:
    // Sides are the smallest powers of two (at least 2) holding the image; the copy starts zeroed.
    // pixels stays null when the copy cannot be allocated, or when none is wanted (a texture that is
    // written in GL only).
    Texture2DOver3D(int32_t imageWidth, int32_t imageHeight, bool withPixelCopy = true);
    ~Texture2DOver3D() override;

    // Records a change to rows [top, top + count) of the copy, to be uploaded when next bound.
    void markChanged(int32_t top, int32_t count);
    void markUploaded();

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
    uint32_t* pixels = nullptr;
    // What the GL texture holds, kept from the first upload of a change on: a redrawn image whose
    // rows repeat sends only the rows that differ.
    std::vector<uint32_t> uploadedPixels;
};

}  // namespace javax::microedition::lcdui
