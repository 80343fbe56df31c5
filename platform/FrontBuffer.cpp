#include "platform/FrontBuffer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

// A frame's pixels and how many readers hold them; the count changes under frameLock only, so a
// presenter that finds it zero knows every reader has finished with the pixels.
struct Buffer : Frame {
    int32_t readers = 0;
};

std::mutex frameLock;
std::condition_variable framePresented;
std::shared_ptr<Buffer> current = std::make_shared<Buffer>();  // never null
// The frame shown before the current one, written again once no reader holds it.
std::shared_ptr<Buffer> spare;
std::atomic<FrameListener> frameListener{nullptr};

// GL's rows run from the bottom: swaps them end for end. The screen is opaque, so the alpha the
// blending left is dropped on the way.
void turnUpright(Frame& frame) {
    const size_t rowLength = static_cast<size_t>(frame.width);
    uint32_t* pixels = frame.pixels.data();
    for (int32_t top = 0, bottom = frame.height - 1; top <= bottom; ++top, --bottom) {
        uint32_t* upper = pixels + static_cast<size_t>(top) * rowLength;
        uint32_t* lower = pixels + static_cast<size_t>(bottom) * rowLength;
        for (size_t i = 0; i < rowLength; ++i) {
            const uint32_t above = upper[i];
            upper[i] = lower[i] | 0xFF000000u;
            lower[i] = above | 0xFF000000u;
        }
    }
    frame.readBackFromGL = false;
}

}  // namespace

std::shared_ptr<Frame> frameToFill(int32_t width, int32_t height) {
    std::shared_ptr<Buffer> buffer;
    {
        std::lock_guard<std::mutex> guard(frameLock);
        if (spare && spare->readers == 0) buffer = std::move(spare);
        spare = nullptr;
    }
    if (!buffer) buffer = std::make_shared<Buffer>();
    buffer->width = width;
    buffer->height = height;
    buffer->readBackFromGL = false;
    buffer->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    return buffer;
}

void presentFrame(std::shared_ptr<Frame> filled) {
    // frameToFill made it.
    std::shared_ptr<Buffer> buffer = std::static_pointer_cast<Buffer>(std::move(filled));
    {
        std::lock_guard<std::mutex> guard(frameLock);
        buffer->serial = current->serial + 1;
        std::swap(current, buffer);
        spare = std::move(buffer);
    }
    framePresented.notify_all();
    if (const FrameListener listener = frameListener.load(std::memory_order_acquire)) listener();
}

void presentFrame(const uint32_t* pixels, int32_t width, int32_t height) {
    std::shared_ptr<Frame> frame = frameToFill(width, height);
    std::memcpy(frame->pixels.data(), pixels, frame->pixels.size() * sizeof(uint32_t));
    presentFrame(std::move(frame));
}

void setFrameListener(FrameListener listener) { frameListener.store(listener, std::memory_order_release); }

std::shared_ptr<const Frame> presentedFrame() {
    std::lock_guard<std::mutex> guard(frameLock);
    // No reader holds a frame before this, and the presenter never writes the current one.
    if (current->readBackFromGL) turnUpright(*current);
    ++current->readers;
    return {current.get(), [buffer = current](const Frame*) {
                std::lock_guard<std::mutex> guard(frameLock);
                --buffer->readers;
            }};
}

Frame latestFrame() { return *presentedFrame(); }

uint64_t framesPresented() {
    std::lock_guard<std::mutex> guard(frameLock);
    return current->serial;
}

bool waitForFrame(uint64_t serial, int32_t timeoutMillis) {
    std::unique_lock<std::mutex> lock(frameLock);
    return framePresented.wait_for(lock, std::chrono::milliseconds(timeoutMillis),
                                   [serial] { return current->serial >= serial; });
}

}  // namespace platform
