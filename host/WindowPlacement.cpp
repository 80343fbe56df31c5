#include "host/WindowPlacement.h"

#include <algorithm>

namespace {

// Where a length goes in the room along one axis: centred when it fits, else at the start.
int placeAlong(int start, int room, int length) { return start + std::max(0, (room - length) / 2); }

}  // namespace

WindowPlacement placeWindow(const DeviceScreen& screen, const ScreenSetup& setup, int askedZoom, const Area& usable,
                            const Borders& borders) {
    WindowPlacement placement;
    const int roomWidth = usable.width - borders.left - borders.right;
    const int roomHeight = usable.height - borders.top - borders.bottom;
    placement.zoom = std::max(askedZoom, 1);
    while (placement.zoom > 1 &&
           (screen.boundsWidth * placement.zoom > roomWidth || screen.boundsHeight * placement.zoom > roomHeight))
        --placement.zoom;
    Area& window = placement.window;
    window.width = screen.boundsWidth * placement.zoom;
    window.height = screen.boundsHeight * placement.zoom;
    window.x = placeAlong(usable.x + borders.left, roomWidth, window.width);
    window.y = placeAlong(usable.y + borders.top, roomHeight, window.height);

    const int viewWidth = setup.viewWidth > 0 ? setup.viewWidth : screen.boundsWidth;
    const int viewHeight = setup.viewHeight > 0 ? setup.viewHeight : screen.boundsHeight;
    const int multiple = std::max(1, std::min(screen.boundsWidth / viewWidth, screen.boundsHeight / viewHeight));
    Area& view = placement.view;
    view.width = viewWidth * multiple * placement.zoom;
    view.height = viewHeight * multiple * placement.zoom;
    view.x = (window.width - view.width) / 2;
    view.y = (window.height - view.height) / 2;
    return placement;
}
