// Stop signals through the whole program: each ends the session in order, its progress saved and
// its temporary folders removed, and within a bound however it is stuck: an output nobody reads, a
// terminal whose output is stopped, outputs it was started without, a save under way.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "host/tests/OpenHolder.h"
#include "host/tests/ProgramRun.h"

namespace {

using programtest::loadPicture;
using programtest::Output;
using programtest::readText;
using programtest::RunningProgram;
using programtest::ScopedVariable;
using programtest::TemporaryDirectory;

// From the signal to the process's end: the orderly stop's bound, the forced end's, and room for a
// loaded machine. A program that outlives it is killed and fails its row.
constexpr std::chrono::seconds END_BOUND{60};

// Starts the program with the signal ignored, as a shell starts a background job or nohup its command.
class IgnoredWhileStarting {
public:
    explicit IgnoredWhileStarting(int signal) : m_signal(signal) {
        if (signal != 0) m_kept = std::signal(signal, SIG_IGN);
    }
    ~IgnoredWhileStarting() {
        if (m_signal != 0) std::signal(m_signal, m_kept);
    }

private:
    int m_signal;
    void (*m_kept)(int) = SIG_DFL;
};

// The built-in session's first capture made a pipe that the test holds open and never reads, so
// that writing the capture blocks the thread that would carry out a stop. The pipe's reader end
// comes back; it holds what was written once the program's thread is inside the capture.
int stuckCapture(const std::filesystem::path& captures) {
    std::filesystem::create_directories(captures);
    const std::filesystem::path pipe = captures / "1-main-menu.png";
    if (::mkfifo(pipe.c_str(), 0644) != 0) return -1;
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    // Smaller than any capture, whose writer then waits for a reader that never comes.
    ::fcntl(reader, F_SETPIPE_SZ, 4096);
    return reader;
}

TEST(StopSignals, EndTheBuiltInSessionOnceInOrderAndRemoveItsTemporaryFolders) {
    TemporaryDirectory directory("program-signal-test");
    const std::filesystem::path temporary = directory.path() / "tmp", captures = directory.path() / "captures";
    const ScopedVariable tmpdir("TMPDIR", temporary.c_str()), sound("ALSOFT_DRIVERS", "null");
    const std::vector<std::string> captured{"--capture", captures.string()};
    const std::string atMenu = "quiz: screen 1: main menu", saved = "quiz: hidden save done";
    const auto send = [](int signal) { return [signal](RunningProgram& program) { ::kill(program.pid(), signal); }; };
    struct Run {
        const char* what;
        // The program is run under timeout when given, and given the capture directory when captured.
        bool underTimeout = false;
        bool captured = true;
        int ignored = 0;
        // The first capture is made a pipe that nothing reads.
        bool stuckCapture = false;
        const char* cue;
        std::function<void(RunningProgram&)> stop;
        int status = 0;
        const char* errors = "";
    };
    int stuckReader = -1;
    const Run runs[] = {
        {.what = "Ctrl-C", .cue = atMenu.c_str(), .stop = send(SIGINT)},
        {.what = "SIGTERM", .cue = atMenu.c_str(), .stop = send(SIGTERM)},
        {.what = "the output closed", .cue = atMenu.c_str(), .stop = [](RunningProgram& program) { program.closeOutput(); }},
        {.what = "the terminal closed", .cue = atMenu.c_str(), .stop = send(SIGHUP)},
        {.what = "SIGTERM again once the save is done", .cue = atMenu.c_str(),
         .stop =
             [&](RunningProgram& program) {
                 ::kill(program.pid(), SIGTERM);
                 ASSERT_TRUE(program.readUntil(saved));
                 ::kill(program.pid(), SIGTERM);
             }},
        // timeout sends its signal to the program and then to the whole process group.
        {.what = "SIGTERM to timeout", .underTimeout = true, .cue = atMenu.c_str(), .stop = send(SIGTERM)},
        // Stopped before the session's first capture, into a directory of its own under TMPDIR.
        {.what = "SIGTERM before the first capture", .captured = false, .cue = "temporary documents directory",
         .stop = send(SIGTERM)},
        // A Ctrl-C meant for the shell's foreground job: the session goes on to its next screen.
        {.what = "Ctrl-C ignored from the start", .ignored = SIGINT, .cue = atMenu.c_str(),
         .stop =
             [&](RunningProgram& program) {
                 ::kill(program.pid(), SIGINT);
                 EXPECT_TRUE(program.readUntil("quiz: screen 2: question")) << "stopped by an ignored Ctrl-C";
                 ::kill(program.pid(), SIGTERM);
             }},
        // The thread that would carry out the stop is stuck; the runtime saves, then the program ends.
        {.what = "SIGTERM while a thread is stuck", .stuckCapture = true, .cue = atMenu.c_str(),
         .stop =
             [&](RunningProgram& program) {
                 pollfd written{stuckReader, POLLIN, 0};
                 ASSERT_EQ(::poll(&written, 1, -1), 1);
                 ::kill(program.pid(), SIGTERM);
                 EXPECT_TRUE(program.readUntil(saved));
             },
         .status = 3,
         .errors = "lexivo-quiz: the program did not stop within [0-9]+ ms of the stop signal; it ends after saving "
                   "what it can\n"},
    };
    for (const Run& r : runs) {
        SCOPED_TRACE(r.what);
        std::filesystem::remove_all(captures);
        std::filesystem::create_directories(temporary);
        if (r.stuckCapture) ASSERT_GE(stuckReader = stuckCapture(captures), 0);
        std::vector<std::string> arguments{LEXIVO_QUIZ_PATH, "--headless"};
        if (r.captured) arguments.insert(arguments.end(), captured.begin(), captured.end());
        if (r.underTimeout) arguments.insert(arguments.begin(), {"timeout", "600"});
        std::optional<RunningProgram> program;
        {
            const IgnoredWhileStarting ignored(r.ignored);
            program.emplace(r.underTimeout ? "/usr/bin/timeout" : LEXIVO_QUIZ_PATH, arguments,
                            directory.path() / "stderr.txt");
        }
        ASSERT_TRUE(program->readUntil(r.cue)) << program->output();
        r.stop(*program);
        EXPECT_EQ(program->waitWithin(END_BOUND), r.status) << program->output();
        if (stuckReader >= 0) ::close(stuckReader);
        stuckReader = -1;
        const std::string errors = readText(directory.path() / "stderr.txt");
        EXPECT_TRUE(std::regex_match(errors, std::regex(r.errors))) << errors;
        EXPECT_TRUE(std::filesystem::is_empty(temporary));
    }
}




// To a question, captured; then the script waits for something that never comes, so that only the
// stop can end it in time.
constexpr const char* TO_A_QUESTION =
    "expect_log quiz: screen 1: main menu\n"
    "tap 160 192\n"
    "expect_log quiz: screen 2: question\n"
    "capture question.png\n"
    "expect_log never written\n";

struct QuestionSession {
    TemporaryDirectory directory{"stop-bound-test"};
    std::filesystem::path documents = directory.path() / "documents", captures = directory.path() / "captures",
                          errors = directory.path() / "stderr.txt";
    ScopedVariable sound{"ALSOFT_DRIVERS", "null"};

