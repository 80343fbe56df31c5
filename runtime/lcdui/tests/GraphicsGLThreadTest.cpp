#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "runtime/lcdui/tests/GLScreen.h"

using namespace javax::microedition::lcdui;
using lcduitest::GLScreen;

// A loading thread makes and drops images while the painting thread draws frames and sweeps.
TEST(GraphicsGLThreads, ImagesMadeAndDroppedOnAnotherThreadDuringFrames) {
    GLScreen glScreen(32, 32);
    auto kept = Image::createImage(4, 4);
    std::atomic<bool> loading{true};
    std::atomic<int> made{0};
    std::thread loader([&] {
        while (loading.load()) {
            auto image = Image::createImage(5 + made.load() % 7, 3);
            auto context = image->getGraphics();
            context->setColor(0x00FF00);
            context->fillRect(0, 0, 2, 2);
            made.fetch_add(1);
            if (made.load() % 3 == 0) std::this_thread::yield();
        }
    });
    int frames = 0;
    while (frames < 40 || made.load() < 40) {
        glScreen.screen->setColor(frames * 0x050301);
        glScreen.screen->fillRect(0, 0, 32, 32);
        glScreen.screen->drawImage(kept, frames % 28, 4, 0);
        ASSERT_EQ(glScreen.present().size(), 32u * 32u);
        ++frames;
    }
    loading = false;
    loader.join();
    // Every dropped image's texture goes with the next frame; only the kept image's stays.
    glScreen.screen->fillRect(0, 0, 1, 1);
    glScreen.present();
    EXPECT_EQ(glScreen.backEnd().liveTextureCount(), 1);
}

// A hidden canvas's frame once went on to be read back and shown; it must still give up the
// context, or the next painter on another thread could not draw at all.
TEST(GraphicsGLThreads, AnUnshownFrameIsNotPresentedAndTheNextPainterMayBeAnotherThread) {
    GLScreen glScreen(16, 16);
    glScreen.screen->setColor(0x0000FF);
    glScreen.screen->fillRect(0, 0, 16, 16);
    const std::vector<uint32_t> blue = glScreen.present();
    ASSERT_EQ(blue.size(), 16u * 16u);
    const uint64_t shownFrames = platform::framesPresented();

    std::thread([&] {
        glScreen.screen->setColor(0xFF0000);
        glScreen.screen->fillRect(0, 0, 16, 16);
        glScreen.backEnd().flushGraphics(*glScreen.screen, false);
    }).join();
    EXPECT_EQ(platform::framesPresented(), shownFrames);
    EXPECT_EQ(platform::latestFrame().pixels, blue);

    std::vector<uint32_t> next;
    std::thread([&] {
        glScreen.screen->setColor(0x00FF00);
        glScreen.screen->fillRect(0, 0, 16, 16);
        next = glScreen.present();
    }).join();
    ASSERT_EQ(next.size(), 16u * 16u);
    EXPECT_NE(next, blue);
    EXPECT_EQ(platform::framesPresented(), shownFrames + 1);
}
