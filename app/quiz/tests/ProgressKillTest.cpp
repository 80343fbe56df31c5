// Kills a small player of the test at random moments, between a save's new record and the removal
// of the old one, and in the pause after an answer; after every kill a new player must restore
// exactly the last save (or the one under way) and never resume a question already answered.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "app/quiz/tests/QuizCanvas.h"
#include "runtime/io/tests/ChildReports.h"
#include "runtime/io/tests/TestDirectories.h"

namespace {

using H = HookCanvas;

constexpr int killCount = 510;

enum class Aim { AnyMoment, BetweenAddAndDelete, PauseAfterAnswer };

struct Plan {
    Aim aim = Aim::AnyMoment;
    int after = 0;  // saves or answers before the self-inflicted kill
    int update = 0;  // update of the pause at which it falls
};

int reportFd = -1;

void report(const std::string& line) {
    const std::string text = line + "\n";
    if (::write(reportFd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) _exit(4);
}

// The progress that a restart must bring back, as one line. In the pause after an answer, a level
// change that is due counts as made.
std::string progressOf(QuizCanvas& q) {
    const bool inPause = q.question_answered && q.question_delay > 0 && !q.question_slide_in;
    const int32_t earned = inPause ? q.getRanking() : q.rank;
    const bool changes = earned != q.rank;
    std::ostringstream line;
    line << "h=" << q.hints << " s=" << q.skips << " r=" << earned << " lr=" << (changes ? 0 : q.level_right)
         << " la=" << (changes ? 0 : q.level_attempted) << " tr=" << q.test_right_total
         << " tw=" << q.test_wrong_total << " fin=" << (q.test_finished || earned == H::levelThresholds->length)
         << " owed=" << (changes ? earned < H::levelThresholds->length : q.level_change_owed != 0) << " q=";
    if (q.saved_question_record) {
        line << q.saved_question_record->data[0]->val() << "#" << q.saved_correct_answer;
        for (int32_t i = 0; i < 4; ++i) line << (q.saved_ghosted_answers->data[i] ? "x" : ".");
    } else {
        line << "-";
    }
    return line.str();
}

[[noreturn]] void playForEver(const std::filesystem::path& documents, uint32_t seed, Plan plan) {
    try {
        std::mt19937 random(seed);
        QuizWorld world(documents);
        QuizCanvas& q = *world.canvas;
        const bool stored = q.getRecordStoreData(0) != nullptr;
        q.loadSavedData();
        report(stored ? "restored " + progressOf(q) : "restored fresh");

        // What the player did to the question on screen, known without asking the quiz.
        const JArray<java::lang::String>* shown = nullptr;
        bool shownAnswered = false;
        int saves = 0, answers = 0;
        static int* savesLeft = nullptr;
        static int killAtSave = 0;
        savesLeft = &saves;
        killAtSave = plan.aim == Aim::BetweenAddAndDelete ? plan.after : -1;
        H::afterNewRecordsAdded = [](int32_t) {
            if (*savesLeft != killAtSave) return;
            report("aimed");
            ::raise(SIGKILL);
        };
        q.saveWatcher = [&](const char* phase) {
            const bool answeredOnRecord = q.saved_question_record.get() == shown && shownAnswered;
            report(std::string(phase) + " a=" + (answeredOnRecord ? "1" : "0") + " " + progressOf(q));
            if (phase[0] == 'e') ++saves;
        };

        H::want_category_to_be = H::PARAM_NUMBER_OF_CATEGORIES;
        H::want_practice_mode = false;
        q.startGame();
        if (q.rank == H::levelThresholds->length) q.closeCompletedTest();
        if (!q.test_finished && q.saved_question_record) {
            H::current_mode_practice = false;
            q.getQuestion(false);
            report(std::string("resumed ") + q.question_record->data[0]->val());
        } else {
            q.resetGame(false);
            q.getQuestion(true);
        }
        for (;;) {
            if (q.question_record.get() != shown) {
                shown = q.question_record.get();
                shownAnswered = false;
            }
            // An aimed kill that never came would leave the test waiting for ever.
            if (plan.aim != Aim::AnyMoment && (answers > plan.after + 20 || saves > plan.after + 40)) _exit(5);
            const uint32_t roll = random() % 16;
            if (roll == 0 && q.hints > 0) {
                q.tapButton(H::BUTTON_HINT);
            } else if (roll == 1 && q.skips > 0) {
                q.tapButton(H::BUTTON_SKIP);
            } else {
                shownAnswered = true;
                q.answer(random() % 10 < 7);
                ++answers;
            }
            q.playOutAnswer(400, [&](int32_t update) {
                if (plan.aim == Aim::PauseAfterAnswer && answers >= plan.after && update >= plan.update) {
                    report("aimed");
                    ::raise(SIGKILL);
                }
            });
        }
    } catch (...) {
        _exit(3);
    }
}

// A save's line after its phase: "a=X progress...".
struct Save {
    bool answeredOnRecord = false;
    std::string progress;
};

std::string questionOf(const std::string& progress) {
    const auto at = progress.find(" q=");
    const std::string q = progress.substr(at + 3);
    return q == "-" ? q : q.substr(0, q.find('#'));
}

}  // namespace

using ProgressKills = TestDirectories;

TEST_F(ProgressKills, RestartRestoresTheLastSaveAndNeverResumesAnAnsweredQuestion) {
    std::mt19937 random(20261207);
    std::optional<Save> lastSaved;   // the last save that returned
    std::optional<Save> underWay;    // a save the kill may have cut short
    bool mustBeNewest = false;
    int saves = 0, resumed = 0, keptUnderWay = 0, aimedKills = 0;
    const auto started = std::chrono::steady_clock::now();

    for (int kill = 0; kill <= killCount; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        Plan plan;
        plan.aim = static_cast<Aim>(kill % 3);
        plan.after = static_cast<int>(random() % 3) + (plan.aim == Aim::PauseAfterAnswer ? 1 : 0);
        plan.update = static_cast<int>(random() % 100);  // the pause after an answer lasts 100 updates
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            reportFd = pipeEnds[1];
            playForEver(documents, static_cast<uint32_t>(kill), plan);
        }
        ::close(pipeEnds[1]);
        // Aimed kills are the player's own; the others fall at a random moment after its first save.
        std::string lines;
        if (plan.aim == Aim::AnyMoment) {
            lines = readPipeUntil(pipeEnds[0], "\nend ");
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 10000));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        lines += readPipe(pipeEnds[0]);
        ::close(pipeEnds[0]);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the player stopped by itself with status " << status << "\n" << lines;

