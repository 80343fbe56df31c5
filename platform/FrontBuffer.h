// The last presented frame, read back from OpenGL: the windowed host shows it, the headless host
// captures it. Frames are counted so that a script can wait for them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

struct Frame {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // pixel words, rows from the top
    uint64_t serial = 0;           // 0 before the first frame
    // Filled as OpenGL reads back: rows from the bottom, alpha as the blending left it. The first
    // reader turns it upright and opaque, so the painting thread never spends a frame on a picture
    // nobody looks at.
    bool readBackFromGL = false;
};

// Presenting without a copy: the painting thread takes a buffer of width x height (holding whatever
// an earlier frame left), writes every pixel into it and presents it. A buffer never presented is
// simply dropped.
std::shared_ptr<Frame> frameToFill(int32_t width, int32_t height);
void presentFrame(std::shared_ptr<Frame> filled);
// Copies the pixels in and presents them.
void presentFrame(const uint32_t* pixels, int32_t width, int32_t height);

// The last presented frame, shared: it stays as it is for as long as it is held.
std::shared_ptr<const Frame> presentedFrame();
// A copy of it.
Frame latestFrame();
uint64_t framesPresented();
// Waits until at least `serial` frames have been presented; false on timeout.
bool waitForFrame(uint64_t serial, int32_t timeoutMillis);

// Called on the presenting thread after each frame is stored, so that a host's UI loop can wake to
// show or count it without blocking in waitForFrame. Null for none.
using FrameListener = void (*)();
void setFrameListener(FrameListener listener);

}  // namespace platform
