// A quiz half for the framework's tests, in place of app/quiz: counts what the framework calls and
// lets a test give each call a body.
#pragma once

#include <atomic>
#include <functional>

#include "app/framework/HookCanvas.h"

namespace testquiz {

struct Calls {
    std::atomic<int> updates{0};
    std::atomic<int> renders{0};
    std::atomic<int> loads{0};
    std::atomic<int> soundLoads{0};
    std::atomic<int> soundUnloads{0};
    std::atomic<int> inputSetUps{0};
};

inline Calls calls;
// Set before the canvas's threads run, cleared after they end.
inline std::function<void(HookCanvas&)> onUpdate;
inline std::function<void(HookCanvas&)> onLoad;
inline std::function<void(const JavaPtr<HookCanvas::Graphics>&)> onRender;

// Back to no calls and no bodies.
void reset();

}  // namespace testquiz
