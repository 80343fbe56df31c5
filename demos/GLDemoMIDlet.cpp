#include "demos/GLDemoMIDlet.h"

#include <GLES/gl.h>
#include <GLES/glext.h>

#include <atomic>
#include <cstring>
#include <vector>

#include "demos/DemoEvents.h"
#include "demos/GLDemoLayout.h"
#include "host/MIDlet.h"
#include "runtime/khronos/egl/EGLImp.h"
#include "runtime/khronos/egl/jEGLConfig.h"
#include "runtime/khronos/egl/jEGLContext.h"
#include "runtime/khronos/egl/jEGLDisplay.h"
#include "runtime/khronos/nio/ByteBuffer.h"
#include "runtime/khronos/nio/FloatBuffer.h"
#include "runtime/khronos/opengles/GL11.h"
#include "runtime/khronos/opengles/GL11Ext.h"
#include "runtime/khronos/opengles/GL11ExtensionPack.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/Runnable.h"
#include "runtime/lang/Thread.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"

using java::lang::jnew;
using javax::microedition::khronos::egl::jEGL10;
using javax::microedition::khronos::egl::jEGLConfig;
using javax::microedition::khronos::egl::jEGLContext;
using javax::microedition::khronos::egl::jEGLDisplay;
using javax::microedition::khronos::opengles::GL11;
using javax::microedition::khronos::opengles::GL11Ext;
using javax::microedition::lcdui::Canvas;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::lcdui::Graphics;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

using L = GLDemoLayout;

enum Phase { TRIANGLE, TEXTURES, CANVAS, TRIANGLE_AGAIN };
constexpr const char* PHASE_NAMES[] = {"triangle", "textures", "canvas", "triangle again"};
constexpr int64_t FRAME_INTERVAL_MS = 16;

JavaPtr<JArray<int>> ints(std::initializer_list<int> values) {
    auto array = jnew<JArray<int>>(static_cast<int32_t>(values.size()));
    int i = 0;
    for (int value : values) array->data[i++] = value;
    return array;
}

JavaPtr<java::nio::ByteBuffer> bytesOf(const std::vector<uint8_t>& bytes) {
    auto buffer = java::nio::ByteBuffer::allocateDirect(static_cast<int32_t>(bytes.size()));
    std::memcpy(buffer->m_address(), bytes.data(), bytes.size());
    return buffer;
}

void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The five 8 x 8 textures, each of one colour, as a MIDlet would ship them.
struct TextureData {
    int32_t internalformat;
    std::vector<uint8_t> bytes;
};

std::vector<TextureData> demoTextures() {
    std::vector<TextureData> textures;
    std::vector<uint8_t> dxt1;  // red, both colours equal, index 0
    for (int block = 0; block < 4; ++block) dxt1.insert(dxt1.end(), {0x00, 0xF8, 0x00, 0xF8, 0, 0, 0, 0});
    textures.push_back({0x83F0, dxt1});
    std::vector<uint8_t> dxt5;  // green, alpha 255
    for (int block = 0; block < 4; ++block)
        dxt5.insert(dxt5.end(), {255, 255, 0, 0, 0, 0, 0, 0, 0xE0, 0x07, 0xE0, 0x07, 0, 0, 0, 0});
    textures.push_back({0x83F3, dxt5});
    std::vector<uint8_t> dds(128);  // magenta DXT3 in a DDS file
    put32(dds, 0, 0x20534444);
    put32(dds, 4, 124);
    put32(dds, 12, 8);
    put32(dds, 16, 8);
    put32(dds, 28, 1);
    put32(dds, 80, 4);
    std::memcpy(dds.data() + 84, "DXT3", 4);
    for (int block = 0; block < 4; ++block)
        dds.insert(dds.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x1F, 0xF8, 0x1F, 0xF8, 0, 0, 0, 0});
    textures.push_back({0x83F2, dds});
    std::vector<uint8_t> pvr(52);  // orange RGBA in a PVR file
    put32(pvr, 0, 52);
    put32(pvr, 4, 8);
    put32(pvr, 8, 8);
    put32(pvr, 16, 0x12);
    put32(pvr, 24, 32);
    put32(pvr, 44, 0x21525650);
    for (int texel = 0; texel < 64; ++texel) pvr.insert(pvr.end(), {0xFF, 0x90, 0x20, 0xFF});
    textures.push_back({0x8C02, pvr});
    std::vector<uint8_t> pvrtc;  // cyan: colours A and B both cyan
    const uint32_t colour = 0x8000u | 31u << 5 | 15u << 1 | 0x80000000u | 31u << 21 | 31u << 16;
    for (int block = 0; block < 4; ++block)
        pvrtc.insert(pvrtc.end(), {0, 0, 0, 0, static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
                                   static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 24)});
    textures.push_back({0x8C02, pvrtc});
    return textures;
}

