// A demonstration MIDlet that sends a text message on each tap, from a thread of its own, and
// logs whether it was sent.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

JavaPtr<javax::microedition::midlet::MIDlet> makeSmsMIDlet();

// Its built-in script: the composer's answers in turn, a tap for each, and the logs they give.
inline constexpr const char* SMS_SCRIPT =
    "# The composer sends, cancels, then is not there: one tap each, and each outcome logged.\n"
    "wait_frames 1 10000\n"
    "sms_result sent\n"
    "tap 160 240\n"
    "expect_log sms composer: to +4917012345: Grüße vom Quiz ✓\n"
    "expect_log sms: send 1 sent\n"
    "sms_result cancelled\n"
    "tap 160 240\n"
    "expect_log sms: send 2 not sent\n"
    "sms_result unavailable\n"
    "tap 160 240\n"
    "expect_log sms: send 3 not sent\n"
    "terminate\n";

}  // namespace demo
