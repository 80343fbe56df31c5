#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/FrontBuffer.h"

// Frames are written in place into buffers that readers share: a frame a reader holds must not change
// under it, however many frames follow, on this thread or another.
TEST(FrontBuffer, AHeldFrameStaysAsItWasWhileLaterFramesArePresented) {
    const auto filled = [](uint32_t colour) { return std::vector<uint32_t>(6, colour); };
    platform::presentFrame(filled(1).data(), 3, 2);
    const std::shared_ptr<const platform::Frame> held = platform::presentedFrame();
    const uint64_t heldSerial = held->serial;
    for (uint32_t colour = 2; colour < 6; ++colour) {
        std::thread([&, colour] { platform::presentFrame(filled(colour).data(), 3, 2); }).join();
        EXPECT_EQ(platform::latestFrame().pixels, filled(colour));
    }
    EXPECT_EQ(held->pixels, filled(1));
    EXPECT_EQ(held->serial, heldSerial);
    EXPECT_EQ(platform::framesPresented(), heldSerial + 4);

    // A buffer taken for filling and dropped unpresented leaves the shown frame as it was.
    const std::shared_ptr<platform::Frame> unused = platform::frameToFill(2, 2);
    unused->pixels.assign(4, 9);
    EXPECT_EQ(platform::latestFrame().pixels, filled(5));
}
