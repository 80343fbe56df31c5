// The quiz end to end: the built program run headless with scripted touches over saved progress
// that the test prepares, its captured frames checked at known places. Layout points are doubled
// on the default retina phone. Built a second time to play the same sessions in a real window,
// where the taps that change screens are clicks on it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/quiz/tests/QuizCanvas.h"
#include "host/tests/ProgramRun.h"

namespace {

using programtest::loadPicture;
using programtest::Picture;
using programtest::RunningProgram;
using programtest::TemporaryDirectory;
namespace fs = std::filesystem;

int32_t px(int32_t layout) { return layout * 2; }

// Centres of the answer slots and buttons, in layout points.
constexpr int32_t ANSWER_X = 200;
int32_t answerY(int32_t slot) { return 161 + 85 * slot; }
constexpr int32_t CONTINUE_Y = 122;
constexpr int32_t NEW_TEST_Y = 192;
constexpr int32_t PRACTICE_Y = 262;
constexpr int32_t STATS_Y = 332;

struct ProgramResult {
    int status = -1;
    std::string output;
    std::string errors;
};

#ifdef QUIZ_IN_A_WINDOW
struct Click {
    std::string marker;
    int32_t x = 0, y = 0;
};

// In a window the taps that lead to another screen are real clicks sent by the X server: the
// script marks the moment with a capture and then waits for the screen as after its own taps.
std::vector<Click> clicksInstead(std::string& script) {
    std::vector<Click> clicks;
    std::istringstream in(script);
    std::string line, next, rewritten;
    std::getline(in, line);
    for (bool more = true; more; line = next) {
        more = static_cast<bool>(std::getline(in, next));
        Click click;
        std::istringstream words(line);
        std::string verb;
        if (more && next.rfind("expect_log ", 0) == 0 && words >> verb >> click.x >> click.y && verb == "tap") {
            click.marker = "click-" + std::to_string(clicks.size() + 1) + ".png";
            line = "capture " + click.marker;
            clicks.push_back(click);
        }
        rewritten += line + "\n";
    }
    script = rewritten;
    return clicks;
}
#endif

ProgramResult runQuiz(const fs::path& directory, const fs::path& documents, std::string script) {
    // Silent and the same on every machine: the audio library's null output.
    ::setenv("ALSOFT_DRIVERS", "null", 1);
    // The first screen's loading reads every sound and image: under a sanitizer on a busy machine
    // it may take longer than a script's wait for a log line allows, so that wait starts later.
#ifdef QUIZ_IN_A_WINDOW
    const std::vector<Click> clicks = clicksInstead(script);
#endif
    std::ofstream(directory / "script.txt") << "wait_frames 1 60000\nwait 2500\n" << script;
    std::vector<std::string> arguments{LEXIVO_QUIZ_PATH, "--script", (directory / "script.txt").string(), "--capture",
                                       directory.string(), "--documents", documents.string()};
#ifdef QUIZ_IN_A_WINDOW
    // The SDL suppressions join the test's for this run only: the combined file goes with the directory.
    const char* given = std::getenv("LSAN_OPTIONS");
    const std::string options = given ? given : "";
    programtest::useSuppressionsToo(LEXIVO_LSAN_SDL_SUPPRESSIONS, directory / "lsan.supp");
#else
    arguments.push_back("--headless");
#endif
    RunningProgram program(LEXIVO_QUIZ_PATH, arguments, directory / "stderr.txt");
#ifdef QUIZ_IN_A_WINDOW
    if (given) ::setenv("LSAN_OPTIONS", options.c_str(), 1); else ::unsetenv("LSAN_OPTIONS");
#endif
#ifdef QUIZ_IN_A_WINDOW
    for (const Click& click : clicks)
        if (!program.readUntil(click.marker) || !programtest::clickWindow(program.pid(), "ZAR Lexivo Quiz", click.x, click.y))
            break;
#endif
    ProgramResult run;
    run.status = program.wait();
    run.output = program.output();
    std::ifstream in(directory / "stderr.txt");
    run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

std::string tap(int32_t x, int32_t y) { return "tap " + std::to_string(x) + " " + std::to_string(y) + "\n"; }
// A finger resting long enough for the lists to take it as a choice, whatever the machine's pace:
// every frame after the first comes from at least one update that saw the finger down.
std::string rest(int32_t x, int32_t y) {
    const std::string at = std::to_string(x) + " " + std::to_string(y) + "\n";
    return "down " + at + "wait_frames 6 10000\nup " + at;
}
// A drag through the points in which an update sees the finger at each of them before it moves
// on: two frames, as the first may have been under way before the finger moved.
std::string drag(std::initializer_list<int32_t> ys, int32_t x) {
    std::string script;
    const char* verb = "down ";
    for (const int32_t y : ys) {
        script += verb + std::to_string(x) + " " + std::to_string(y) + "\nwait_frames 2 10000\n";
        verb = "move ";
    }
    return script + "up " + std::to_string(x) + " " + std::to_string(*(ys.end() - 1)) + "\n";
}
// Waits for the n-th screen to be shown and wiped in.
std::string shown(int32_t n, const char* name) {
    return "expect_log quiz: screen " + std::to_string(n) + ": " + name + "\nwait_frames 12 10000\n";
}

int32_t red(int32_t rgb) { return (rgb >> 16) & 0xFF; }
int32_t green(int32_t rgb) { return (rgb >> 8) & 0xFF; }
bool greenish(int32_t rgb) { return green(rgb) > red(rgb) + 40; }
bool reddish(int32_t rgb) { return red(rgb) > green(rgb) + 40; }
// Most of an answer button's column shows its look; a long answer's lines of text cover some of it.
bool mostly(const Picture& frame, int32_t slot, bool (*look)(int32_t)) {
    int32_t hits = 0, total = 0;
    for (int32_t y = answerY(slot) - 20; y <= answerY(slot) + 20; ++y, ++total) hits += look(frame.rgbAt(px(ANSWER_X + 80), px(y)));
    return hits * 2 > total;
}

int32_t blue(int32_t rgb) { return rgb & 0xFF; }
// The yellow-white of a twinkle, which comes and goes with the pace of the updates.
bool twinkle(int32_t rgb) { return red(rgb) > 200 && green(rgb) > 160 && blue(rgb) < 170; }

// How many pixels of the rectangle (layout points) differ between two pictures, twinkles aside.
int32_t differences(const Picture& a, const Picture& b, int32_t x, int32_t y, int32_t w, int32_t h) {
    int32_t count = 0;
    for (int32_t j = px(y); j < px(y + h); ++j)
        for (int32_t i = px(x); i < px(x + w); ++i) {
            const int32_t p = a.rgbAt(i, j);
            const int32_t q = b.rgbAt(i, j);
            count += p != q && !twinkle(p) && !twinkle(q);
        }
    return count;
}

// How many pixels of the rectangle (layout points) differ between two scenes, each captured twice
// some frames apart: only pixels that stay the same within each scene count, so twinkles of any
// colour passing over are left out.
int32_t steadyDifferences(const Picture& a, const Picture& aLater, const Picture& b, const Picture& bLater, int32_t x,
                          int32_t y, int32_t w, int32_t h) {
    int32_t count = 0;
    for (int32_t j = px(y); j < px(y + h); ++j)
        for (int32_t i = px(x); i < px(x + w); ++i) {
            const int32_t p = a.rgbAt(i, j), q = b.rgbAt(i, j);
            count += p != q && p == aLater.rgbAt(i, j) && q == bLater.rgbAt(i, j);
        }
    return count;
}

// A test under way at level 2 with one right answer to go before promotion, and its question on
// record: the slot of the right answer, 0 to 2. The timer is off unless time is left on it; a
// number of wrong test answers may be added to the record's totals.
int32_t prepareTestUnderWay(const fs::path& documents, int32_t timeLeftMs = 0, int32_t moreWrong = 0) {
    QuizWorld world(documents);
    world.startTest(false);
    QuizCanvas& quiz = *world.canvas;
    quiz.rank = 1;
    // The bundle's table asks for more than 2 net right answers at this level.
    quiz.level_right = 2;
    quiz.test_finished = false;
    quiz.settings->data[4] = timeLeftMs > 0;
    if (timeLeftMs > 0) quiz.question_timer_ms = timeLeftMs;
    quiz.settings->data[5] = true;
    quiz.test_wrong_total += moreWrong;
    quiz.saveData();
    return quiz.correct_answer - 1;
}

class QuizProgram : public ::testing::Test {
protected:
#ifdef QUIZ_IN_A_WINDOW
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) GTEST_SKIP() << "no X display: run the window tests under xvfb-run";
    }
#endif
    TemporaryDirectory directory{"quiz-program-test"};
    fs::path documents() const { return directory.path() / "documents"; }
    fs::path dir(const std::string& name) const {
        fs::create_directories(directory.path() / name);
        return directory.path() / name;
    }
    Picture picture(const std::string& run, const char* name) const { return loadPicture(directory.path() / run / name); }
};

