#include "host/WindowPlacement.h"

#include <algorithm>
#include <cmath>

namespace {

// Where a length goes in the room along one axis: centred when it fits, else at the start.
int placeAlong(int start, int room, int length) { return start + std::max(0, (room - length) / 2); }

// A length in points at the scale, in whole pixels, never below one.
int scaled(int points, double scale) { return std::max(1, static_cast<int>(std::lround(points * scale))); }

}  // namespace

WindowPlacement placeWindow(const DeviceScreen& screen, const ScreenSetup& setup, int askedZoom, const Area& usable,
                            const Borders& borders) {
    WindowPlacement placement;
    const int roomWidth = usable.width - borders.left - borders.right;
    const int roomHeight = usable.height - borders.top - borders.bottom;
    int zoom = std::max(askedZoom, 1);
    while (zoom > 1 && (screen.boundsWidth * zoom > roomWidth || screen.boundsHeight * zoom > roomHeight)) --zoom;
    placement.scale = zoom;
    const double fits = std::min(static_cast<double>(std::max(roomWidth, 1)) / screen.boundsWidth,
                                 static_cast<double>(std::max(roomHeight, 1)) / screen.boundsHeight);
    if (fits < 1) placement.scale = fits;
    Area& window = placement.window;
    // The rounded size never passes the room.
    window.width = std::min(scaled(screen.boundsWidth, placement.scale), std::max(roomWidth, 1));
    window.height = std::min(scaled(screen.boundsHeight, placement.scale), std::max(roomHeight, 1));
    window.x = placeAlong(usable.x + borders.left, roomWidth, window.width);
    window.y = placeAlong(usable.y + borders.top, roomHeight, window.height);

    const int viewWidth = setup.viewWidth > 0 ? setup.viewWidth : screen.boundsWidth;
    const int viewHeight = setup.viewHeight > 0 ? setup.viewHeight : screen.boundsHeight;
    const int multiple = std::max(1, std::min(screen.boundsWidth / viewWidth, screen.boundsHeight / viewHeight));
    Area& view = placement.view;
    view.width = std::min(scaled(viewWidth * multiple, placement.scale), window.width);
    view.height = std::min(scaled(viewHeight * multiple, placement.scale), window.height);
    view.x = (window.width - view.width) / 2;
    view.y = (window.height - view.height) / 2;
    return placement;
}
