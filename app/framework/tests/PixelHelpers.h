// Reading an image's pixels back as 0xAARRGGBB for comparisons.
#pragma once

#include <vector>

#include "runtime/lcdui/Image.h"

inline std::vector<uint32_t> pixelsOf(const JavaPtr<javax::microedition::lcdui::Image>& image) {
    if (!image) return {};
    const int32_t w = image->getWidth(), h = image->getHeight();
    auto rgb = java::lang::jnew<JArray<int>>(w * h);
    image->getRGB(rgb, 0, w, 0, 0, w, h);
    return {reinterpret_cast<uint32_t*>(rgb->data), reinterpret_cast<uint32_t*>(rgb->data) + w * h};
}
