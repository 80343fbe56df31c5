// Every image of the bundle by name: its size in layout units and its vector description. Background
// segments are cut from one drawing of their whole screen, so that neighbouring segments line up.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/bundle/ArtCanvas.h"

namespace bundle {

struct ArtPiece {
    int width = 0;  // layout units
    int height = 0;
    std::function<void(ArtCanvas&)> draw;
};

// Names are the resource names in lower case without "RESID_" and the "_LOW" or "_HIGH" ending, plus
// "splash" and "loading_anim_1" to "loading_anim_8".
const std::map<std::string, ArtPiece>& artCatalogue();

// The piece drawn at the scale: (width x scale) x (height x scale) pixels 0xAARRGGBB.
std::vector<uint32_t> renderArt(const ArtPiece& piece, int scale);

}  // namespace bundle
