// Build switches, sizes and times of the runtime, fixed at compile time.
#pragma once

#include <cstdint>

namespace buildconstants {

constexpr bool THREADED_INPUTS = false;
constexpr bool USES_THREADED_REPAINT = false;
constexpr bool USES_USER_THREADING = false;
constexpr bool THREAD_TERMINATION_WAIT = false;
constexpr bool ATTEMPTS_2D_OVER_3D = true;
constexpr bool USES_2D_GRAPHICS = true;
constexpr bool USES_3D_GRAPHICS = false;
constexpr bool USE_RETINA_DISPLAY = true;
constexpr bool FORCE_APP_FULLSCREEN = true;
constexpr bool LANDSCAPE_MODE = false;
constexpr int32_t LANDSCAPE_MODE_ORIENTATION = 3;
constexpr bool ADAPT_TO_ORIENTATION_CHANGES = false;
constexpr int32_t ORIENTATION_LIMITER = 0;
constexpr bool USE_VIEW_CONTROLLER = false;
constexpr bool RENDER_SYSTEM_FONT_USING_NATIVE_FONT = false;
constexpr int32_t CANVAS_REPAINT_TOTAL = 1;
constexpr bool ATTEMPTS_2D_OVER_3D_FREE_IMMUTABLE_IMAGE_MEMORY = false;

constexpr int32_t THREAD_STACK_SIZE = 524288;
constexpr int32_t OBJECT_WAIT_SLEEP_TIME_MS = 5;
constexpr int32_t SYNC_LOCK_SLEEP_TIME_MS = 0;
constexpr int32_t CALL_SERIALLY_STACK_SIZE = 4;

constexpr bool LCDUI_SOFTKEYS_RENDER_BACK_ON_LEFT = true;
constexpr int32_t LCDUI_COLOR_BACKGROUND = 0xCCCCCC;
constexpr int32_t LCDUI_COLOR_FOREGROUND = 0x000000;
constexpr int32_t LCDUI_COLOR_HIGHLIGHTED_BACKGROUND = 0x0000CC;
constexpr int32_t LCDUI_COLOR_HIGHLIGHTED_FOREGROUND = 0xFFFFFF;
constexpr int32_t LCDUI_COLOR_BORDER = 0x666666;
constexpr int32_t LCDUI_COLOR_HIGHLIGHTED_BORDER = 0x0000FF;
constexpr int32_t LCDUI_COLOR_FOREGROUND_INACTIVE = 0xAAAAAA;

}  // namespace buildconstants