TEST_F(QuizProgram, AResumedTestKeepsItsQuestionAcrossRestartsAndPausesAndScoresTheAnswers) {
    const int32_t right = prepareTestUnderWay(documents());
    const int32_t wrong = (right + 1) % 3;
    fs::copy(documents(), directory.path() / "documents-copy", fs::copy_options::recursive);

    const std::string resume = shown(1, "main menu") + "capture menu.png\n" + tap(160, CONTINUE_Y) + shown(2, "question") +
                               "capture question.png\nwait_frames 8 10000\ncapture question-later.png\n";
    // First the statistics before this run's answer, then the question resumed; the program ends
    // with the question on screen.
    ProgramResult first = runQuiz(dir("first"), documents(),
                                  shown(1, "main menu") + tap(160, STATS_Y) + shown(2, "statistics") +
                                      "capture stats.png\n" + tap(280, 435) + shown(3, "main menu") +
                                      "capture menu.png\n" + tap(160, CONTINUE_Y) + shown(4, "question") +
                                      "capture question.png\nwait_frames 8 10000\ncapture question-later.png\nterminate\n");
    ASSERT_EQ(first.status, 0) << first.output << first.errors;
    // Resumed again after the restart, paused and resumed, answered wrong; then the statistics.
    ProgramResult second = runQuiz(dir("second"), documents(),
                         resume + "pause\nwait 300\nresume\nwait_frames 12 10000\ncapture after-pause.png\n" +
                             "wait_frames 8 10000\ncapture after-pause-later.png\n" +
                             tap(ANSWER_X, answerY(wrong)) + "wait_frames 4 10000\ncapture wrong.png\n" +
                             "wait_frames 250 60000\n" + tap(280, 435) + shown(3, "main menu") + tap(160, STATS_Y) +
                             shown(4, "statistics") + "capture stats.png\nwait_frames 8 10000\ncapture stats-later.png\nterminate\n");
    ASSERT_EQ(second.status, 0) << second.output << second.errors;
    // From the same record, answered right: the level goes up.
    ProgramResult third = runQuiz(dir("third"), directory.path() / "documents-copy",
                        resume + tap(ANSWER_X, answerY(right)) + "wait_frames 4 10000\ncapture right.png\n" +
                            shown(3, "promotion") + "capture promoted.png\nterminate\n");
    ASSERT_EQ(third.status, 0) << third.output << third.errors;
    // The statistics of a record that holds exactly one more wrong test answer than the prepared one.
    prepareTestUnderWay(directory.path() / "documents-expected", 0, 1);
    ProgramResult expected = runQuiz(dir("expected"), directory.path() / "documents-expected",
                                     shown(1, "main menu") + tap(160, STATS_Y) + shown(2, "statistics") +
                                         "capture stats.png\nwait_frames 8 10000\ncapture stats-later.png\nterminate\n");
    ASSERT_EQ(expected.status, 0) << expected.output << expected.errors;

    const Picture menu = picture("first", "menu.png");
    const Picture question = picture("first", "question.png");
    ASSERT_EQ(menu.width, 640);
    ASSERT_EQ(question.height, 960);
    // "Continue Test" is enabled (no hatching of the ghosted button over its middle).
    EXPECT_GT(red(menu.rgbAt(px(160), px(CONTINUE_Y) - 20)), 200) << std::hex << menu.rgbAt(px(160), px(CONTINUE_Y) - 20);
    // The same question box and answers after the restart and after the pause, where another
    // question's text would change thousands of the pixels that stay still between two frames.
    const Picture questionLater = picture("first", "question-later.png");
    const std::pair<Picture, Picture> resumed[] = {
        {picture("second", "question.png"), picture("second", "question-later.png")},
        {picture("second", "after-pause.png"), picture("second", "after-pause-later.png")}};
    for (const auto& [p, pLater] : resumed) {
        EXPECT_LT(steadyDifferences(question, questionLater, p, pLater, 85, 5, 230, 95), 50);
        EXPECT_LT(steadyDifferences(question, questionLater, p, pLater, 95, 135, 200, 225), 50);
    }
    // The wrong answer red and the right one green; then the promotion panel.
    const Picture wrongFrame = picture("second", "wrong.png");
    EXPECT_TRUE(mostly(wrongFrame, wrong, reddish));
    EXPECT_TRUE(mostly(wrongFrame, right, greenish));
    const Picture rightFrame = picture("third", "right.png");
    EXPECT_TRUE(mostly(rightFrame, right, greenish));
    EXPECT_FALSE(mostly(rightFrame, wrong, reddish));
    EXPECT_NE(third.output.find("screen 3: promotion"), std::string::npos);
    EXPECT_EQ(second.output.find("promotion"), std::string::npos);
    EXPECT_EQ(picture("third", "promoted.png").width, 640);
    // The statistics' value column shows the answer, and exactly what was played: the same values
    // as a record holding those totals. Twinkles of every colour pass over the column: only pixels
    // that stay the same between two frames of each run are compared.
    EXPECT_GT(differences(picture("first", "stats.png"), picture("second", "stats.png"), 150, 90, 75, 350), 100);
    EXPECT_EQ(steadyDifferences(picture("second", "stats.png"), picture("second", "stats-later.png"),
                                picture("expected", "stats.png"), picture("expected", "stats-later.png"), 150, 90,
                                75, 350),
              0);
}

