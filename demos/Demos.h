// The demonstration MIDlets the program can run instead of the application, chosen by name with
// --midlet. Linked into the program only.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "host/MidletEntry.h"

namespace demo {

std::span<const MidletEntry> demoMIDlets();
// Null when no demonstration has that name.
const MidletEntry* findDemo(std::string_view name);
// One line a demonstration: its name and what it shows.
std::string demoListing();

}  // namespace demo
