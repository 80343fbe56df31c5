// The window and the views on it, as the delegate makes and releases them: the windowed host
// shows them through SDL, the headless host has none.
#pragma once

#include <cstdint>
#include <vector>

#include "host/ScreenProfile.h"

// The launch image the image view shows until the first frame; empty when the bundle has none.
struct LaunchImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // pixel words, rows from the top
};

class Views {
public:
    virtual ~Views() = default;
    // The window with the screen bounds, the image view showing the launch image, and the GL
    // view's place above it.
    virtual void createWindow(const DeviceScreen& screen, const ScreenSetup& setup, const LaunchImage& launchImage) = 0;
    // The delegate's first clean-up: the views and the window go.
    virtual void release() = 0;
};

// The headless host's: nothing is shown.
class NoViews : public Views {
public:
    void createWindow(const DeviceScreen&, const ScreenSetup&, const LaunchImage&) override {}
    void release() override {}
};