// The separate orange dots in the rectangle (layout points): the timer's dots on its clock face.
int32_t orangeDots(const Picture& frame, int32_t x, int32_t y, int32_t w, int32_t h) {
    const auto orange = [&](int32_t i, int32_t j) {
        const int32_t rgb = frame.rgbAt(i, j);
        return red(rgb) > 200 && green(rgb) > 80 && green(rgb) < 200 && blue(rgb) < 160;
    };
    std::vector<bool> seen(static_cast<size_t>(px(w) * px(h)), false);
    int32_t dots = 0;
    for (int32_t j = 0; j < px(h); ++j)
        for (int32_t i = 0; i < px(w); ++i) {
            if (seen[j * px(w) + i] || !orange(px(x) + i, px(y) + j)) continue;
            ++dots;
            std::vector<std::pair<int32_t, int32_t>> todo{{i, j}};
            seen[j * px(w) + i] = true;
            while (!todo.empty()) {
                const auto [a, b] = todo.back();
                todo.pop_back();
                for (const auto& [da, db] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int32_t c = a + da, d = b + db;
                    if (c < 0 || d < 0 || c >= px(w) || d >= px(h) || seen[d * px(w) + c] || !orange(px(x) + c, px(y) + d))
                        continue;
                    seen[d * px(w) + c] = true;
                    todo.emplace_back(c, d);
                }
            }
        }
    return dots;
}

