// The views' touch handlers: one finger, its location in view points turned into surface pixels
// and handed to the runtime's pointer entry points while input delivery is on.
#pragma once

#include <cstdint>
#include <functional>

// Truncates a coordinate in points, then shifts it left by the retina shift: 479.5 gives 958.
int32_t pixelFromPoint(double point, int32_t shiftScale);

class TouchInput {
public:
    struct EntryPoints {
        std::function<void(int32_t, int32_t)> down;
        std::function<void(int32_t, int32_t)> dragged;
        std::function<void(int32_t, int32_t)> up;
    };

    // Where a touch the system takes away is released: outside the screen, so that screens, which
    // act on the release, act on nothing.
    static constexpr int32_t RELEASE_OUTSIDE = -1;

    // Empty entry points default to xyzMouseDown, xyzMouseDragged and xyzMouseUp.
    explicit TouchInput(EntryPoints entryPoints = {});

    // Called on the UI thread with the location in view points. A touch that began while input
    // delivery was off is never delivered, not even its end.
    void touchesBegan(double x, double y);
    void touchesMoved(double x, double y);
    void touchesEnded(double x, double y);
    // The system cancelled the touch, or the application stops being active with a finger down:
    // a delivered touch is released at (RELEASE_OUTSIDE, RELEASE_OUTSIDE).
    void touchesCancelled();
    bool isHeld() const { return m_held; }

private:
    EntryPoints m_entryPoints;
    bool m_held = false;
};