    QuestionSession() {
        std::filesystem::create_directories(captures);
        std::ofstream(directory.path() / "script.txt") << TO_A_QUESTION;
    }
    RunningProgram start(Output output = Output::Pipe) const {
        return RunningProgram(LEXIVO_QUIZ_PATH,
                              {LEXIVO_QUIZ_PATH, "--headless", "--script", (directory.path() / "script.txt").string(),
                               "--documents", documents.string(), "--capture", captures.string()},
                              errors, output);
    }
    // Once the question's capture is whole, whether or not the output can be read.
    bool atQuestion() const {
        return programtest::waitForChange(
            captures, [this] { return loadPicture(captures / "question.png").width > 0; }, END_BOUND);
    }
    // The progress reached the store: its file, and no temporary one left.
    bool saved() const {
        bool store = false;
        for (const auto& entry : std::filesystem::directory_iterator(documents)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("rs_tmp")) return false;
            store = store || name == "rs_0";
        }
        return store;
    }
};

TEST(StopSignals, EndTheProgramInTheirBoundWhateverOutputIsStuckOrMissing) {
    struct Row {
        const char* what;
        Output output;
        std::function<void(RunningProgram&)> stuck;
        // Standard error, where the test can read it.
        const char* errors;
    };
    const Row rows[] = {
        // A pipe full and never read: the stop saves, then its output cannot be passed on.
        {"the output unread", Output::Pipe, [](RunningProgram& program) { program.holdOutput(); },
         "lexivo-quiz: the program stopped in order but had not ended [0-9]+ ms after the stop signal \\(its output "
         "is not read\\); it ends now\n"},
        // Standard error as well, and the forced end's own line waits.
        {"a terminal whose output is stopped", Output::Terminal, [](RunningProgram& program) { program.stopTerminal(); },
         nullptr},
        // Started with it closed: nothing the program opens may take its place.
        {"no standard output", Output::Closed, nullptr, ""},
        {"neither output", Output::BothClosed, nullptr, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const QuestionSession session;
        RunningProgram program = session.start(row.output);
        ASSERT_TRUE(session.atQuestion());
        if (row.stuck) row.stuck(program);
        ::kill(program.pid(), SIGTERM);
        EXPECT_EQ(program.waitWithin(END_BOUND), 0);
        EXPECT_TRUE(session.saved());
        if (row.errors) {
            const std::string errors = readText(session.errors);
            EXPECT_TRUE(std::regex_match(errors, std::regex(row.errors))) << errors;
        }
    }
}

// The save that the orderly stop began is held inside its file's open until the bound has passed:
// it gets its share of the forced end, and the progress is kept.
TEST(StopSignals, ASaveUnderWayWhenTheBoundPassesIsFinished) {
    const QuestionSession session;
    std::filesystem::create_directories(session.documents);
    programtest::OpenHolder holder(session.documents);
    if (!holder.valid()) GTEST_SKIP() << "the kernel refused to let this test hold an open (fanotify)";
    RunningProgram program = session.start();
    ASSERT_TRUE(program.readUntil("quiz: screen 2: question"));
    holder.arm("rs_tmp");
    ::kill(program.pid(), SIGTERM);
    ASSERT_TRUE(holder.waitUntilHeld(END_BOUND));
    const std::string overrun = "did not stop within";
    EXPECT_TRUE(programtest::waitForChange(
        session.errors, [&] { return readText(session.errors).find(overrun) != std::string::npos; }, END_BOUND));
    holder.release();
    const int status = program.waitWithin(END_BOUND);
    EXPECT_NE(program.output().find("quiz: hidden save done"), std::string::npos) << program.output();
    EXPECT_TRUE(session.saved());
    // The orderly stop may finish within the save's share too, and then its status stands.
    EXPECT_TRUE(status == 0 || status == 3) << status;
}

}  // namespace
