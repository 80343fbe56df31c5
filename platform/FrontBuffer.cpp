#include "platform/FrontBuffer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

namespace {
std::mutex frameLock;
std::condition_variable framePresented;
Frame current;
std::atomic<FrameListener> frameListener{nullptr};
}  // namespace

void presentFrame(const uint32_t* pixels, int32_t width, int32_t height) {
    {
        std::lock_guard<std::mutex> guard(frameLock);
        current.width = width;
        current.height = height;
        current.pixels.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
        ++current.serial;
    }
    framePresented.notify_all();
    if (const FrameListener listener = frameListener.load(std::memory_order_acquire)) listener();
}

void setFrameListener(FrameListener listener) { frameListener.store(listener, std::memory_order_release); }

Frame latestFrame() {
    std::lock_guard<std::mutex> guard(frameLock);
    return current;
}

uint64_t framesPresented() {
    std::lock_guard<std::mutex> guard(frameLock);
    return current.serial;
}

bool waitForFrame(uint64_t serial, int32_t timeoutMillis) {
    std::unique_lock<std::mutex> lock(frameLock);
    return framePresented.wait_for(lock, std::chrono::milliseconds(timeoutMillis),
                                   [serial] { return current.serial >= serial; });
}

}  // namespace platform
