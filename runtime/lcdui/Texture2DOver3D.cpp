#include "runtime/lcdui/Texture2DOver3D.h"

#include <algorithm>
#include <cstdlib>

namespace javax::microedition::lcdui {

namespace {
int32_t powerOfTwoAtLeast(int32_t side) {
    int32_t size = 2;
    while (size < side) size <<= 1;
    return size;
}
}  // namespace

Texture2DOver3D::Texture2DOver3D(int32_t imageWidth, int32_t imageHeight, uint32_t* pixels)
    : imageWidth(imageWidth), imageHeight(imageHeight), width(powerOfTwoAtLeast(imageWidth)),
      height(powerOfTwoAtLeast(imageHeight)), changedBottom(imageHeight), pixels(pixels) {}

// The GL texture is never deleted here: that happens in the frame set-up's sweep, where the context
// is current; this may run on any thread.
Texture2DOver3D::~Texture2DOver3D() { std::free(pixels); }

void Texture2DOver3D::markChanged(int32_t top, int32_t count) {
    if (count <= 0) return;
    if (!needsUpload) {
        changedTop = top;
        changedBottom = top + count;
    } else {
        changedTop = std::min(changedTop, top);
        changedBottom = std::max(changedBottom, top + count);
    }
    needsUpload = true;
}

void Texture2DOver3D::markUploaded() {
    needsUpload = false;
    changedTop = 0;
    changedBottom = 0;
}

void Texture2DOver3D::forgetUpload() {
    name = -1;
    hasStorage = false;
    uploadedPixels.clear();
    uploadedPixels.shrink_to_fit();
    markChanged(0, imageHeight);
}

}  // namespace javax::microedition::lcdui
