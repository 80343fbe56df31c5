#include "demos/Demos.h"

#include "demos/DemoMIDlet.h"
#include "demos/LocationMIDlet.h"
#include "demos/SmsMIDlet.h"

namespace demo {

namespace {

constexpr const char* DEMO_SCRIPT =
    "# A few frames of the demonstration, a tap on its button, and the end.\n"
    "wait_frames 1 10000\n"
    "capture frame-1.png\n"
    "tap 160 340\n"
    "wait_frames 2 5000\n"
    "capture frame-2.png\n"
    "terminate\n";

// Each demonstration adds its line here.
constexpr DemoEntry DEMOS[] = {
    {"demo", "shapes, an image and text; follows the finger and counts button presses", makeDemoMIDlet, DEMO_SCRIPT},
    {"sms", "sends a text message on each tap and logs whether it was sent", makeSmsMIDlet, SMS_SCRIPT},
    {"location", "logs a fix every second and a proximity event near a point", makeLocationMIDlet, LOCATION_SCRIPT},
};

}  // namespace

std::span<const DemoEntry> demoMIDlets() { return DEMOS; }

const DemoEntry* findDemo(std::string_view name) {
    for (const DemoEntry& entry : DEMOS)
        if (name == entry.name) return &entry;
    return nullptr;
}

std::string demoListing() {
    std::string listing;
    for (const DemoEntry& entry : DEMOS) listing += std::string(entry.name) + "\t" + entry.summary + "\n";
    return listing;
}

}  // namespace demo
