// Process-wide state of the platform layer: written on the UI thread, read by the runtime's threads.
#pragma once

#include <atomic>
#include <cstdint>

namespace platform {

// Surface size in pixels: 640 x 960 on a retina screen, the screen bounds in points elsewhere.
inline std::atomic<int32_t> outputWidth{0};
inline std::atomic<int32_t> outputHeight{0};
// 1 on a retina screen: view points are shifted left by it to give pixels.
inline std::atomic<int32_t> shiftScale{0};
// 1 while the software image view is shown instead of the OpenGL view.
inline std::atomic<int32_t> in2dmode{0};
// 1 between a frame's first drawing and its presentation, 0 after.
inline std::atomic<int32_t> glViewState{0};
inline std::atomic<bool> sizeChangedResetGLView{false};
inline std::atomic<int32_t> landscapeModeOrientationCache{0};
// Touches and accelerometer samples reach the runtime only while this is set.
inline std::atomic<bool> sendInputsPlease{false};

}  // namespace platform
