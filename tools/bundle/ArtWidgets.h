// The drawn parts that several images share, so that a button in a background segment and its pressed
// image, or a badge on two screens, come from the same description.
#pragma once

#include <string>

#include "tools/bundle/ArtCanvas.h"

namespace bundle::widgets {

enum class Look { Normal, Pressed, Right, Wrong };
enum class BarIcon { Hint, Skip, Info, Menu, Back, Units, Next };
enum class Medal { Bronze, Silver, Gold };

// The full-screen background every screen starts from.
void screenBackground(ArtCanvas& c, double x, double y, double w, double h);
void statusStrip(ArtCanvas& c, double w);
// A title band with its heading, from y top to top + h.
void titleBand(ArtCanvas& c, double top, double w, double h, const std::string& title);
void panel(ArtCanvas& c, double x, double y, double w, double h);
// A rounded button face in the given look (the answer, menu, list and wide buttons).
void buttonFace(ArtCanvas& c, double x, double y, double w, double h, Look look);
// A square bar button with its icon and caption.
void barButton(ArtCanvas& c, double x, double y, double w, double h, BarIcon icon, Look look);
void medalStar(ArtCanvas& c, double cx, double cy, double radius, Medal medal);
// Badge of rank 1 to 29, or 30 for the finished test, filling a size x size square at (x, y).
void rankBadge(ArtCanvas& c, double x, double y, double size, int rank);
// A count badge (digit, or the flash ring when digit < 0) filling the square.
void numberBadge(ArtCanvas& c, double size, int digit);
void twinkle(ArtCanvas& c, double size, int frame, Colour colour);
void loadingFrame(ArtCanvas& c, double size, int frame);
// The progress squares of the practice lists: count lit of total.
void progressBoxes(ArtCanvas& c, double x, double y, double box, int lit, int total);

}  // namespace bundle::widgets
