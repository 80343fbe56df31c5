#include "app/quiz/QuizEntry.h"

#include <atomic>
#include <cstdio>

#include "app/framework/AppMidlet.h"
#include "app/framework/HookCanvas.h"
#include "app/framework/StaticProxy.h"
#include "app/quiz/QuizBundle.h"
#include "app/quiz/SaveReport.h"
#include "host/ExitStatus.h"
#include "host/Launcher.h"
#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/text/String.h"

namespace {

// The quiz's own session: a test question answered, the information panel, the practice
// lists and the statistics, each screen captured as soon as it has been shown whole. Every wait is
// for something the quiz does, however slowly the machine runs it.
constexpr const char* APPLICATION_SCRIPT =
    "expect_log quiz: screen 1: main menu\n"
    "capture 1-main-menu.png\n"
    "tap 160 192\n"
    "expect_log quiz: screen 2: question\n"
    "capture 2-question.png\n"
    "tap 200 435\n"
    "expect_log quiz: screen 3: information\n"
    "capture 3-information.png\n"
    "tap 280 430\n"
    "expect_log quiz: screen 4: question\n"
    "tap 200 157\n"
    "wait_frames 4 60000\n"
    "capture 4-answered.png\n"
    "# The next question slides in after a pause of 100 updates and a slide of 20; each frame\n"
    "# follows at least one update.\n"
    "wait_frames 130 120000\n"
    "tap 280 435\n"
    "expect_log quiz: screen 5: main menu\n"
    "tap 160 262\n"
    "expect_log quiz: screen 6: categories\n"
    "accel 0.5 -0.5 0 for 400\n"
    "capture 5-categories.png\n"
    "down 160 40\n"
    "wait_frames 3 60000\n"
    "up 160 40\n"
    "expect_log quiz: screen 7: subsections\n"
    "capture 6-subsections.png\n"
    "# The lists' back button acts on a release once a frame has shown it pressed.\n"
    "down 280 435\n"
    "wait_frames 2 60000\n"
    "up 280 435\n"
    "expect_log quiz: screen 8: categories\n"
    "down 280 435\n"
    "wait_frames 2 60000\n"
    "up 280 435\n"
    "expect_log quiz: screen 9: main menu\n"
    "tap 160 332\n"
    "expect_log quiz: screen 10: statistics\n"
    "capture 7-statistics.png\n"
    "terminate\n";

constexpr const char* CANNOT_START = "the quiz cannot start: ";

std::atomic<bool> startFailed{false};

std::string startCheck(const std::string& bundleDirectory) {
    const std::string unusable = firstUnusableQuizFile(bundleDirectory);
    return unusable.empty() ? unusable : CANNOT_START + unusable;
}

// A start that failed after the check; else whether the player's progress is not where they think it is.
int exitStatus() {
    if (startFailed.load()) return exitstatus::REFUSED_START;
    return savereport::lastSaveFailed() ? exitstatus::LAST_SAVE_FAILED : 0;
}

constexpr MidletEntry QUIZ = {"app", "the quiz application", makeAppMidlet, APPLICATION_SCRIPT,
                              StaticProxy::registerWithLauncher, startCheck, exitStatus};

}  // namespace

const MidletEntry& quizEntry() { return QUIZ; }

void quizCannotStart(HookCanvas& canvas, java::io::IOException& unreadable) {
    canvas.stopMainThread();
    if (startFailed.exchange(true)) return;
    const JavaPtr<java::lang::String> message = unreadable.getMessage();
    std::fprintf(stderr, "lexivo-quiz: %s%s\n", CANNOT_START,
                 message ? java::io::toUtf8(message->view()).c_str() : "a bundle file cannot be read");
    std::fflush(stderr);
    launcher::askToTerminate();
}