class GLDemoCanvas : public Canvas, public java::lang::Runnable {
    JAVA_CLASS(GLDemoCanvas, "demo.GLDemoCanvas", Canvas, java::lang::Runnable)
public:
    void WENDinvokeconstructor() { Canvas::WENDinvokeconstructor(); }

    std::atomic<bool> stopping{false};
    std::atomic<int32_t> phase{TRIANGLE};

    void paint(const JavaPtr<Graphics>& g) override {
        const int32_t scale = getWidth() >= 640 ? 2 : 1;
        g->setColor(L::CANVAS_BACKGROUND);
        g->fillRect(0, 0, getWidth(), getHeight());
        g->setColor(L::CANVAS_BOX_COLOUR);
        g->fillRect(L::CANVAS_BOX[0] * scale, L::CANVAS_BOX[1] * scale, L::CANVAS_BOX[2] * scale,
                    L::CANVAS_BOX[3] * scale);
        if (phase.load() == CANVAS && ++m_painted == 5) evt("gl: canvas painted 5");
    }

    void pointerPressed(int32_t, int32_t) override {
        const int32_t next = std::min(phase.load() + 1, static_cast<int32_t>(TRIANGLE_AGAIN));
        phase = next;
        evt("gl: phase %s", PHASE_NAMES[next]);
    }

    // The MIDlet's GL thread.
    void run() override {
        if (!startEGL()) return;
        provokeErrors();
        loadTextures();
        int32_t drawn[4] = {};
        while (!stopping.load()) {
            const int32_t now = phase.load();
            if (now == CANVAS) {
                repaint();
                serviceRepaints();
            } else {
                if (now == TEXTURES)
                    drawTextures();
                else
                    drawTriangle();
                m_egl->jeglWaitGL();
                if (++drawn[now] == 5) evt("gl: %s drawn 5", PHASE_NAMES[now]);
            }
            java::lang::Thread::sleep(FRAME_INTERVAL_MS);
        }
        m_egl->jeglDestroySurface(m_display, nullptr);
        m_egl->jeglDestroyContext(m_display, m_context);
    }

private:
    bool startEGL() {
        m_egl = java::lang::recastObj<jEGL10>(jEGLContext::getEGL());
        // A second display replaces the first, which is then foreign.
        auto replaced = m_egl->jeglGetDisplay(jEGL10::jEGL_DEFAULT_DISPLAY);
        m_display = m_egl->jeglGetDisplay(jEGL10::jEGL_DEFAULT_DISPLAY);
        if (!m_egl->jeglInitialize(replaced, nullptr))
            evt("gl: EGL error 0x%X for a replaced display", m_egl->jeglGetError());
        auto version = ints({0, 0});
        m_egl->jeglInitialize(m_display, version);
        auto configs = jnew<JArray<jEGLConfig>>(1);
        auto count = ints({0});
        m_egl->jeglChooseConfig(m_display, ints({jEGL10::jEGL_DEPTH_SIZE, 16, jEGL10::jEGL_NONE}), configs, 1, count);
        if (count->data[0] != 1) {
            evt("gl: no configuration");
            return false;
        }
        m_context = m_egl->jeglCreateContext(m_display, configs->data[0], jEGL10::jEGL_NO_CONTEXT, nullptr);
        m_egl->jeglCreateWindowSurface(m_display, configs->data[0], nullptr, nullptr);
        m_egl->jeglMakeCurrent(m_display, nullptr, nullptr, m_context);
        evt("gl: EGL %d.%d, context made", version->data[0], version->data[1]);
        auto egl = java::lang::recastObj<javax::microedition::khronos::egl::EGLImp>(m_egl);
        m_gl = java::lang::recastObj<GL11>(egl->getGL());
        m_glExt = java::lang::recastObj<GL11Ext>(m_gl);
        return m_gl && m_glExt;
    }

    void provokeErrors() {
        if (!m_egl->jeglMakeCurrent(m_display, nullptr, nullptr, jEGL10::jEGL_NO_CONTEXT))
            evt("gl: EGL error 0x%X for a context that is not current", m_egl->jeglGetError());
        evt("gl: EGL error 0x%X once read", m_egl->jeglGetError());
        if (!m_egl->jeglInitialize(m_display, ints({1})))
            evt("gl: EGL error 0x%X for a short version array", m_egl->jeglGetError());
        m_gl->jglEnable(0);
        evt("gl: GL error 0x%X for an unknown capability", m_gl->jglGetError());
        try {
            m_gl->jglLoadMatrixf(jnew<JArray<float>>(15), 0);
        } catch (java::lang::IllegalArgumentException&) {
            evt("gl: IllegalArgumentException for a matrix of 15 values");
        }
        try {
            JavaPtr<javax::microedition::khronos::opengles::GL11ExtensionPack> pack =
                java::lang::recastObj<javax::microedition::khronos::opengles::GL11ExtensionPack>(m_gl);
            pack->jglTexGeni(0, 0, 0);
        } catch (java::lang::UnsupportedOperationException&) {
            evt("gl: UnsupportedOperationException for texture coordinate generation");
        }
    }

