// A screen drawn through the OpenGL back end on Mesa, with a software twin of the same size, so that
// tests draw the same calls on both paths and compare the presented frame with the software pixels.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <functional>
#include <memory>
#include <vector>

#include "platform/FrontBuffer.h"
#include "platform/PlatformState.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/GraphicsBackEnd.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/OpenGLBackEnd.h"
#include "runtime/lcdui/tests/GuardedCanvas.h"

namespace lcduitest {

using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::GraphicsBackEnd;
using javax::microedition::lcdui::Image;
using javax::microedition::lcdui::OpenGLBackEnd;

class GLScreen {
public:
    GLScreen(int32_t width, int32_t height) : width(width), height(height) {
        Display::screenWidth = width;
        Display::screenHeight = height;
        platform::outputWidth = width;
        platform::outputHeight = height;
        screen = java::lang::jnew<Graphics>();
        screen->WENDinvokeconstructor();
        screen->masterFlag = true;
        javax::microedition::lcdui::installOpenGLBackEnd(*screen);
    }

    OpenGLBackEnd& backEnd() { return OpenGLBackEnd::instance(); }

    // Ends the frame as Canvas::flushGraphics does and answers the presented pixels.
    std::vector<uint32_t> present() {
        backEnd().flushGraphics(*screen, true);
        const std::shared_ptr<const platform::Frame> frame = platform::presentedFrame();
        if (frame->width != width || frame->height != height) return {};
        return frame->pixels;
    }

    // Ends the frame as present() does, answering only whether it was presented. Nobody looks at
    // it, so it is left as OpenGL read it back.
    bool show() {
        const uint64_t before = platform::framesPresented();
        backEnd().flushGraphics(*screen, true);
        return platform::framesPresented() > before;
    }

    const int32_t width, height;
    JavaPtr<Graphics> screen;
};

// An image made twice: once with its pixels in software, once moved into a texture.
struct TwinImage {
    JavaPtr<Image> software;
    JavaPtr<Image> texture;
};
inline TwinImage twinImage(const std::function<JavaPtr<Image>()>& make) {
    GraphicsBackEnd* installed = GraphicsBackEnd::installed();
    GraphicsBackEnd::install(nullptr);
    TwinImage twin;
    twin.software = make();
    GraphicsBackEnd::install(installed);
    twin.texture = make();
    return twin;
}

// The largest difference of any colour channel between two frames; the screen's alpha plays no part.
inline int32_t largestChannelDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return 256;
    int32_t largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int32_t shift = 0; shift < 24; shift += 8)
            largest = std::max(largest, std::abs(static_cast<int32_t>((a[i] >> shift) & 0xFF) -
                                                 static_cast<int32_t>((b[i] >> shift) & 0xFF)));
    return largest;
}

// Where two frames first differ by more than the tolerance, for failure messages.
inline std::string firstDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int32_t width,
                                   int32_t tolerance) {
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (largestChannelDifference({a[i]}, {b[i]}) > tolerance) {
            char text[96];
            std::snprintf(text, sizeof text, "first at %d,%d: %08X against %08X", static_cast<int>(i % width),
                          static_cast<int>(i / width), a[i], b[i]);
            return text;
        }
    return "none";
}

}  // namespace lcduitest
