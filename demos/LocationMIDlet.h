// A demonstration MIDlet that asks for a fix every second and for word when a fix comes within
// 50 m of a point, and logs each listener call and proximity event.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

JavaPtr<javax::microedition::midlet::MIDlet> makeLocationMIDlet();

// Its built-in script: no fix yet, then fixes, one of them invalid and dropped, one of them
// within the proximity radius.
inline constexpr const char* LOCATION_SCRIPT =
    "# Before any fix the listener hears why there is none; then each fix, but not the bad one.\n"
    "wait_frames 1 10000\n"
    "expect_log location: invalid \"We haven't received any Location information yet\"\n"
    "location 48.8566 2.3522 5 35 3 \"first fix\"\n"
    "expect_log location: fix 48.85660 2.35220 alt 35.0 acc 5.0 \"first fix\"\n"
    "# A negative horizontal accuracy makes no fix: it is dropped.\n"
    "location 48.8570 2.3522 -1 35 3 \"bad fix\"\n"
    "location 48.8601 2.3522 5 36 3 \"near the point\"\n"
    "expect_log location: proximity 48.86000 2.35220 by fix 48.86010 2.35220\n"
    "expect_log location: fix 48.86010 2.35220 alt 36.0 acc 5.0 \"near the point\"\n"
    "terminate\n";

}  // namespace demo
