// The demonstration MIDlets the program can run instead of the application, chosen by name with
// --midlet. Linked into the program only.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "host/ProxyMIDlet.h"

namespace demo {

struct DemoEntry {
    const char* name;
    const char* summary;
    ProxyMIDlet::MIDletFactory factory;
    // What the program plays headless when no script is given; null: a few frames, then the end.
    const char* builtInScript;
};

std::span<const DemoEntry> demoMIDlets();
// Null when no demonstration has that name.
const DemoEntry* findDemo(std::string_view name);
// One line a demonstration: its name and what it shows.
std::string demoListing();

}  // namespace demo
