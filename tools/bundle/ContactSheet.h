// One picture of every drawn image at one scale, each on a checkerboard (so transparency shows) with
// its name below, for judging the art at a glance.
#pragma once

#include <cstdint>
#include <vector>

namespace bundle {

// A PNG file's bytes.
std::vector<uint8_t> contactSheet(int scale);

}  // namespace bundle
