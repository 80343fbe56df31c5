#include "demos/Demos.h"

#include "demos/BareFramesMIDlet.h"
#include "demos/ChromeDemo.h"
#include "demos/DemoMIDlet.h"
#include "demos/GLDemoMIDlet.h"
#include "demos/HttpMIDlet.h"
#include "demos/LocationMIDlet.h"
#include "demos/FormsDemo.h"
#include "demos/ListsDemo.h"
#include "demos/TextDemo.h"
#include "demos/DatesDemo.h"
#include "demos/SmsMIDlet.h"
#include "demos/SoundDemoMIDlet.h"

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
constexpr MidletEntry DEMOS[] = {
    {"demo", "shapes, an image and text; follows the finger and counts button presses", makeDemoMIDlet, DEMO_SCRIPT},
    {"sms", "sends a text message on each tap and logs whether it was sent", makeSmsMIDlet, SMS_SCRIPT},
    {"http", "fetches the URL in LEXIVO_DEMO_HTTP_URL and logs status, length and checksum", makeHttpMIDlet, HTTP_SCRIPT},
    {"chrome", "a screen's chrome: title, ticker, soft keys with a menu, scroll bar and keyboard", makeChromeDemoMIDlet,
     nullptr},
    {"sound", "each tap plays a sound through the sound channels; player events are logged", makeSoundDemoMIDlet,
     "expect_log sound: loaded\ntap 160 240\nwait 500\nterminate\n"},
    {"gl", "OpenGL ES through EGL: a triangle, compressed textures, a 2D canvas between GL frames", makeGLDemoMIDlet, GL_DEMO_SCRIPT},
    {"location", "logs a fix every second and a proximity event near a point", makeLocationMIDlet, LOCATION_SCRIPT},
    {"forms", "a form: flowing text, aligned and expanding items, an image and a custom cross", makeFormsDemoMIDlet,
     nullptr},
    {"lists", "an implicit list whose rows show alerts, a modal question and an exclusive list", makeListsDemoMIDlet,
     nullptr},
    {"text", "text fields: plain, password and box mode, typed on the keypad or the keyboard", makeTextDemoMIDlet,
     nullptr},
    {"dates", "a date and time field with its calendar and clock", makeDatesDemoMIDlet, nullptr},
    {"bare", "30 flat frames a second: the floor for measuring the quiz at rest", makeBareFramesMIDlet, nullptr},
};

}  // namespace

std::span<const MidletEntry> demoMIDlets() { return DEMOS; }

const MidletEntry* findDemo(std::string_view name) {
    for (const MidletEntry& entry : DEMOS)
        if (name == entry.name) return &entry;
    return nullptr;
}

std::string demoListing() {
    std::string listing;
    for (const MidletEntry& entry : DEMOS) listing += std::string(entry.name) + "\t" + entry.summary + "\n";
    return listing;
}

}  // namespace demo