    void loadTextures() {
        const auto textures = demoTextures();
        m_textureNames = jnew<JArray<int>>(static_cast<int32_t>(textures.size()));
        m_gl->jglGenTextures(m_textureNames->length, m_textureNames, 0);
        for (size_t i = 0; i < textures.size(); ++i) {
            m_gl->jglBindTexture(GL_TEXTURE_2D, m_textureNames->data[i]);
            m_gl->jglTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            m_gl->jglTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            m_gl->jglTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_CROP_RECT_OES, ints({0, 0, 8, 8}), 0);
            const TextureData& texture = textures[i];
            m_gl->jglCompressedTexImage2D(GL_TEXTURE_2D, 0, texture.internalformat, 8, 8, 0,
                                          static_cast<int32_t>(texture.bytes.size()), bytesOf(texture.bytes));
        }
        evt("gl: textures loaded, GL error 0x%X", m_gl->jglGetError());
    }

    void clear(int32_t rgb) {
        const int32_t width = getWidth(), height = getHeight();
        m_gl->jglViewport(0, 0, width, height);
        m_gl->jglDisable(GL_BLEND);
        m_gl->jglDisable(GL_TEXTURE_2D);
        m_gl->jglMatrixMode(GL_PROJECTION);
        m_gl->jglLoadIdentity();
        m_gl->jglMatrixMode(GL_MODELVIEW);
        m_gl->jglLoadIdentity();
        m_gl->jglClearColor((rgb >> 16 & 0xFF) / 255.0f, (rgb >> 8 & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, 1);
        m_gl->jglClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    void drawTriangle() {
        clear(L::CLEAR);
        if (!m_triangle) {
            m_triangle = java::nio::FloatBuffer::allocate(6);
            for (float value : {-0.5f, -0.5f, 0.5f, -0.5f, 0.0f, 0.5f}) m_triangle->put(value);
            m_triangle->position(0);
        }
        m_gl->jglDisableClientState(GL_COLOR_ARRAY);
        m_gl->jglDisableClientState(GL_TEXTURE_COORD_ARRAY);
        m_gl->jglVertexPointer(2, GL_FLOAT, 0, m_triangle);
        m_gl->jglEnableClientState(GL_VERTEX_ARRAY);
        m_gl->jglColor4ub(0x20, static_cast<int8_t>(0xE0), 0x40, -1);
        m_gl->jglDrawArrays(GL_TRIANGLES, 0, 3);
    }

    void drawTextures() {
        clear(L::CLEAR);
        const int32_t scale = getWidth() >= 640 ? 2 : 1, height = getHeight();
        m_gl->jglEnable(GL_TEXTURE_2D);
        m_gl->jglTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        for (int32_t i = 0; i < m_textureNames->length; ++i) {
            m_gl->jglBindTexture(GL_TEXTURE_2D, m_textureNames->data[i]);
            const int32_t side = L::TEXTURE_SIDE * scale;
            m_glExt->jglDrawTexiOES(L::TEXTURE_AT[i][0] * scale, height - L::TEXTURE_AT[i][1] * scale - side, 0, side,
                                    side);
        }
    }

    JavaPtr<jEGL10> m_egl;
    JavaPtr<jEGLDisplay> m_display;
    JavaPtr<jEGLContext> m_context;
    JavaPtr<GL11> m_gl;
    JavaPtr<GL11Ext> m_glExt;
    JavaPtr<JArray<int>> m_textureNames;
    JavaPtr<java::nio::FloatBuffer> m_triangle;
    int32_t m_painted = 0;
};

class GLDemoMIDlet : public MIDlet {
    JAVA_CLASS(GLDemoMIDlet, "demo.GLDemoMIDlet", MIDlet)
public:
    void startApp() override {
        if (m_canvas) return;
        m_canvas = jnew<GLDemoCanvas>();
        m_canvas->WENDinvokeconstructor();
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_canvas));
        m_glThread = jnew<java::lang::Thread>();
        m_glThread->WENDinvokeconstructor(JavaPtr<java::lang::Runnable>(m_canvas));
        m_glThread->start();
    }
    void destroyApp(bool) override {
        if (m_canvas) m_canvas->stopping = true;
        notifyDestroyed();
    }

private:
    JavaPtr<GLDemoCanvas> m_canvas;
    JavaPtr<java::lang::Thread> m_glThread;
};

}  // namespace

JavaPtr<MIDlet> makeGLDemoMIDlet() {
    JavaPtr<GLDemoMIDlet> midlet = jnew<GLDemoMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