TEST_F(QuizProgram, AResumedTestKeepsTheTimeLeftOnItsTimer) {
    // 6.9 s of 10 show 8 of the 12 dots; the seconds run again once the question is back, so a
    // dot or two may have gone by the time a busy machine takes the frame, where a restarted
    // timer would show 12.
    prepareTestUnderWay(documents(), 6900);
    ProgramResult run = runQuiz(dir("run"), documents(),
                                shown(1, "main menu") + tap(160, CONTINUE_Y) + shown(2, "question") +
                                    "capture question.png\nterminate\n");
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    const int32_t dots = orangeDots(picture("run", "question.png"), 5, 108, 66, 68);
    EXPECT_GE(dots, 6);
    EXPECT_LE(dots, 8);
}

TEST_F(QuizProgram, NewTestAsksFirstWhileATestIsUnderWayAndPracticeScrollsAndChoosesFromItsLists) {
    prepareTestUnderWay(documents());
    const std::string script = shown(1, "main menu") + tap(160, NEW_TEST_Y) + shown(2, "confirmation") +
                               "capture confirm.png\n" + tap(160, 332) + shown(3, "main menu") +
                               tap(160, PRACTICE_Y) + shown(4, "categories") + "capture categories.png\n" +
                               drag({380, 330, 260, 180, 100}, 160) + "wait_frames 60 10000\ncapture scrolled.png\n" +
                               drag({60, 140, 220, 300, 380}, 160) + drag({60, 140, 220, 300, 380}, 160) +
                               "wait_frames 120 10000\n" + rest(160, 88) + shown(5, "subsections") + "capture subsections.png\n" +
                               rest(160, 40) + shown(6, "question") + "capture practice.png\nterminate\n";
    ProgramResult run = runQuiz(dir("run"), documents(), script);
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    EXPECT_EQ(run.output.find("screen 2: question"), std::string::npos);
    // The list moved up by the flick. How far it coasts depends on how many updates saw each move,
    // so the choice is made after dragging it back past its top, where it settles whatever the
    // pace: its second item is then under the resting finger.
    const Picture before = picture("run", "categories.png");
    const Picture scrolled = picture("run", "scrolled.png");
    EXPECT_GT(differences(before, scrolled, 20, 20, 280, 360), 10000);
    EXPECT_EQ(picture("run", "practice.png").width, 640);
}

