// A MIDlet the program can run, chosen by name with --midlet: how it is made, what it plays
// headless without a script, and the rules of its own that the program follows around it.
#pragma once

#include <string>

#include "host/ProxyMIDlet.h"

struct MidletEntry {
    const char* name;
    const char* summary;
    ProxyMIDlet::MIDletFactory factory;
    // What the program plays headless when no script is given; null: a few frames, then the end.
    const char* builtInScript;
    // Joins the MIDlet's statics to the launcher's set-up and tear-down, before it launches; null: none.
    void (*joinLauncher)() = nullptr;
    // Why the MIDlet cannot start from the bundle directory, as one line; empty when it can. Null:
    // it always can.
    std::string (*startCheck)(const std::string& bundleDirectory) = nullptr;
    // The exit status the MIDlet's run ended with, after a run that was otherwise clean; null: 0.
    int (*exitStatus)() = nullptr;
};
