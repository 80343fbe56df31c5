// The least any presented frame costs on the OpenGL path, as the peer of the frame benchmarks:
// take the context, clear, one full-screen textured quad, read back, release. The GL screen must
// exist already.
#pragma once

#include <EGL/egl.h>
#include <GLES/gl.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "runtime/lcdui/PlatformBridge.h"

namespace lcduitest {

inline void bareFloor(benchmark::State& state, int32_t width, int32_t height) {
    std::vector<uint32_t> texels(size_t{1024} * 1024, 0xFF336699u),
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
    EGLDisplay display = eglGetCurrentDisplay();
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    for (auto _ : state) {
        EGLWaitNative();
        glClear(GL_COLOR_BUFFER_BIT);
        // Blended, as every quad was when the frame ratios against this floor were first taken.
        glEnable(GL_BLEND);
        glLoadIdentity();
        glTranslatef(0, 0, -1);
        glEnable(GL_TEXTURE_2D);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
        glBindTexture(GL_TEXTURE_2D, name);
        glVertexPointer(3, GL_FLOAT, 20, quad);
        glTexCoordPointer(2, GL_FLOAT, 20, quad + 3);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, readBack.data());
        // Leave the state as the back end expects it between frames.
        glDisable(GL_TEXTURE_2D);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        benchmark::DoNotOptimize(readBack.data());
    }
    EGLWaitNative();
    glDeleteTextures(1, &name);
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

}  // namespace lcduitest
