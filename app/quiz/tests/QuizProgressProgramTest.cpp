// The saved progress through the built program, run headless over records the test plants: a
// test that reached the last level, a kill in the pause after an answer that changes the level,
// hints and termination, and a record no build writes. Layout points are doubled on the default
// retina phone.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "app/quiz/tests/QuizCanvas.h"
#include "host/tests/ProgramRun.h"

namespace {

using H = HookCanvas;
using programtest::countOccurrences;
using programtest::loadPicture;
using programtest::Picture;
using programtest::RunningProgram;
using programtest::TemporaryDirectory;
namespace fs = std::filesystem;

int32_t px(int32_t layout) { return layout * 2; }

constexpr int32_t CONTINUE_Y = 122;
constexpr int32_t NEW_TEST_Y = 192;
constexpr int32_t STATS_Y = 332;
int32_t answerY(int32_t slot) { return 161 + 85 * slot; }

std::string tap(int32_t x, int32_t y) { return "tap " + std::to_string(x) + " " + std::to_string(y) + "\n"; }
std::string tapAnswer(int32_t slot) { return tap(200, answerY(slot)); }
// The hint button, and the button in the bottom right corner of the panels.
const std::string tapHint = tap(40, 435);
const std::string tapCorner = tap(280, 435);
std::string shown(int32_t n, const char* name) {
    return "expect_log quiz: screen " + std::to_string(n) + ": " + name + "\nwait_frames 12 10000\n";
}
// A tap's release is taken by the next update: the second frame after it comes from one that ran later.
const std::string taken = "wait_frames 2 10000\n";

struct ProgramRun {
    int status = -1;
    std::string output, errors;
};

// Runs the quiz headless over the documents. With a marker, the program is killed (SIGKILL) as soon
// as its output holds the marker; the script should then wait for the kill.
ProgramRun runQuiz(const fs::path& directory, const fs::path& documents, const std::string& script,
                   const std::string& killAt = "") {
    ::setenv("ALSOFT_DRIVERS", "null", 1);
    fs::create_directories(directory);
    // The first screen's loading reads every sound and image, which takes long under a sanitizer.
    std::ofstream(directory / "script.txt") << "wait_frames 1 60000\nwait 2500\n" << script;
    RunningProgram program(LEXIVO_QUIZ_PATH,
                           {LEXIVO_QUIZ_PATH, "--headless", "--script", (directory / "script.txt").string(), "--capture",
                            directory.string(), "--documents", documents.string()},
                           directory / "stderr.txt");
    if (!killAt.empty() && program.readUntil(killAt)) ::kill(program.pid(), SIGKILL);
    ProgramRun run;
    run.status = program.wait();
    run.output = program.output();
    std::ifstream in(directory / "stderr.txt");
    run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

// A test under way at the rank, its question on record; the set-up may change the progress before
// the save. Answers the slot of the question's right answer.
int32_t plant(const fs::path& documents, int32_t rank, const std::function<void(QuizCanvas&)>& setUp = nullptr) {
    QuizWorld world(documents);
    world.startTest(false);
    QuizCanvas& quiz = *world.canvas;
    quiz.rank = rank;
    quiz.test_finished = false;
    quiz.test_right_total = 40;
    quiz.test_wrong_total = 12;
    if (setUp) setUp(quiz);
    quiz.saveData();
    return quiz.correct_answer - 1;
}

// Checks the progress on record as a new start takes it.
void onRecord(const fs::path& documents, const std::function<void(const QuizCanvas&)>& check) {
    QuizWorld world(documents);
    ASSERT_TRUE(world.canvas->restoreProgress(world.canvas->getRecordStoreData(0)));
    check(*world.canvas);
}

int32_t red(int32_t rgb) { return (rgb >> 16) & 0xFF; }
int32_t green(int32_t rgb) { return (rgb >> 8) & 0xFF; }

class QuizProgress : public ::testing::Test {
protected:
    TemporaryDirectory directory{"quiz-progress-test"};
    fs::path path(const std::string& name) const { return directory.path() / name; }
    Picture picture(const std::string& run, const char* name) const { return loadPicture(path(run) / name); }
};

TEST_F(QuizProgress, ATestThatReachedTheLastLevelAsEarlierBuildsSavedItIsFinished) {
    // Earlier builds saved the last level passed as rank 30 of an unfinished test, in format 10
    // (which ends without the owed panel's byte).
    plant(path("documents"), 30, [](QuizCanvas& quiz) { quiz.question_answered = true; });
    {
        QuizWorld world(path("documents"));
        auto record = world.canvas->getRecordStoreData(0);
        record->data[0] = 10;
        auto earlier = java::lang::jnew<JArray<signed char>>(record->length - 1);
        std::copy(record->data, record->data + earlier->length, earlier->data);
        world.canvas->setRecordStoreData(earlier, 0);
    }
    plant(path("documents-finished"), 30, [](QuizCanvas& quiz) {
        quiz.question_answered = true;
        quiz.test_finished = true;
    });
    const std::string stats = tap(160, STATS_Y) + shown(2, "statistics") + "capture stats.png\nwait_frames 8 10000\n" +
                              "capture stats-later.png\n";
    // "Continue Test" does nothing; "New Test" starts a test without asking first.
    const ProgramRun run = runQuiz(path("run"), path("documents"),
                                   shown(1, "main menu") + "capture menu.png\n" + tap(160, CONTINUE_Y) + stats +
                                       tapCorner + shown(3, "main menu") + tap(160, NEW_TEST_Y) +
                                       shown(4, "question") + "terminate\n");
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    EXPECT_EQ(run.output.find("confirmation"), std::string::npos);
    const ProgramRun finished =
        runQuiz(path("finished"), path("documents-finished"), shown(1, "main menu") + stats + "terminate\n");
    ASSERT_EQ(finished.status, 0) << finished.output << finished.errors;

    // The ghosted "Continue Test" button is greyed where the enabled one is red.
    const int32_t continueColour = picture("run", "menu.png").rgbAt(px(160), px(CONTINUE_Y) - 20);
    EXPECT_LT(red(continueColour), 200) << std::hex << continueColour;
    // The statistics read as those of the finished test (the last level), pixel for pixel where
    // both stay still.
    const Picture a = picture("run", "stats.png"), aLater = picture("run", "stats-later.png");
    const Picture b = picture("finished", "stats.png"), bLater = picture("finished", "stats-later.png");
    ASSERT_EQ(a.width, 640);
    int32_t differing = 0;
    for (int32_t y = px(90); y < px(440); ++y)
        for (int32_t x = px(150); x < px(225); ++x)
            differing += a.rgbAt(x, y) != b.rgbAt(x, y) && a.rgbAt(x, y) == aLater.rgbAt(x, y) &&
                         b.rgbAt(x, y) == bLater.rgbAt(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(QuizProgress, ALevelChangeDueAtAKilledAnswerShowsItsPanelAfterTheRestart) {
    struct Case {
        const char* panel;
        bool right;
        int32_t levelRight, levelAttempted, newRank;
    } cases[] = {
        // 3 right of 9 after the wrong answer is below 40 %.
        {"demotion", false, 4, 8, 4},
        // 5 right passes level 6's threshold of 4.
        {"promotion", true, 4, 5, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.panel);
        const std::string name = c.panel;
        const fs::path documents = path("documents-" + name);
        const int32_t right = plant(documents, 5, [&](QuizCanvas& quiz) {
            quiz.level_right = c.levelRight;
            quiz.level_attempted = c.levelAttempted;
        });
        const int32_t slot = c.right ? right : (right + 1) % 3;
        // Killed in the pause after the answer, which lasts over three seconds.
        const ProgramRun killed = runQuiz(path(name + "-killed"), documents,
                                          shown(1, "main menu") + tap(160, CONTINUE_Y) + shown(2, "question") +
                                              tapAnswer(slot) + taken + "capture answered.png\nwait 60000\n",
                                          "answered.png");
        ASSERT_EQ(killed.status, -1) << killed.output << killed.errors;
        ASSERT_EQ(killed.output.find("screen 3"), std::string::npos) << "the pause ended before the kill";
        const int32_t colour = picture(name + "-killed", "answered.png").rgbAt(px(280), px(answerY(slot)));
        EXPECT_GT(c.right ? green(colour) - red(colour) : red(colour) - green(colour), 40) << std::hex << colour;
        onRecord(documents, [&](const QuizCanvas& q) {
            EXPECT_EQ(q.rank, c.newRank);
            EXPECT_EQ(q.level_attempted, 0);
        });

        // "Continue Test" shows the panel; its button goes on to a question at the new level.
        const ProgramRun restarted = runQuiz(path(name + "-restarted"), documents,
                                             shown(1, "main menu") + tap(160, CONTINUE_Y) + shown(2, c.panel) +
                                                 tapCorner + shown(3, "question") + "terminate\n");
        ASSERT_EQ(restarted.status, 0) << restarted.output << restarted.errors;
        onRecord(documents, [&](const QuizCanvas& q) {
            EXPECT_EQ(q.rank, c.newRank);
            EXPECT_EQ(q.level_change_owed, 0);
            EXPECT_NE(q.saved_question_record, nullptr);
        });
    }
}

TEST_F(QuizProgress, AHintIsSpentOnRecordAndTerminationSavesAsAPauseDoes) {
    // The test's question saved, then a practice run left at the menu; the timer on.
    const auto practised = [](QuizCanvas& quiz) {
        quiz.hints = 2;
        quiz.settings->data[4] = true;
        quiz.question_timer_ms = 9000;
        quiz.saveData();
        H::current_mode_practice = true;
        H::current_category = 3;
        H::current_subsection = 0;
    };
    const int32_t right = plant(path("documents"), 2, practised);
    plant(path("documents-terminated"), 2, practised);
    const std::string resume = shown(1, "main menu") + tap(160, CONTINUE_Y) + shown(2, "question");

    const ProgramRun hinted = runQuiz(path("hinted"), path("documents"),
                                      resume + tapHint + taken + "capture hinted.png\nwait 60000\n", "hinted.png");
    ASSERT_EQ(hinted.status, -1) << hinted.output << hinted.errors;
    onRecord(path("documents"), [&](const QuizCanvas& q) {
        EXPECT_EQ(q.hints, 1);
        ASSERT_NE(q.saved_question_record, nullptr);
        const auto& ghosts = q.saved_ghosted_answers->data;
        EXPECT_EQ(ghosts[0] + ghosts[1] + ghosts[2], 1);
        EXPECT_FALSE(ghosts[right]);
        EXPECT_FALSE(H::current_mode_practice);
    });

    const ProgramRun terminated = runQuiz(path("terminated"), path("documents-terminated"), resume + "terminate\n");
    ASSERT_EQ(terminated.status, 0) << terminated.output << terminated.errors;
    onRecord(path("documents-terminated"), [](const QuizCanvas& q) {
        EXPECT_FALSE(H::current_mode_practice);
        EXPECT_LT(q.question_timer_ms, 9000) << "the time the question was shown is spent";
        EXPECT_NE(q.saved_question_record, nullptr);
    });
}

TEST_F(QuizProgress, ARecordNoBuildWritesIsRefusedWholeAndTheQuizPlaysOnSafely) {
    // A test under way at level 6 with its question, but no category: no build writes that.
    const int32_t right = plant(path("documents"), 5, [](QuizCanvas&) { H::current_category = -1; });
    // "New Test" is tapped where the question screen, had "Continue Test" resumed the record's
    // question, has no button: between its first two answers.
    const ProgramRun run = runQuiz(path("run"), path("documents"),
                                   shown(1, "main menu") + tap(160, CONTINUE_Y) + taken + tap(160, 205) +
                                       shown(2, "question") + tapAnswer(right) + taken + "terminate\n");
    ASSERT_EQ(run.status, 0) << run.output << run.errors;
    EXPECT_EQ(countOccurrences(run.errors, "saved progress cannot be used"), 1u) << run.errors;
    EXPECT_EQ(run.output.find("confirmation"), std::string::npos);
    onRecord(path("documents"), [](const QuizCanvas& q) { EXPECT_EQ(q.rank, 0); });
}

}  // namespace
