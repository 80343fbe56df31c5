// Where the window goes on the display, and where the application's view goes in the window: the
// window is the device's screen at the largest zoom, up to the one asked for, that fits the
// display's usable area, and lies fully inside it; where even zoom 1 does not fit, the screen is
// shown at the fraction of its size that does. A phone application on a tablet fills the middle
// of the tablet's screen at a whole multiple of its size, as the platform showed it.
#pragma once

#include "host/ScreenProfile.h"

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The frame the window manager adds around the window, in display pixels.
struct Borders {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

struct WindowPlacement {
    // Window pixels per device point: a whole zoom, or below 1 the largest fraction that fits.
    double scale = 1;
    Area window;  // the window's inside, on the display
    Area view;    // the application's view, in the window
};

WindowPlacement placeWindow(const DeviceScreen& screen, const ScreenSetup& setup, int askedZoom, const Area& usable,
                            const Borders& borders);
