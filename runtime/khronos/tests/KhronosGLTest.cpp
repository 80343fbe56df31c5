#include <gtest/gtest.h>

#include <GLES/gl.h>
#include <GLES/glext.h>

#include <cstring>
#include <sstream>
#include <string>
#include <thread>

#include "platform/FrontBuffer.h"
#include "platform/GLView.h"
#include "platform/PlatformState.h"
#include "runtime/khronos/egl/EGLImp.h"
#include "runtime/khronos/egl/jEGLConfig.h"
#include "runtime/khronos/egl/jEGLContext.h"
#include "runtime/khronos/egl/jEGLDisplay.h"
#include "runtime/khronos/nio/ByteBuffer.h"
#include "runtime/khronos/nio/FloatBuffer.h"
#include "runtime/khronos/nio/IntBuffer.h"
#include "runtime/khronos/opengles/GLImp.h"
#include "runtime/khronos/textures/PVRTC.h"
#include "runtime/khronos/textures/S3TC.h"
#include "runtime/lcdui/tests/GLScreen.h"
#include "runtime/text/String.h"

using namespace javax::microedition::khronos;
using egl::jEGL10;
using java::lang::jnew;

namespace {

constexpr int32_t SIZE = 32;

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

// A MIDlet's EGL sequence: display, version, configuration of the depth, context, window surface.
class MIDletGL : public ::testing::Test {
protected:
    void SetUp() override {
        platform::outputWidth = SIZE;
        platform::outputHeight = SIZE;
        jEGL10::jEGL10_staticInit();
        start(16);
    }
    void TearDown() override {
        eglObject->jeglDestroySurface(display, nullptr);
        eglObject->jeglDestroyContext(display, context);
        jEGL10::jEGL10_staticDestroy();
    }

    void start(int depth) {
        eglObject = java::lang::recastObj<egl::EGLImp>(egl::jEGLContext::getEGL());
        display = eglObject->jeglGetDisplay(jEGL10::jEGL_DEFAULT_DISPLAY);
        ASSERT_TRUE(eglObject->jeglInitialize(display, ints({0, 0})));
        auto configs = jnew<JArray<egl::jEGLConfig>>(1);
        auto count = ints({0});
        ASSERT_TRUE(eglObject->jeglChooseConfig(display, depth ? ints({jEGL10::jEGL_DEPTH_SIZE, depth, jEGL10::jEGL_NONE}) : ints({jEGL10::jEGL_NONE}),
                                                configs, 1, count));
        context = eglObject->jeglCreateContext(display, configs->data[0], jEGL10::jEGL_NO_CONTEXT, nullptr);
        eglObject->jeglCreateWindowSurface(display, configs->data[0], nullptr, nullptr);
        ASSERT_TRUE(eglObject->jeglMakeCurrent(display, nullptr, nullptr, context));
        gl = java::lang::recastObj<opengles::GLImp>(eglObject->getGL());
        gl->jglViewport(0, 0, SIZE, SIZE);
        gl->jglClearColor(0, 0, 0, 1);
        gl->jglClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // The presented frame, rows from the top, red in the low byte.
    std::vector<uint32_t> present() {
        eglObject->jeglWaitGL();
        return platform::latestFrame().pixels;
    }

    // width x height pixels at the bottom left, rows from the bottom.
    std::vector<uint32_t> readPixels(int width, int height) {
        auto pixels = java::nio::ByteBuffer::allocateDirect(width * height * 4);
        gl->jglReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        std::vector<uint32_t> words(static_cast<size_t>(width * height));
        std::memcpy(words.data(), pixels->m_address(), words.size() * 4);
        return words;
    }

    // Draws the bound texture's width x height texels one to one at the bottom left.
    void drawTexture(int width, int height) {
        gl->jglDisable(GL_BLEND);
        gl->jglEnable(GL_TEXTURE_2D);
        gl->jglTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        gl->jglTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        gl->jglTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        gl->jglTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_CROP_RECT_OES, ints({0, 0, width, height}), 0);
        gl->jglDrawTexiOES(0, 0, 0, width, height);
    }

    void bindNewTexture() {
        auto names = ints({0});
        gl->jglGenTextures(1, names, 0);
        gl->jglBindTexture(GL_TEXTURE_2D, names->data[0]);
    }

    JavaPtr<egl::EGLImp> eglObject;
    JavaPtr<egl::jEGLDisplay> display;
    JavaPtr<egl::jEGLContext> context;
    JavaPtr<opengles::GLImp> gl;
};

}  // namespace

