// The least any presented frame costs on the OpenGL path, as the peer of the frame benchmarks:
// take the context, clear, one blended full-screen textured quad, read back, release. The GL screen
// must exist already. The floor sets every piece of GL state it draws with, so that it does the same
// work whatever ran before it, and fails unless the frame read back shows its quad.
#pragma once

#include <EGL/egl.h>
#include <GLES/gl.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "runtime/lcdui/PlatformBridge.h"

namespace lcduitest {

namespace floorpicture {

// A translucent texel, premultiplied as the back end uploads it, over an opaque clear colour: a pixel
// shows their mix only where the quad was drawn and blended.
constexpr uint32_t TEXEL = 0x80102040u;  // bytes in memory: red 0x40, green 0x20, blue 0x10, alpha 0x80
constexpr float CLEAR[4] = {0.2f, 0.4f, 0.6f, 1.0f};

inline uint32_t expectedPixel() {
    uint32_t pixel = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const double source = (TEXEL >> (8 * channel)) & 0xFFu;
        const double blended = source + CLEAR[channel] * 255.0 * (1.0 - (TEXEL >> 24) / 255.0);
        pixel |= static_cast<uint32_t>(blended + 0.5) << (8 * channel);
    }
    return pixel;
}

// Every pixel's colour within one level of the blend.
inline bool showsQuad(const std::vector<uint32_t>& pixels) {
    const uint32_t expected = expectedPixel();
    for (const uint32_t pixel : pixels)
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(static_cast<int>((pixel >> shift) & 0xFFu) - static_cast<int>((expected >> shift) & 0xFFu)) > 1)
                return false;
    return true;
}

}  // namespace floorpicture

// The state the floor draws with, set in full: another benchmark or the back end may have left any.
inline void floorState(int32_t width, int32_t height, GLuint texture) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    glViewport(0, 0, width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_FOG);
    glDisable(GL_COLOR_LOGIC_OP);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The back end's projection: the plane at depth 1 spans -1 .. 1 across the narrower side.
    if (w > h)
        glFrustumf(-0.125f * w / h, 0.125f * w / h, -0.125f, 0.125f, 0.125f, 1000);
    else
        glFrustumf(-0.125f, 0.125f, -0.125f * h / w, 0.125f * h / w, 0.125f, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glClearColor(floorpicture::CLEAR[0], floorpicture::CLEAR[1], floorpicture::CLEAR[2], floorpicture::CLEAR[3]);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
}

// What the back end expects between its frames where the floor's state differs from it.
inline void backEndState() {
    glClearColor(0, 0, 0, 0);
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

inline void bareFloor(benchmark::State& state, int32_t width, int32_t height) {
    std::vector<uint32_t> texels(size_t{1024} * 1024, floorpicture::TEXEL),
        readBack(static_cast<size_t>(width) * static_cast<size_t>(height));
    const float u = width / 1024.0f, v = height / 1024.0f, a = 1.0f, b = static_cast<float>(height) / width;
    const float quad[] = {-a, b,  0, 0, 0, -a, -b, 0, 0, v, a, b,  0, u, 0,
                          -a, -b, 0, 0, v, a,  b,  0, u, 0, a, -b, 0, u, v};
    if (!EGLWaitNative()) {
        state.SkipWithError("no GL view");
        return;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1024, 1024, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    floorState(width, height, name);
    EGLDisplay display = eglGetCurrentDisplay();
    const auto frame = [&] {
        EGLWaitNative();
        glClear(GL_COLOR_BUFFER_BIT);
        glVertexPointer(3, GL_FLOAT, 20, quad);
        glTexCoordPointer(2, GL_FLOAT, 20, quad + 3);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, readBack.data());
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    };
    // One frame checked before any is timed, and the last timed one after.
    frame();
    if (!floorpicture::showsQuad(readBack)) {
        state.SkipWithError("the floor's frame does not show its blended quad");
    } else {
        for (auto _ : state) {
            frame();
            benchmark::DoNotOptimize(readBack.data());
        }
        if (!floorpicture::showsQuad(readBack)) state.SkipWithError("a timed floor frame did not show its blended quad");
    }
    EGLWaitNative();
    backEndState();
    glDeleteTextures(1, &name);
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

}  // namespace lcduitest