        std::istringstream in(lines);
        std::string line;
        ASSERT_TRUE(std::getline(in, line) && line.rfind("restored ", 0) == 0) << lines;
        const std::string restored = line.substr(9);
        // What this start found must be what the last player left.
        std::optional<Save> from;
        if (underWay && restored == underWay->progress) {
            from = underWay;
            ++keptUnderWay;
        } else {
            ASSERT_FALSE(mustBeNewest) << "the older record won over a newer one";
            if (lastSaved) {
                ASSERT_EQ(restored, lastSaved->progress);
                from = lastSaved;
            } else {
                ASSERT_EQ(restored, "fresh");
            }
        }
        lastSaved = from;
        underWay.reset();
        if (kill == killCount) break;  // the last start only checks what the kills left

        bool aimed = false;
        while (std::getline(in, line)) {
            if (line == "aimed") {
                aimed = true;
                continue;
            }
            if (line.rfind("resumed ", 0) == 0) {
                ASSERT_TRUE(from);
                ASSERT_FALSE(from->answeredOnRecord) << "resumed an answered question";
                ASSERT_EQ(line.substr(8), questionOf(from->progress));
                ++resumed;
                continue;
            }
            const bool begin = line.rfind("begin ", 0) == 0;
            ASSERT_TRUE(begin || line.rfind("end ", 0) == 0) << line;
            const std::string rest = line.substr(begin ? 6 : 4);
            const Save save{rest.starts_with("a=1"), rest.substr(4)};
            ASSERT_FALSE(save.answeredOnRecord && questionOf(save.progress) != "-")
                << "an answered question was saved for resuming: " << line;
            if (begin) {
                underWay = save;
            } else {
                lastSaved = save;
                underWay.reset();
                ++saves;
            }
        }
        // A kill between the new record and the old one's removal must leave the new one read.
        mustBeNewest = plan.aim == Aim::BetweenAddAndDelete && aimed;
        if (aimed) ++aimedKills;
    }

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ kills    ] %d kills (%d aimed), %d saves returned, %d saves under way kept, %d questions resumed, "
                "%.1f s\n",
                killCount, aimedKills, saves, keptUnderWay, resumed, seconds);
    EXPECT_GT(aimedKills, killCount / 2);
    EXPECT_GT(resumed, killCount / 10);
    EXPECT_GT(keptUnderWay, killCount / 10);
}
