#include <algorithm>

#include "host/UiPump.h"
#include "platform/FrontBuffer.h"
#include "platform/UiThread.h"

HeadlessPump::HeadlessPump() {
    platform::setFrameListener([] { UiThread::post([] {}); });
}

HeadlessPump::~HeadlessPump() { platform::setFrameListener(nullptr); }

bool HeadlessPump::runUntil(Clock::time_point deadline, const std::function<bool()>& done) {
    for (;;) {
        UiThread::runPending();
        if (done()) return true;
        const Clock::time_point now = Clock::now();
        if (now >= deadline) return false;
        // Rounded up, so that a wait never ends just before its deadline and loops once more.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        UiThread::waitForWork(std::min(left, std::chrono::milliseconds(std::chrono::hours(1))));
    }
}
