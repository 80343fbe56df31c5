// How the UI thread waits: it keeps running its work queue (and, with a window, the window's
// events and the accelerometer's timer) until a condition holds or a deadline passes.
#pragma once

#include <chrono>
#include <functional>

class UiPump {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~UiPump() = default;
    // Runs until done() holds (checked after each batch of work) or the deadline passes; answers
    // done()'s last value.
    virtual bool runUntil(Clock::time_point deadline, const std::function<bool()>& done) = 0;
};

// The headless host's: the work queue only. Presented frames wake it, so that a script waiting
// for frames sleeps instead of polling.
class HeadlessPump : public UiPump {
public:
    HeadlessPump();
    ~HeadlessPump() override;
    bool runUntil(Clock::time_point deadline, const std::function<bool()>& done) override;
};
