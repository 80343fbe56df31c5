// A demonstration MIDlet that fetches the URL named by an environment variable, from a thread of
// its own, and logs the status, the body's length and its checksum.
#pragma once

#include <string>
#include <string_view>

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

// The variable that names the URL to fetch (http or https).
inline constexpr const char* HTTP_DEMO_URL_VARIABLE = "LEXIVO_DEMO_HTTP_URL";

JavaPtr<javax::microedition::midlet::MIDlet> makeHttpMIDlet();

// The checksum the log gives: FNV-1a over the body, 32 bits, as eight hexadecimal digits.
std::string httpBodyChecksum(std::string_view body);

// Its built-in script: waits for the fetch to end, then ends.
inline constexpr const char* HTTP_SCRIPT =
    "# The fetch starts with the MIDlet; its outcome is logged, then the program ends.\n"
    "wait_frames 1 10000\n"
    "expect_log http: done\n"
    "terminate\n";

}  // namespace demo