TEST_F(MIDletGL, TriangleCoversItsPixels) {
    // The lower-left half of the screen, in front of a black clear.
    auto vertices = java::nio::FloatBuffer::allocate(6);
    for (float value : {-1.0f, -1.0f, 1.0f, -1.0f, -1.0f, 1.0f}) vertices->put(value);
    vertices->position(0);
    gl->jglVertexPointer(2, GL_FLOAT, 0, vertices);
    gl->jglEnableClientState(GL_VERTEX_ARRAY);
    gl->jglColor4ub(0, -1, 0, -1);
    gl->jglDrawArrays(GL_TRIANGLES, 0, 3);
    gl->jglDisableClientState(GL_VERTEX_ARRAY);
    EXPECT_EQ(gl->jglGetError(), GL_NO_ERROR);
    const auto frame = present();
    ASSERT_EQ(frame.size(), static_cast<size_t>(SIZE * SIZE));
    EXPECT_EQ(frame[(SIZE - 2) * SIZE + 1], 0xFF00FF00u);  // bottom left
    EXPECT_EQ(frame[1 * SIZE + SIZE - 2], 0xFF000000u);    // top right
}

TEST_F(MIDletGL, CompressedTexturesAreDecodedForTheDriverAndDrawnByDrawTex) {
    struct Case {
        const char* what;
        int32_t internalformat;
        std::vector<uint8_t> data;
        int size;
    };
    std::vector<uint8_t> dxt5 = {255, 0, 0x88, 0xC6, 0xFA, 0x11, 0x22, 0x33, 0x00, 0xF8, 0x1F, 0x00, 0x1B, 0xE4, 0x4E, 0xB1};
    std::vector<uint8_t> pvrtc(4 * 8);
    for (size_t block = 0; block < 4; ++block) {
        const uint32_t words[2] = {0x1B1BE4E4u, 0x8000u | 31u << 10 | 15u << 1 | 0x80000000u | 31u << 21};
        std::memcpy(pvrtc.data() + block * 8, words, 8);
    }
    const Case cases[] = {{"DXT5", 0x83F3, dxt5, 4}, {"PVRTC at 4 bits", 0x8C02, pvrtc, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint32_t> expected;
        if (c.internalformat == 0x83F3) {
            textures::decodeS3TCLevel(textures::S3TCKind::DXT5, c.data, 4, 4, expected);
        } else {
            ASSERT_TRUE(textures::decodePVRTC(c.data, false, 8, 8, expected));
        }
        bindNewTexture();
        gl->jglCompressedTexImage2D(GL_TEXTURE_2D, 0, c.internalformat, c.size, c.size, 0,
                                    static_cast<int32_t>(c.data.size()), bytesOf(c.data));
        EXPECT_EQ(gl->jglGetError(), GL_NO_ERROR);
        drawTexture(c.size, c.size);
        EXPECT_EQ(readPixels(c.size, c.size), expected);
    }
}

TEST_F(MIDletGL, WindowSurfaceGivesTheConfiguredDepth) {
    const std::pair<int, int> cases[] = {{16, 16}, {24, 24}, {0, 24}};
    for (auto [requested, bits] : cases) {
        eglObject->jeglDestroySurface(display, nullptr);
        start(requested);
        auto depth = ints({0});
        gl->jglGetIntegerv(GL_DEPTH_BITS, depth, 0);
        EXPECT_EQ(depth->data[0], bits) << "asked for " << requested;
    }
}

TEST_F(MIDletGL, EachAdvertisedExtensionIsOfferedOrDecodedHere) {
    const std::string own = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    std::istringstream advertised(gl->jglGetString(GL_EXTENSIONS)->val());
    std::string name;
    while (advertised >> name) {
        if (name == "GL_IMG_texture_compression_pvrtc") continue;  // decoded by the bindings
        EXPECT_NE((" " + own + " ").find(" " + name + " "), std::string::npos) << name;
    }
}

// The MIDlet's thread draws GL frames while the painter draws 2D frames on the same view: they
// take turns by whole frames, and neither loses one.
TEST_F(MIDletGL, MIDletThreadAndPainterAlternateWholeFrames) {
    eglObject->jeglWaitGL();
    constexpr int FRAMES = 12;
    const uint64_t before = platform::framesPresented();
    std::thread midlet([&] {
        for (int i = 0; i < FRAMES; ++i) {
            gl->jglClearColor(0, 0, 1, 1);
            gl->jglClear(GL_COLOR_BUFFER_BIT);
            gl->jglMatrixMode(GL_PROJECTION);  // left behind for the painter to undo
            gl->jglScalef(0.1f, 0.1f, 1);
            eglObject->jeglWaitGL();
        }
    });
    lcduitest::GLScreen screen(SIZE, SIZE);
    int painted = 0;
    for (int i = 0; i < FRAMES; ++i) {
        screen.screen->setColor(0xFF0000);
        screen.screen->fillRect(0, 0, SIZE, SIZE);
        const auto frame = screen.present();
        ASSERT_EQ(frame.size(), static_cast<size_t>(SIZE * SIZE)) << platform::glViewError();
        ++painted;
    }
    midlet.join();
    // The painter set its own state up again after the MIDlet's frames.
    screen.screen->fillRect(0, 0, SIZE, SIZE);
    const auto last = screen.present();
    EXPECT_EQ(last.front(), 0xFF0000FFu);
    EXPECT_EQ(last.back(), 0xFF0000FFu);
    EXPECT_EQ(painted, FRAMES);
    EXPECT_EQ(platform::framesPresented() - before, 2u * FRAMES + 1);
}
