// A software target surrounded by a canary border, with helpers to read it back as ASCII masks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/lcdui/Graphics.h"

namespace lcduitest {

using javax::microedition::lcdui::Graphics;

constexpr uint32_t CANARY = 0xA5C3E1F7u;
constexpr uint32_t BACKGROUND = 0xFF000000u;

class GuardedCanvas {
public:
    GuardedCanvas(int32_t width, int32_t height, int32_t border = 8)
        : width(width), height(height), border(border), stride(width + 2 * border),
          storage(static_cast<size_t>(stride) * (height + 2 * border), CANARY) {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) at(x, y) = BACKGROUND;
        graphics = JavaPtr<Graphics>(new Graphics());
        graphics->setTarget(target(), width, height, stride);
        graphics->setClip(0, 0, width, height);
    }

    uint32_t* target() { return storage.data() + static_cast<size_t>(border) * stride + border; }
    uint32_t& at(int32_t x, int32_t y) { return target()[static_cast<ptrdiff_t>(y) * stride + x]; }

    bool canaryIntact() const {
        for (int32_t y = 0; y < height + 2 * border; ++y)
            for (int32_t x = 0; x < stride; ++x) {
                const bool inside = x >= border && x < border + width && y >= border && y < border + height;
                if (!inside && storage[static_cast<size_t>(y) * stride + x] != CANARY) return false;
            }
        return true;
    }

    std::vector<uint32_t> snapshot() {
        std::vector<uint32_t> pixels;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) pixels.push_back(at(x, y));
        return pixels;
    }

    // '.' for the background, '#' for anything else, one line per row.
    std::string mask() {
        std::string out;
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) out += at(x, y) == BACKGROUND ? '.' : '#';
            out += '\n';
        }
        return out;
    }

    const int32_t width, height, border, stride;
    std::vector<uint32_t> storage;
    JavaPtr<Graphics> graphics;
};

// Joins rows given one per argument into the form mask() returns.
inline std::string rows(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* line : lines) (out += line) += '\n';
    return out;
}

}  // namespace lcduitest
