#include <gtest/gtest.h>

#include <GLES/gl.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/FrontBuffer.h"
#include "platform/GLView.h"
#include "platform/PlatformState.h"
#include "runtime/lcdui/PlatformBridge.h"

namespace {

void setOutput(int32_t width, int32_t height) {
    platform::outputWidth = width;
    platform::outputHeight = height;
}

// Clears the whole frame to one colour and the top rows (GL's highest) to another.
void clearWithTopBand(int32_t width, int32_t height, int32_t band) {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, height - band, width, band);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

}  // namespace

TEST(GLView, PresentedFrameIsReadBackWithRowsFromTheTop) {
    setOutput(16, 8);
    ASSERT_TRUE(EGLstart()) << platform::glViewError();
    EXPECT_EQ(platform::glViewState.load(), 1);
    clearWithTopBand(16, 8, 2);
    const uint64_t before = platform::framesPresented();
    ASSERT_TRUE(EGLWaitGL()) << platform::glViewError();
    EXPECT_EQ(platform::glViewState.load(), 0);
    const platform::Frame frame = platform::latestFrame();
    EXPECT_EQ(frame.serial, before + 1);
    ASSERT_EQ(frame.width, 16);
    ASSERT_EQ(frame.height, 8);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 16; ++x)
            ASSERT_EQ(frame.pixels[static_cast<size_t>(y) * 16 + x], y < 2 ? 0xFF0000FFu : 0xFFFF0000u)
                << x << "," << y;
}

TEST(GLView, ContextPassesBetweenPaintingThreadsFrameByFrame) {
    setOutput(4, 4);
    for (int pass = 0; pass < 3; ++pass) {
        bool drew = false;
        std::thread painter([&] {
            if (!EGLWaitNative()) return;
            glClearColor(0, pass == 1 ? 1.0f : 0.0f, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            drew = EGLWaitGL();
        });
        painter.join();
        ASSERT_TRUE(drew) << platform::glViewError();
        EXPECT_EQ(platform::latestFrame().pixels[0], pass == 1 ? 0xFF00FF00u : 0xFF000000u);
    }
}

TEST(GLView, FailuresAreReportedAndPresentNothing) {
    // A zero-sized output gives an incomplete framebuffer: no frame, and a reason.
    setOutput(0, 0);
    const uint64_t before = platform::framesPresented();
    EXPECT_FALSE(EGLWaitNative());
    EXPECT_NE(platform::glViewError().find("incomplete"), std::string::npos) << platform::glViewError();
    EXPECT_FALSE(EGLWaitGL());
    EXPECT_EQ(platform::framesPresented(), before);

    // Presenting without having taken the context is refused too.
    setOutput(8, 8);
    EXPECT_FALSE(EGLWaitGL());
    EXPECT_NE(platform::glViewError().find("without the GL context"), std::string::npos);

    // The view recovers once the size is usable, and clears the reason.
    ASSERT_TRUE(EGLWaitNative());
    EXPECT_EQ(platform::glViewError(), "");
    ASSERT_TRUE(EGLWaitGL());
    EXPECT_EQ(platform::framesPresented(), before + 1);
}

TEST(GLView, DepthBufferCanBeReplacedAndStopDestroysTheFramebuffer) {
    setOutput(8, 8);
    ASSERT_TRUE(EGLWaitNative());
    setGLBufferDepth(24);
    EXPECT_EQ(platform::glViewError(), "");
    setGLBufferDepth(16);
    EXPECT_EQ(platform::glViewError(), "");
    ASSERT_TRUE(EGLWaitGL());
    EGLstop();
    EXPECT_EQ(platform::in2dmode.load(), 1);
    // A later frame builds the framebuffer again and hands the screen back to the GL view.
    ASSERT_TRUE(EGLWaitNative()) << platform::glViewError();
    ASSERT_TRUE(EGLWaitGL());
    EXPECT_EQ(platform::in2dmode.load(), 0);
    platform::glViewShutdown();
    ASSERT_TRUE(EGLstart()) << platform::glViewError();
    ASSERT_TRUE(EGLWaitGL());
}

TEST(GLView, AThreadTakingTheViewWaitsForTheOwnersFrameToEnd) {
    setOutput(4, 4);
    std::atomic<bool> taken{false};
    std::atomic<bool> ownerPresented{false};
    std::thread owner([&] {
        ASSERT_TRUE(EGLWaitNative());
        taken = true;
        taken.notify_one();
        EXPECT_TRUE(EGLcontextOwnedHere());
        // Long enough that the main thread is most likely waiting by now; either way it must not fail.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        glClearColor(1, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        ownerPresented = EGLWaitGL();
    });
    taken.wait(false);
    EXPECT_FALSE(EGLcontextOwnedHere());
    ASSERT_TRUE(EGLWaitNative()) << platform::glViewError();
    // The other thread drew since this thread's last turn: its state may be anything.
    EXPECT_TRUE(EGLviewTouchedByAnotherThread());
    ASSERT_TRUE(EGLWaitGL());
    owner.join();
    EXPECT_TRUE(ownerPresented.load());
    ASSERT_TRUE(EGLWaitNative());
    EXPECT_FALSE(EGLviewTouchedByAnotherThread());
    ASSERT_TRUE(EGLWaitGL());
}
