// Where the window goes: the largest whole zoom up to the one asked that fits the display's usable
// area less the window manager's frame, else the fraction of the device's screen that fits, always
// fully inside; and the phone view in the middle of a tablet's screen at the same scale.
#include <gtest/gtest.h>

#include <tuple>

#include "host/ScreenProfile.h"
#include "host/WindowPlacement.h"

namespace {

auto fields(const Area& area) { return std::make_tuple(area.x, area.y, area.width, area.height); }

TEST(WindowPlacement, TheWindowIsTheLargestScaleThatFitsTheUsableAreaAndLiesFullyInIt) {
    struct Case {
        const char* name;
        const char* device;
        int zoom;
        Area usable;
        Borders borders;
        double scale;
        Area window, view;
    };
    const Case cases[] = {
        {"phoneAtTheZoomAsked", "iPhone2,1", 2, {0, 0, 1280, 1024}, {}, 2, {320, 32, 640, 960}, {0, 0, 640, 960}},
        {"phoneAtALowerZoom", "iPhone2,1", 2, {0, 0, 800, 600}, {}, 1, {240, 60, 320, 480}, {0, 0, 320, 480}},
        {"tabletWholeWithItsFrame", "iPad1,1", 2, {0, 0, 1920, 1080}, {30, 0, 0, 0}, 1, {576, 43, 768, 1024},
         {64, 32, 640, 960}},
        {"tabletOnALaptop", "iPad1,1", 1, {0, 0, 1366, 768}, {}, 0.75, {395, 0, 576, 768}, {48, 24, 480, 720}},
        {"tabletOnASmallDisplay", "iPad1,1", 1, {0, 0, 800, 600}, {}, 600.0 / 1024, {175, 0, 450, 600},
         {37, 18, 375, 563}},
        {"tabletBelowAPanelInAFrame", "iPad1,1", 1, {0, 32, 1366, 736}, {24, 2, 2, 2}, 710.0 / 1024,
         {416, 56, 533, 710}, {44, 22, 444, 666}},
    };
    for (const Case& c : cases) {
        const DeviceScreen& screen = *ScreenProfile::find(c.device);
        const WindowPlacement placement =
            placeWindow(screen, ScreenProfile::setupFor(screen), c.zoom, c.usable, c.borders);
        EXPECT_DOUBLE_EQ(placement.scale, c.scale) << c.name;
        EXPECT_EQ(fields(placement.window), fields(c.window)) << c.name;
        EXPECT_EQ(fields(placement.view), fields(c.view)) << c.name;
        const Area& window = placement.window;
        EXPECT_TRUE(window.x - c.borders.left >= c.usable.x && window.y - c.borders.top >= c.usable.y &&
                    window.x + window.width + c.borders.right <= c.usable.x + c.usable.width &&
                    window.y + window.height + c.borders.bottom <= c.usable.y + c.usable.height)
            << c.name;
    }
}

}  // namespace