TEST_F(QuizProgram, TwinklesDriftTheWayTheDeviceIsTilted) {
#ifdef QUIZ_IN_A_WINDOW
    GTEST_SKIP() << "in a window the arrow keys tilt the device, fifty times a second, over the script's samples";
#endif
    // Held below the menu's buttons while tilted one way or the other; counts bright pixels on
    // each side of the finger in the band between the buttons and the about icon.
    const auto brightSides = [&](const std::string& name, const char* tilt) {
        const std::string script = shown(1, "main menu") + "accel " + tilt + " 0 0 for 200\ndown 160 386\n" +
                                   "accel " + tilt + " 0 0 for 1200\ncapture tilted.png\nup 160 386\nterminate\n";
        ProgramResult run = runQuiz(dir(name), directory.path() / ("documents-" + name), script);
        EXPECT_EQ(run.status, 0) << run.output << run.errors;
        const Picture frame = picture(name, "tilted.png");
        std::pair<int32_t, int32_t> sides{0, 0};
        for (int32_t y = px(370); y < px(408); ++y)
            for (int32_t x = 0; x < 640; ++x) {
                const int32_t rgb = frame.rgbAt(x, y);
                if (red(rgb) < 150 && green(rgb) < 150) continue;
                if (x < px(120)) ++sides.first;
                if (x > px(200)) ++sides.second;
            }
        return sides;
    };
    const auto right = brightSides("right", "0.9");
    const auto left = brightSides("left", "-0.9");
    EXPECT_GT(right.second, right.first);
    EXPECT_GT(left.first, left.second);
}

}  // namespace
