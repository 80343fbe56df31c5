// The quiz end to end: the built program run headless with scripted touches over saved progress
// that the test prepares, its captured frames checked at known places. Layout points are doubled
// on the default retina phone. Built a second time to play the same sessions in a real window,
// where the taps that change screens are clicks on it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/quiz/tests/QuizCanvas.h"
#include "host/tests/ProgramRun.h"

namespace {

using H = HookCanvas;
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

// A session of these tests takes seconds. One still running after this bound waits for ever (as a
// save would on a pipe in the place of its file) and is killed, so that its test fails, not hangs.
constexpr std::chrono::seconds RUN_BOUND{300};

// Runs the quiz over the documents with the script, and with more arguments when given; during,
// when given, acts on the running program before its end is awaited.
ProgramResult runQuiz(const fs::path& directory, const fs::path& documents, std::string script,
                      const std::vector<std::string>& more = {},
                      const std::function<void(RunningProgram&)>& during = {}) {
    // Silent and the same on every machine: the audio library's null output.
    ::setenv("ALSOFT_DRIVERS", "null", 1);
#ifdef QUIZ_IN_A_WINDOW
    const std::vector<Click> clicks = clicksInstead(script);
#endif
    std::ofstream(directory / "script.txt") << script;
    std::vector<std::string> arguments{LEXIVO_QUIZ_PATH, "--script", (directory / "script.txt").string(), "--capture",
                                       directory.string(), "--documents", documents.string()};
    arguments.insert(arguments.end(), more.begin(), more.end());
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
    for (const Click& click : clicks)
        if (!program.readUntil(click.marker) || !programtest::clickWindow(program.pid(), "ZAR Lexivo Quiz", click.x, click.y))
            break;
#endif
    if (during) during(program);
    ProgramResult run;
    run.status = program.waitWithin(RUN_BOUND);
    run.output = program.output();
    std::ifstream in(directory / "stderr.txt");
    run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

std::string tap(int32_t x, int32_t y) { return "tap " + std::to_string(x) + " " + std::to_string(y) + "\n"; }
// A finger resting long enough for the lists to take it as a choice, whatever the machine's pace:
// every frame after the first comes from at least one update that saw the finger down. The
// choice is made in the update after the frame that shows it pressed, which the frames after the
// finger's lift follow.
std::string rest(int32_t x, int32_t y) {
    const std::string at = std::to_string(x) + " " + std::to_string(y) + "\n";
    return "down " + at + "wait_frames 6 60000\nup " + at + "wait_frames 4 60000\n";
}
// A drag through the points in which an update sees the finger at each of them before it moves
// on: two frames, as the first may have been under way before the finger moved.
std::string drag(std::initializer_list<int32_t> ys, int32_t x) {
    std::string script;
    const char* verb = "down ";
    for (const int32_t y : ys) {
        script += verb + std::to_string(x) + " " + std::to_string(y) + "\nwait_frames 2 60000\n";
        verb = "move ";
    }
    return script + "up " + std::to_string(x) + " " + std::to_string(*(ys.end() - 1)) + "\n";
}
// Waits for the n-th screen to be shown whole: its line follows the frame that shows it.
std::string shown(int32_t n, const char* name) {
    return "expect_log quiz: screen " + std::to_string(n) + ": " + name + "\n";
}
// Frames enough for twinkles to move on, for a second capture of a screen; a still screen is
// presented every fourth update only.
const std::string LATER = "wait_frames 8 60000\n";
// The pause after an answer (100 updates) and the next question's slide (20), over which answers
// and buttons are not taken: each frame follows at least one update.
const std::string PAUSE_AFTER_ANSWER = "wait_frames 130 120000\n";
// The statistics opened from the menu as the n-th screen, captured twice some frames apart.
std::string statistics(int32_t n) {
    return tap(160, STATS_Y) + shown(n, "statistics") + "capture stats.png\n" + LATER + "capture stats-later.png\n";
}

// Fewer steady pixels than this differing in the value column is the same statistics: a twinkle may
// rest on a pixel or two through both frames of a run, where one answer more in the totals changes
// over a hundred.
constexpr int32_t SAME_STATISTICS = 20;

int32_t red(int32_t rgb) { return (rgb >> 16) & 0xFF; }
int32_t green(int32_t rgb) { return (rgb >> 8) & 0xFF; }
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

// The test world has no fonts, so an answer stays one line, which a long definition would draw
// past its button: the record shows each answer by its first 24 characters, about a line's worth.
void shortenAnswers(QuizCanvas& quiz) {
    for (int32_t a = 0; quiz.answer_lines && a < quiz.answer_lines->length; ++a)
        if (auto& lines = quiz.answer_lines->data[a]; lines && lines->length > 0)
            lines->data[0] = java::lang::jnew<java::lang::String>(std::string(lines->data[0]->val()).substr(0, 24).c_str());
}

using Bytes = std::vector<uint8_t>;

// A test under way at level 2 with one right answer to go before promotion, and its question on
// record: the slot of the right answer, 0 to 2. The timer is off; the set-up may change the
// progress before the save, and the record's bytes may be rewritten after it.
int32_t prepareTestUnderWay(const fs::path& documents, const std::function<void(QuizCanvas&)>& setUp = {},
                            const std::function<void(Bytes&)>& rewrite = {}) {
    QuizWorld world(documents);
    world.startTest(false);
    QuizCanvas& quiz = *world.canvas;
    quiz.rank = 1;
    // The bundle's table asks for more than 2 net right answers at this level.
    quiz.level_right = 2;
    quiz.test_finished = false;
    quiz.settings->data[4] = false;
    quiz.settings->data[5] = true;
    shortenAnswers(quiz);
    if (setUp) setUp(quiz);
    quiz.saveData();
    if (rewrite) {
        const auto record = quiz.getRecordStoreData(0);
        Bytes bytes(record->data, record->data + record->length);
        rewrite(bytes);
        quiz.setRecordStoreData(javaBytes(bytes), 0);
    }
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
    // Pixels of the statistics' value column that differ between two runs; twinkles of every colour
    // pass over it, so only pixels that stay the same between the two frames of each run count.
    int32_t statisticsDiffer(const std::string& a, const std::string& b) const {
        return steadyDifferences(picture(a, "stats.png"), picture(a, "stats-later.png"), picture(b, "stats.png"),
                                 picture(b, "stats-later.png"), 150, 90, 75, 350);
    }
};

TEST_F(QuizProgram, AResumedTestKeepsItsQuestionAcrossRestartsAndPausesAndScoresTheAnswers) {
    const int32_t wrong = (prepareTestUnderWay(documents()) + 1) % 3;
    const std::string resume = shown(1, "main menu") + tap(160, CONTINUE_Y) + shown(2, "question") +
                               "capture question.png\n" + LATER + "capture question-later.png\n";
    // The question resumed; the program ends with it on screen.
    const ProgramResult first = runQuiz(dir("first"), documents(), resume + "terminate\n");
    ASSERT_EQ(first.status, 0) << first.output << first.errors;
    // Resumed again after the restart, paused and resumed, answered wrong; then the statistics.
    const ProgramResult second =
        runQuiz(dir("second"), documents(),
                resume + "pause\nwait 300\nresume\nwait_frames 12 60000\ncapture after-pause.png\n" + LATER +
                    "capture after-pause-later.png\n" + tap(ANSWER_X, answerY(wrong)) + PAUSE_AFTER_ANSWER +
                    tap(280, 435) + shown(3, "main menu") + statistics(4) + "terminate\n");
    ASSERT_EQ(second.status, 0) << second.output << second.errors;
    // A record that holds exactly one more wrong test answer than the prepared one.
    prepareTestUnderWay(directory.path() / "documents-expected", [](QuizCanvas& quiz) { ++quiz.test_wrong_total; });
    const ProgramResult expected = runQuiz(dir("expected"), directory.path() / "documents-expected",
                                           shown(1, "main menu") + statistics(2) + "terminate\n");
    ASSERT_EQ(expected.status, 0) << expected.output << expected.errors;

    // The same question box and answers after the restart and after the pause, where another
    // question's text would change thousands of the pixels that stay still between two frames.
    const Picture question = picture("first", "question.png"), questionLater = picture("first", "question-later.png");
    const std::pair<Picture, Picture> resumed[] = {
        {picture("second", "question.png"), picture("second", "question-later.png")},
        {picture("second", "after-pause.png"), picture("second", "after-pause-later.png")}};
    for (const auto& [p, pLater] : resumed) {
        EXPECT_LT(steadyDifferences(question, questionLater, p, pLater, 85, 5, 230, 95), 50);
        EXPECT_LT(steadyDifferences(question, questionLater, p, pLater, 95, 135, 200, 225), 50);
    }
    // The statistics show exactly what was played: the values of a record holding those totals.
    EXPECT_LT(statisticsDiffer("second", "expected"), SAME_STATISTICS);
}

TEST_F(QuizProgram, NewTestAsksFirstWhileATestIsUnderWayAndPracticeScrollsAndChoosesFromItsLists) {
    prepareTestUnderWay(documents());
    const std::string script = shown(1, "main menu") + tap(160, NEW_TEST_Y) + shown(2, "confirmation") + tap(160, 332) +
                               shown(3, "main menu") + tap(160, PRACTICE_Y) + shown(4, "categories") +
                               "capture categories.png\n" +
                               drag({380, 330, 260, 180, 100}, 160) + "capture scrolled.png\n" +
                               drag({60, 140, 220, 300, 380}, 160) + drag({60, 140, 220, 300, 380}, 160) +
                               "wait_frames 120 120000\n" + rest(160, 88) + shown(5, "subsections") +
                               rest(160, 40) + shown(6, "question") + "terminate\n";
    ProgramResult run = runQuiz(dir("run"), documents(), script);
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    // The list moved up with the finger. How far it coasts depends on how many updates saw each
    // move, so the choice is made after dragging it back past its top, where it settles within
    // 120 updates whatever the pace: its second item is then under the resting finger. Twinkles
    // change a few hundred pixels at most.
    const Picture before = picture("run", "categories.png"), scrolled = picture("run", "scrolled.png");
    EXPECT_GT(steadyDifferences(before, before, scrolled, scrolled, 20, 20, 280, 360), 10000);
}

TEST_F(QuizProgram, TwinklesDriftTheWayTheDeviceIsTilted) {
#ifdef QUIZ_IN_A_WINDOW
    GTEST_SKIP() << "in a window the arrow keys tilt the device, fifty times a second, over the script's samples";
#endif
    // Held below the menu's buttons while tilted one way or the other; counts bright pixels 40 to
    // 90 points to each side of the finger, below the buttons and above the captions, clear of the
    // about icon, where only twinkles that drifted reach. The quiz keeps the last tilt it was
    // given: the finger's twinkles then drift for 36 updates or more. A burst leaves the band
    // within a few updates, so four frames in a row are counted together.
    const auto brightSides = [&](const std::string& name, const char* tilt) {
        std::string script = shown(1, "main menu") + "accel " + tilt + " 0 0 for 200\ndown 160 386\n" + "accel " +
                             tilt + " 0 0 for 200\nwait_frames 36 120000\n";
        for (const char* frame : {"1", "2", "3", "4"}) script += "capture tilted-" + std::string(frame) + ".png\nwait_frames 1 60000\n";
        ProgramResult run = runQuiz(dir(name), directory.path() / ("documents-" + name), script + "up 160 386\nterminate\n");
        EXPECT_EQ(run.status, 0) << run.output << run.errors;
        std::pair<int32_t, int32_t> sides{0, 0};
        for (const char* file : {"tilted-1.png", "tilted-2.png", "tilted-3.png", "tilted-4.png"}) {
            const Picture frame = picture(name, file);
            for (int32_t y = px(365); y < px(450); ++y)
                for (int32_t x = px(70); x < px(250); ++x) {
                    const int32_t rgb = frame.rgbAt(x, y);
                    if (red(rgb) < 150 && green(rgb) < 150) continue;
                    if (x < px(120)) ++sides.first;
                    if (x > px(200)) ++sides.second;
                }
        }
        return sides;
    };
    const auto right = brightSides("right", "0.9");
    const auto left = brightSides("left", "-0.9");
    EXPECT_GT(right.second, right.first);
    EXPECT_GT(left.first, left.second);
}

#ifndef QUIZ_IN_A_WINDOW
// The built bundle again, as links to its files, without the ones named.
fs::path bundleWithout(const fs::path& copy, std::initializer_list<std::string> leftOut) {
    fs::create_directories(copy);
    for (const fs::directory_entry& file : fs::directory_iterator(fs::path(LEXIVO_QUIZ_PATH).parent_path()))
        if (std::find(leftOut.begin(), leftOut.end(), file.path().filename().string()) == leftOut.end())
            fs::create_symlink(file.path(), copy / file.path().filename());
    return copy;
}

// The record in the documents' store, empty when there is none.
Bytes recordIn(const fs::path& documents) {
    QuizWorld world(documents);
    const auto record = world.canvas->getRecordStoreData(0);
    return record ? Bytes(record->data, record->data + record->length) : Bytes{};
}

// The built bundle again, with the named file in its own place made by make.
fs::path bundleWithOwn(const fs::path& copy, const std::string& file, const std::function<void(const fs::path&)>& make) {
    bundleWithout(copy, {file});
    make(copy / file);
    return copy;
}

// The built bundle again, with pipes in the place of the files named.
fs::path bundleWithPipes(const fs::path& copy, std::initializer_list<std::string> piped) {
    bundleWithout(copy, piped);
    for (const std::string& file : piped) EXPECT_EQ(::mkfifo((copy / file).c_str(), 0644), 0) << file;
    return copy;
}

// Makes the file the built bundle's one cut to its first bytes, or grown with a hole that takes no
// room on the disk.
std::function<void(const fs::path&)> resizedTo(uintmax_t bytes) {
    return [bytes](const fs::path& file) {
        fs::copy_file(fs::path(LEXIVO_QUIZ_PATH).parent_path() / file.filename(), file);
        fs::resize_file(file, bytes);
    };
}

// Makes the file as long as the built bundle's one, every byte of it the one given.
std::function<void(const fs::path&)> filledWith(char byte) {
    return [byte](const fs::path& file) {
        const uintmax_t size = fs::file_size(fs::path(LEXIVO_QUIZ_PATH).parent_path() / file.filename());
        std::ofstream(file, std::ios::binary) << std::string(size, byte);
    };
}

constexpr uintmax_t GiB = uintmax_t{1} << 30;

// Makes documents with the thing made in the place of the store's temporary file or of its file.
std::function<void(const fs::path&, const Bytes&)> placed(const char* file,
                                                          const std::function<void(const fs::path&)>& make) {
    return [file, make](const fs::path& documents, const Bytes&) {
        fs::create_directories(documents);
        make(documents / file);
    };
}

bool greenish(int32_t rgb) { return green(rgb) > red(rgb) + 40; }
bool reddish(int32_t rgb) { return red(rgb) > green(rgb) + 40; }
// Most of an answer button's column shows its look; a long answer's lines of text cover some of it.
bool mostly(const Picture& frame, int32_t slot, bool (*look)(int32_t)) {
    int32_t hits = 0, total = 0;
    for (int32_t y = answerY(slot) - 20; y <= answerY(slot) + 20; ++y, ++total) hits += look(frame.rgbAt(px(ANSWER_X + 80), px(y)));
    return hits * 2 > total;
}

// Runs of the program over a record planted, killed, with its writes capped, beside another
// instance, or over a bundle missing files or holding damaged ones, and what they leave.
TEST_F(QuizProgram, KillsFailedSavesLocksHostileRecordsAndMissingFilesLeaveTheProgressAndOutputExpected) {
    // The planted question's answers, which the runs' scripts name.
    const std::string RIGHT = "tap right\n", WRONG = "tap wrong\n";
    const std::string resume = shown(1, "main menu") + tap(160, CONTINUE_Y) + shown(2, "question");
    // Once the last tap's release is taken: the second frame after it comes from a later update.
    const std::string killed = "wait_frames 2 60000\ncapture killed.png\nwait 60000\n";
    const auto restarted = [](const char* panel) {
        return shown(1, "main menu") + tap(160, CONTINUE_Y) + shown(2, panel) + tap(280, 435) + shown(3, "question") +
               "terminate\n";
    };
    const auto earlierFormat = [](Bytes& record) {
        record[0] = 10;
        record.pop_back();
    };
    // A record the loader refuses: a later build's, or one with the hints' count damaged.
    const auto refusable = [](QuizCanvas& quiz) { quiz.rank = 9; quiz.test_right_total = 200; };
    const auto laterFormat = [](Bytes& record) { record[0] = 12; };
    const auto damaged = [](Bytes& record) { record[1] = 0x7F; };
    const std::string refusal = "quiz: the saved progress cannot be used.*\n";
    const auto keptIn = [](const std::string& documents) {
        return "quiz: the saved progress that could not be used is kept in '[^']*/documents-" + documents +
               "/refused-progress-1\\.dat'\n";
    };
    const std::string newTestAnswered = shown(1, "main menu") + tap(160, NEW_TEST_Y) + shown(2, "question") +
                                        tap(ANSWER_X, answerY(0)) + "wait_frames 2 60000\nterminate\n";
    const auto answeredOnce = [](const QuizCanvas& q) { EXPECT_EQ(q.test_right_total + q.test_wrong_total, 1); };
    const auto keptName = [](const fs::path& documents, int number) {
        return documents / ("refused-progress-" + std::to_string(number) + ".dat");
    };
    const auto lastLevel = [](bool finished) {
        return [finished](QuizCanvas& quiz) { quiz.rank = 30; quiz.question_answered = true; quiz.test_finished = finished; };
    };
    // The test's question saved, then a practice run left at the menu.
    const auto practised = [](QuizCanvas& quiz) {
        quiz.saveData();
        H::current_mode_practice = true;
        H::current_category = 3;
        H::current_subsection = 0;
    };
    // A wrong answer saves, and so does the next question after its pause; back at the menu the
    // script waits for its cue, and "Continue Test" with an answer save again.
    const std::string saves = resume + WRONG + PAUSE_AFTER_ANSWER + tap(280, 435) + shown(3, "main menu") +
                              "expect_log test: go on\n" + tap(160, CONTINUE_Y) + shown(4, "question") +
                              tap(ANSWER_X, answerY(0)) + "wait_frames 4 60000\nterminate\n";
    // From its start the program's writes to a file are capped just past the planted record, as a
    // full disk would fail them (the program itself sees such a write fail, never a kill), for a save writes the new record beside the old before it drops
    // the old one. At the menu the cap is kept or lifted, and the script cued through the
    // program's own output, which its expect_log reads.
    const auto capped = [](bool lifted) {
        return [lifted](RunningProgram& quiz, const fs::path& documents) {
            uintmax_t record = 0;
            for (const fs::directory_entry& file : fs::directory_iterator(documents)) record = std::max(record, file.file_size());
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            const rlimit cap{std::min<rlim_t>(record + 256, limit.rlim_max), limit.rlim_max};
            EXPECT_EQ(::prlimit(quiz.pid(), RLIMIT_FSIZE, &cap, nullptr), 0);
            ASSERT_TRUE(quiz.readUntil("quiz: screen 3: main menu"));
            EXPECT_EQ(::prlimit(quiz.pid(), RLIMIT_FSIZE, lifted ? &limit : &cap, nullptr), 0);
            std::ofstream("/proc/" + std::to_string(quiz.pid()) + "/fd/1") << "test: go on" << std::endl;
        };
    };
    const std::string unsaved = "lexivo-quiz: progress could not be saved in '[^']*/documents-";
    const std::string noFile = R"( \(No such file or directory\)\n)";
    const std::string firstSubsectionThenSecond = shown(1, "main menu") + tap(160, PRACTICE_Y) + shown(2, "categories") +
                                                  rest(160, 40) + shown(3, "subsections") + rest(160, 40) +
                                                  rest(160, 88) + shown(4, "question") + "terminate\n";
    const std::string unreadableQuestions = "lexivo-quiz: the question file cdb0_0.dat cannot be read.*\n";
    const std::string cannotStart = "lexivo-quiz: the quiz cannot start: the bundle '[^']*/";
    const std::string endedAtLoading =
        "lexivo-quiz: bundle .*\nthe application was ended from outside the script at line 1; the rest is skipped\n";
    struct Run {
        const char* what;
        std::string documents;  // a run on the documents of the one before goes on from what it left
        std::function<void(QuizCanvas&)> plant;
        std::string script;
        std::vector<std::string> arguments;
        int status;  // -1: killed, at the capture killed.png unless during acts
        std::string errors;  // the whole standard error as a pattern, in which '.' never matches a line's end
        std::function<void(const QuizCanvas&)> record = {};  // the progress on record, as a new start takes it
        std::function<void(RunningProgram&, const fs::path& documents)> during = {};
        std::function<void(Bytes&)> rewrite = {};  // the planted record's bytes changed after its save
        // For a record the loader refuses: whether the run kept it in the file its line names, or
        // left it in the store as planted.
        std::optional<bool> refusedKept = {};
        std::string output = "";  // for a start refused, the whole standard output as a pattern
        std::function<void(const fs::path& documents, const Bytes& planted)> beside = {};  // files planted beside the store
        std::optional<int> keptFiles = {};  // how many refused-progress files the documents hold after
    } runs[] = {
        // The first two runs' statistics are compared: a test that earlier builds left unfinished at
        // the last level is finished there. "Continue Test" does nothing; "New Test" does not ask.
        {"a test finished at the last level", "finished", lastLevel(true),
         shown(1, "main menu") + statistics(2) + "terminate\n", {}, 0, ""},
        {.what = "a test left unfinished at the last level", .documents = "earlier", .plant = lastLevel(false),
         .script = shown(1, "main menu") + tap(160, CONTINUE_Y) + statistics(2) + tap(280, 435) + shown(3, "main menu") +
                   tap(160, NEW_TEST_Y) + shown(4, "question") + "terminate\n",
         .status = 0, .errors = "", .rewrite = earlierFormat},
        // Killed in the pause after the answer, which lasts over three seconds: 3 right of 9 is
        // below 40 %, and 5 right passes level 6's threshold of 4.
        {"a wrong answer due to demote", "demotion",
         [](QuizCanvas& quiz) { quiz.rank = 5; quiz.level_right = 4; quiz.level_attempted = 8; }, resume + WRONG + killed,
         {}, -1, ""},
        {"the demotion after the restart", "demotion", nullptr, restarted("demotion"), {}, 0, "",
         [](const QuizCanvas& q) { EXPECT_EQ(q.rank, 4); EXPECT_EQ(q.level_change_owed, 0); }},
        {"a right answer due to promote", "promotion",
         [](QuizCanvas& quiz) { quiz.rank = 5; quiz.level_right = 4; quiz.level_attempted = 5; }, resume + RIGHT + killed,
         {}, -1, ""},
        {"the promotion after the restart", "promotion", nullptr, restarted("promotion"), {}, 0, "",
         [](const QuizCanvas& q) { EXPECT_EQ(q.rank, 6); EXPECT_EQ(q.level_change_owed, 0); }},
        {"a hint spent, then a kill", "hint", practised, resume + tap(40, 435) + killed, {}, -1, "",
         [](const QuizCanvas& q) { EXPECT_EQ(q.hints, 0); }},
        // The time left goes on; a question asked afresh would have ten seconds.
        {"terminated on a question with time left", "terminated",
         [&](QuizCanvas& quiz) { quiz.settings->data[4] = true; quiz.question_timer_ms = 3000; practised(quiz); },
         resume + "terminate\n", {}, 0, "",
         [](const QuizCanvas& q) { EXPECT_FALSE(H::current_mode_practice); EXPECT_LE(q.question_timer_ms, 3000); }},
        // No build writes a test question without its category. "New Test" is tapped where the
        // record's question, had "Continue Test" resumed it, has no button: between two answers.
        {"a record no build writes", "hostile", [](QuizCanvas&) { H::current_category = -1; },
         shown(1, "main menu") + tap(160, CONTINUE_Y) + "wait_frames 2 60000\n" + tap(160, 205) + shown(2, "question") +
             RIGHT + "wait_frames 2 60000\nterminate\n",
         {}, 0, refusal + keptIn("hostile"), [](const QuizCanvas& q) { EXPECT_EQ(q.rank, 0); }, {}, {}, true},
        // A refused record stays through a quit or a pause with nothing played; the first save of new
        // progress keeps it in a file beside the stores, named in a line.
        {.what = "a later build's record, the quit at the menu", .documents = "later", .plant = refusable,
         .script = shown(1, "main menu") + "terminate\n", .status = 0, .errors = refusal, .rewrite = laterFormat,
         .refusedKept = false},
        {.what = "a damaged record, paused at the menu and killed", .documents = "damaged", .plant = refusable,
         .script = shown(1, "main menu") + "pause\nexpect_log quiz: hidden save done\ncapture killed.png\nwait 60000\n",
         .status = -1, .errors = refusal, .rewrite = damaged, .refusedKept = false},
        {.what = "the damaged record, then a new test's answer", .documents = "damaged", .script = newTestAnswered,
         .status = 0,
         .errors = refusal + keptIn("damaged"),
         .record = [](const QuizCanvas& q) { EXPECT_EQ(q.rank, 0); }, .refusedKept = true, .keptFiles = 1},
        // As a kill between the copy and the store's replacement leaves it: the copy is not made again.
        {.what = "a damaged record already copied, then a new test's answer", .documents = "copied", .plant = refusable,
         .script = newTestAnswered, .status = 0, .errors = refusal + keptIn("copied"),
         .record = [](const QuizCanvas& q) { EXPECT_EQ(q.rank, 0); }, .rewrite = damaged, .refusedKept = true,
         .beside = [&](const fs::path& documents, const Bytes& planted) {
             std::ofstream(keptName(documents, 1), std::ios::binary).write(reinterpret_cast<const char*>(planted.data()),
                                                                          static_cast<std::streamsize>(planted.size()));
         },
         .keptFiles = 1},
        // Every name taken by other records: the progress is saved all the same.
        {.what = "a damaged record, every copy's name taken, then a new test's answer", .documents = "full",
         .plant = refusable, .script = newTestAnswered, .status = 0,
         .errors = refusal + "quiz: the saved progress that could not be used is not kept: '[^']*/documents-full/"
                             "refused-progress-1\\.dat' to '[^']*/refused-progress-1000\\.dat' hold other records; "
                             "new progress replaces it\n",
         .record = [](const QuizCanvas& q) { EXPECT_EQ(q.test_right_total + q.test_wrong_total, 1); },
         .rewrite = damaged,
         .beside = [&](const fs::path& documents, const Bytes&) {
             for (int number = 1; number <= 1000; ++number) std::ofstream(keptName(documents, number)) << "record " << number;
         },
         .keptFiles = 1000},
        // The store's temporary file is its own: whatever stands at its name is replaced, never
        // opened, followed or waited on, and a save waiting for ever on a pipe would hold New Test.
        {.what = "a pipe at the store's temporary file", .documents = "temporary-pipe", .script = newTestAnswered,
         .status = 0, .errors = "", .record = answeredOnce,
         .beside = placed("rs_tmp0", [](const fs::path& file) { ::mkfifo(file.c_str(), 0644); })},
        {.what = "a link to a pipe at the store's temporary file", .documents = "temporary-link-pipe",
         .script = newTestAnswered, .status = 0, .errors = "", .record = answeredOnce,
         .beside = placed("rs_tmp0", [&](const fs::path& file) {
             ::mkfifo((directory.path() / "pipe").c_str(), 0644);
             fs::create_symlink(directory.path() / "pipe", file);
         })},
        {.what = "a link to a file outside at the store's temporary file", .documents = "temporary-link-file",
         .script = newTestAnswered, .status = 0, .errors = "",
         .record = [&](const QuizCanvas& q) {
             answeredOnce(q);
             EXPECT_EQ(fileBytes(directory.path() / "outside"), Bytes({'k', 'e', 'p', 't'}));
         },
         .beside = placed("rs_tmp0", [&](const fs::path& file) {
             std::ofstream(directory.path() / "outside") << "kept";
             fs::create_symlink(directory.path() / "outside", file);
         })},
        {.what = "a directory at the store's temporary file", .documents = "temporary-directory",
         .script = newTestAnswered, .status = 0, .errors = "", .record = answeredOnce,
         .beside = placed("rs_tmp0", [](const fs::path& file) { fs::create_directory(file); })},
        // One that cannot be removed refuses the save, and New Test goes on all the same.
        {.what = "a directory with a file at the store's temporary file", .documents = "temporary-full-directory",
         .script = newTestAnswered, .status = 5,
         .errors = unsaved + "temporary-full-directory': cannot save record store: create '[^']*/rs_tmp0': "
                             "Directory not empty\n",
         .beside = placed("rs_tmp0", [](const fs::path& file) {
             fs::create_directory(file);
             std::ofstream(file / "inside") << "inside";
         })},
        // Only a regular file holds a store: the progress is kept under the next number.
        {.what = "a pipe at the store's file", .documents = "store-pipe", .script = newTestAnswered, .status = 0,
         .errors = "", .record = answeredOnce,
         .beside = placed("rs_0", [](const fs::path& file) { ::mkfifo(file.c_str(), 0644); })},
        // The answer leaves its counts at the largest the loader takes.
        {"counts at their caps, then a right answer", "caps",
         [](QuizCanvas& quiz) {
             quiz.test_right_total = quiz.answered_in_run = H::category_scores->data[H::PARAM_NUMBER_OF_CATEGORIES] =
                 1'000'000'000;
         },
         resume + RIGHT + "wait_frames 2 60000\nterminate\n", {}, 0, "",
         [](const QuizCanvas& q) {
             EXPECT_EQ(q.test_right_total, 1'000'000'000);
             EXPECT_EQ(H::category_scores->data[H::PARAM_NUMBER_OF_CATEGORIES], 1'000'000'000);
         }},
        // Only the first failed save is reported, and the first after it that works; the last
        // decides the status.
        {.what = "saves failing to the end", .documents = "capped", .plant = [](QuizCanvas&) {}, .script = saves,
         .status = 5, .errors = unsaved + "capped': .*File too large\n", .during = capped(false)},
        {.what = "saves failing, then working again", .documents = "lifted", .plant = [](QuizCanvas&) {}, .script = saves,
         .status = 0,
         .errors = unsaved + "lifted': .*File too large\nlexivo-quiz: progress is saved in '[^']*/documents-lifted' again\n",
         .during = capped(true)},
        // A second program on the documents is refused while the first holds them. The first,
        // killed, leaves them to the run after it: the kernel lets go of the lock.
        {.what = "a second program on the same documents", .documents = "files", .script = "wait 600000\n", .status = -1,
         .errors = "", .during = [&](RunningProgram& holder, const fs::path& documents) {
             ASSERT_TRUE(holder.readUntil("lexivo-quiz: bundle "));  // its first line, once it holds them
             const ProgramResult second = runQuiz(dir("second"), documents, "terminate\n");
             EXPECT_EQ(second.status, 2);
             EXPECT_EQ(second.output + second.errors, "lexivo-quiz: the documents directory '" + documents.string() +
                                                          "' is in use by another lexivo-quiz; give another with --documents\n");
             ::kill(holder.pid(), SIGKILL);
         }},
        // The first subsection of the first category cannot be read; the second then can.
        {"a question file missing", "files", nullptr, firstSubsectionThenSecond,
         {"--bundle", bundleWithout(directory.path() / "no-questions", {"cdb0_0.dat"}).string()}, 0, unreadableQuestions},
        {"a question file of zeros", "files", nullptr, firstSubsectionThenSecond,
         {"--bundle", bundleWithOwn(directory.path() / "zero-questions", "cdb0_0.dat", filledWith(0)).string()}, 0,
         "lexivo-quiz: the question file cdb0_0.dat cannot be read: question database holds no question\n"},
        // Read when chosen, where it is refused by its size as a missing one is.
        {"a question file past its cap", "files", nullptr, firstSubsectionThenSecond,
         {"--bundle", bundleWithOwn(directory.path() / "huge-questions", "cdb0_0.dat", resizedTo((16 << 20) + 1)).string()},
         0, unreadableQuestions},
        // Pipes in the place of files the start check does not read are refused as missing ones are,
        // never waited on: a practice file, the splash picture under both its names, the runtime's font.
        {"a pipe for a question file", "files", nullptr, firstSubsectionThenSecond,
         {"--bundle", bundleWithPipes(directory.path() / "piped-questions", {"cdb0_0.dat"}).string()}, 0,
         unreadableQuestions},
        {"pipes for the splash picture", "files", nullptr, shown(1, "main menu") + "terminate\n",
         {"--bundle", bundleWithPipes(directory.path() / "piped-splash", {"Default@2x.png", "Default@2x_png"}).string()},
         0, ""},
        {"a pipe for the runtime's font", "files", nullptr, shown(1, "main menu") + "terminate\n",
         {"--bundle", bundleWithPipes(directory.path() / "piped-font", {"wlbmpfnt"}).string()}, 0,
         "no text will be drawn: the bundle's font file \"wlbmpfnt\" is missing or damaged\n"},
        {"the runtime's font past its cap", "files", nullptr, shown(1, "main menu") + "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "huge-font", "wlbmpfnt", resizedTo((16 << 20) + 1)).string()}, 0,
         "no text will be drawn: the bundle's font file \"wlbmpfnt\" is missing or damaged\n"},
        // Refused before anything starts, even the line that names the directories.
        {"an empty bundle", "files", nullptr, "terminate\n", {"--bundle", dir("empty").string()}, 2, ".*'resmap'" + noFile},
        {"a bundle without its pack", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithout(directory.path() / "no-pack", {"pk0"}).string()}, 2, ".*'pk0'" + noFile},
        // Damaged files, which the first loading would fail on at every update, are refused as
        // missing ones are; a pipe in a file's place is never opened, so it cannot hold the start.
        {"an empty pack", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "empty-pack", "pk0", resizedTo(0)).string()}, 2,
         ".*damaged 'pk0' \\(holds 0 bytes where its blocks need [0-9]+\\)\n"},
        {"a pack cut short", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "cut-pack", "pk0", resizedTo(500000)).string()}, 2,
         ".*damaged 'pk0' \\(holds 500000 bytes where its blocks need [0-9]+\\)\n"},
        {"the topics cut short", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "cut-topics", "topics.dat", resizedTo(100)).string()}, 2,
         ".*damaged 'topics.dat' \\(topics file ends before its last category\\)\n"},
        // An empty file is refused without a sanitizer's report.
        {"an empty resource map", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "empty-map", "resmap", resizedTo(0)).string()}, 2,
         ".*damaged 'resmap' \\(bundle data ends before a field it announces\\)\n"},
        {"empty test questions", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "empty-test", "shuffle_db.dat", resizedTo(0)).string()}, 2,
         ".*damaged 'shuffle_db.dat' \\(question database is missing or has no record count\\)\n"},
        {"empty topics", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "empty-topics", "topics.dat", resizedTo(0)).string()}, 2,
         ".*damaged 'topics.dat' \\(topics file ends before its last category\\)\n"},
        // A file of zeros reads as one holding none of what the quiz needs from it.
        {"a resource map of zeros", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "zero-map", "resmap", filledWith(0)).string()}, 2,
         ".*damaged 'resmap' \\(the resource map holds no resource\\)\n"},
        {"the test's questions of zeros", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "zero-test", "shuffle_db.dat", filledWith(0)).string()}, 2,
         ".*damaged 'shuffle_db.dat' \\(question database holds no question\\)\n"},
        {"the topics of zeros", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "zero-topics", "topics.dat", filledWith(0)).string()}, 2,
         ".*damaged 'topics.dat' \\(topics file has no subsection for category 0\\)\n"},
        {"a pipe for the topics", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithPipes(directory.path() / "piped-topics", {"topics.dat"}).string()},
         2, ".*'topics.dat' \\(not a regular file\\)\n"},
        // A file larger than its kind can be is refused by its size alone, never read: read, 8 GiB
        // would take minutes and more memory than there is, and 2 GiB, or 4 GiB and 5 bytes, would
        // wrap to a negative or a short array length.
        {"a resource map of 2 GiB", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "huge-map", "resmap", resizedTo(2 * GiB)).string()}, 2,
         ".*damaged 'resmap' \\(larger than 16777216 bytes\\)\n"},
        {"a resource map of 4 GiB and 5 bytes", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "wrapping-map", "resmap", resizedTo(4 * GiB + 5)).string()}, 2,
         ".*damaged 'resmap' \\(larger than 16777216 bytes\\)\n"},
        {"the topics of 8 GiB", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "huge-topics", "topics.dat", resizedTo(8 * GiB)).string()}, 2,
         ".*damaged 'topics.dat' \\(larger than 1048576 bytes\\)\n"},
        {"the test's questions of 2 GiB", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "huge-test", "shuffle_db.dat", resizedTo(2 * GiB)).string()}, 2,
         ".*damaged 'shuffle_db.dat' \\(larger than 16777216 bytes\\)\n"},
        {"the test's questions of 4 GiB and 5 bytes", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "wrapping-test", "shuffle_db.dat", resizedTo(4 * GiB + 5)).string()},
         2, ".*damaged 'shuffle_db.dat' \\(larger than 16777216 bytes\\)\n"},
        // A pack may be as large as its blocks can reach, which is just short of 2 GiB.
        {"a pack of 2 GiB", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "huge-pack", "pk0", resizedTo(2 * GiB)).string()}, 2,
         ".*damaged 'pk0' \\(larger than 2147483647 bytes\\)\n"},
        {"a pack of 8 GiB", "files", nullptr, "terminate\n",
         {"--bundle", bundleWithOwn(directory.path() / "huger-pack", "pk0", resizedTo(8 * GiB)).string()}, 2,
         ".*damaged 'pk0' \\(larger than 2147483647 bytes\\)\n"},
        // Damage the check cannot see ends the first loading, on the main loop's thread (the pack's
        // images) or on the loading thread (the language file), before the first screen.
        {.what = "a pack of zeros", .documents = "files", .script = shown(1, "main menu") + "terminate\n",
         .arguments = {"--bundle", bundleWithOwn(directory.path() / "zero-pack", "pk0", filledWith(0)).string()},
         .status = 2,
         .errors = cannotStart + "zero-pack' has a damaged 'pk0' \\(image resource holds a PNG that does not decode\\)\n",
         .output = endedAtLoading},
        {.what = "a damaged language file", .documents = "files", .script = shown(1, "main menu") + "terminate\n",
         .arguments = {"--bundle", bundleWithOwn(directory.path() / "damaged-language", "en", filledWith('\xFF')).string()},
         .status = 2,
         .errors = cannotStart + "damaged-language' has a damaged 'en' \\(language file counts fewer than no strings\\)\n",
         .output = endedAtLoading},
    };
    int32_t right = 0, count = 0;
    Bytes planted;
    for (const Run& r : runs) {
        SCOPED_TRACE(r.what);
        const fs::path documents = directory.path() / ("documents-" + r.documents);
        if (r.plant) {
            right = prepareTestUnderWay(documents, r.plant, r.rewrite);
            planted = recordIn(documents);
        }
        if (r.beside) r.beside(documents, planted);
        std::string script = r.script;
        for (const auto& [word, slot] : {std::pair{RIGHT, right}, {WRONG, (right + 1) % 3}})
            if (const size_t at = script.find(word); at != std::string::npos)
                script.replace(at, word.size(), tap(ANSWER_X, answerY(slot)));
        const auto during = [&](RunningProgram& quiz) {
            if (r.during) r.during(quiz, documents);
            else if (r.status == -1 && quiz.readUntil("killed.png")) ::kill(quiz.pid(), SIGKILL);
        };
        const ProgramResult run = runQuiz(dir(std::to_string(++count)), documents, script, r.arguments, during);
        EXPECT_EQ(run.status, r.status) << run.output << run.errors;
        EXPECT_TRUE(std::regex_match(run.errors, std::regex(r.errors))) << run.errors;
        if (r.status == -1) EXPECT_EQ(run.output.find("screen 3"), std::string::npos) << "killed after the pause";
        // In the pause the right answer shows green, and the other red only when it was chosen.
        const bool wrongChosen = r.script.find(WRONG) != std::string::npos;
        if (r.status == -1 && (wrongChosen || r.script.find(RIGHT) != std::string::npos)) {
            const Picture killed = picture(std::to_string(count), "killed.png");
            EXPECT_TRUE(mostly(killed, right, greenish));
            EXPECT_EQ(mostly(killed, (right + 1) % 3, reddish), wrongChosen);
        }
        if (r.status == 2) EXPECT_TRUE(std::regex_match(run.output, std::regex(r.output))) << run.output;
        if (r.refusedKept) {
            std::smatch named;
            const bool kept = std::regex_search(run.errors, named, std::regex("kept in '([^']*)'"));
            EXPECT_EQ(kept, *r.refusedKept);
            EXPECT_EQ(kept ? fileBytes(named[1]) : recordIn(documents), planted);
        }
        if (r.keptFiles) {
            int kept = 0;
            for (const fs::directory_entry& file : fs::directory_iterator(documents))
                kept += file.path().filename().string().starts_with("refused-progress-");
            EXPECT_EQ(kept, *r.keptFiles);
        }
        if (!r.record) continue;
        QuizWorld world(documents);
        if (world.canvas->restoreProgress(world.canvas->getRecordStoreData(0))) r.record(*world.canvas);
        else ADD_FAILURE() << "the record left does not load";
    }
    EXPECT_LT(statisticsDiffer("1", "2"), SAME_STATISTICS) << "the statistics of the finished test, at the last level";
}
#endif

}  // namespace
