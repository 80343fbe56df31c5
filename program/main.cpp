// The program: runs the runtime with the application or a demonstration MIDlet in an SDL window, or
// headless with a script (the built-in one when none is given or no display can be opened).
#include <fcntl.h>
#include <malloc.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/quiz/QuizEntry.h"
#include "demos/Demos.h"
#include "host/BrowserLauncher.h"
#include "host/DesktopBrowser.h"
#include "host/DeviceProfile.h"
#include "host/DocumentsPlace.h"
#include "host/ExitStatus.h"
#include "host/GpsdLocationSource.h"
#include "host/Launcher.h"
#include "host/LogCapture.h"
#include "host/MediaHooks.h"
#include "host/ProgramOptions.h"
#include "host/ProxyMIDlet.h"
#include "host/RuntimeLibraries.h"
#include "host/ScreenProfile.h"
#include "host/Script.h"
#include "host/ScriptRunner.h"
#include "host/SdlWindow.h"
#include "host/StopSignals.h"
#include "host/UiPump.h"
#include "host/Views.h"
#include "host/xyzApp.h"
#include "platform/UiThread.h"
#include "runtime/io/FileSystem.h"
#include "runtime/lang/Throwable.h"
#include "runtime/text/String.h"

namespace {

// For a MIDlet that brings no script of its own: a few frames, then the end.
constexpr const char* BUILT_IN_SCRIPT =
    "wait_frames 1 10000\n"
    "capture frame-1.png\n"
    "wait 1000\n"
    "capture frame-2.png\n"
    "terminate\n";

// A standard descriptor the program was started without is held on /dev/null before anything is
// opened, so that nothing the program opens takes its place (its own pipe taken for its output).
void holdStandardDescriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // Opened on the lowest free descriptor, which is this one; inherited as a standard one is.
        [[maybe_unused]] const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
}

int fail(const std::string& message) {
    stopsignals::orderlyEndReached(exitstatus::REFUSED_START);
    std::fprintf(stderr, "lexivo-quiz: %s\n", message.c_str());
    return exitstatus::REFUSED_START;
}

std::string javaMessage(java::lang::Throwable& thrown) {
    JavaPtr<java::lang::String> message = thrown.getMessage();
    return message ? std::string(message->val()) : std::string("unusable directory");
}

// The capture directory exists (made when missing) and is writable; "" with a reason otherwise.
// made says whether this run made it.
std::string prepareCaptureDirectory(std::string directory, bool& made, std::string& whyNot) {
    if (directory.empty()) {
        const char* temporary = std::getenv("TMPDIR");
        const std::string base = temporary && temporary[0] == '/' ? temporary : "/tmp";
        std::string pattern = base + "/lexivo-quiz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            whyNot = "cannot make a temporary capture directory";
            return {};
        }
        made = true;
        return pattern;
    }
    std::string built;
    for (size_t at = 0; at != std::string::npos;) {
        at = directory.find('/', at + 1);
        built = directory.substr(0, at);
        if (!built.empty()) made = ::mkdir(built.c_str(), 0755) == 0;
    }
    struct stat info {};
    if (::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || ::access(directory.c_str(), W_OK) != 0) {
        whyNot = "the capture directory '" + directory + "' cannot be used";
        return {};
    }
    return directory;
}

}  // namespace

int main(int argc, char** argv) {
    holdStandardDescriptors();
    // Picture-sized blocks are mapped and given back when freed. glibc otherwise raises the threshold
    // at the first such free, and the pictures a screen change drops stay in the heap (about 20 MiB).
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // Under a file-size limit a write past it fails, and each writer reports that its way (a save
    // that failed, silent audio whose library sizes a shared-memory file), instead of a kill.
    std::signal(SIGXFSZ, SIG_IGN);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    UiThread::markCurrentThread();

    ProgramOptions options;
    try {
        const size_t count = argc > 0 ? static_cast<size_t>(argc - 1) : 0;
        options = ProgramOptions::parse(std::span<const char* const>(argv + 1, count));
    } catch (const std::invalid_argument& error) {
        return fail(std::string(error.what()) + " (--help lists the options)");
    }
    if (options.help) {
        std::fputs(ProgramOptions::usage().c_str(), stdout);
        return 0;
    }
    // The quiz is the default, and first in the list.
    const MidletEntry& quiz = quizEntry();
    if (options.midlet == "list") {
        std::printf("%s\t%s\n", quiz.name, quiz.summary);
        std::fputs(demo::demoListing().c_str(), stdout);
        return 0;
    }
    const MidletEntry* midlet = options.midlet.empty() || options.midlet == quiz.name ? &quiz : demo::findDemo(options.midlet);
    if (!midlet) return fail("no MIDlet named '" + options.midlet + "' (--midlet list names them)");
    if (midlet->joinLauncher) midlet->joinLauncher();
    if (!options.device.empty())
        DeviceProfile::setDeviceProfile(ScreenProfile::find(options.device)->modelName, options.device);

    stopsignals::install();
    // Whether a window can open decides, before any directory is touched, whether this is the
    // built-in session; SDL's video starts here, the window itself only at launch.
    std::unique_ptr<SdlWindow> window;
    if (!options.headless) {
        std::string whyNot;
        window = SdlWindow::open(options.zoom, whyNot);
        if (!window) std::printf("no window (%s): running headless\n", whyNot.c_str());
    }
    const bool builtIn = !window && options.scriptFile.empty();

    std::string bundle = options.bundleDirectory;
    std::string documents = options.documentsDirectory;
    DocumentsPlace documentsPlace;
    // The built-in session never plays on the player's progress.
    const bool temporaryDocuments = documents.empty() && builtIn;
    try {
        if (bundle.empty()) bundle = executableDirectory();
        if (temporaryDocuments) {
            documents = documentsPlace.makeTemporary();
            stopsignals::removeWhenForced(documents, false);
        }
        if (documents.empty()) documents = defaultDocumentsDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        java::io::FileSystem::setDirectories(bundle, documents);
    } catch (const std::exception& error) {
        return fail(error.what());
    } catch (java::lang::Throwable& thrown) {
        return fail(javaMessage(thrown));
    }
    if (midlet->startCheck)
        if (const std::string whyNot = midlet->startCheck(java::io::FileSystem::bundleDirectory()); !whyNot.empty())
            return fail(whyNot);
    if (std::string whyNot; !temporaryDocuments && !documentsPlace.lock(java::io::FileSystem::documentsDirectory(), whyNot))
        return fail(whyNot);

    std::printf("lexivo-quiz: bundle %s, documents %s\n", java::io::FileSystem::bundleDirectory().c_str(),
                java::io::FileSystem::documentsDirectory().c_str());
    documentsPlace.announceTemporary();

    std::optional<std::string> scriptText;
    std::string scriptName = options.scriptFile;
    if (!options.scriptFile.empty()) {
        try {
            scriptText = Script::load(options.scriptFile);
        } catch (const std::runtime_error& error) {
            return fail(error.what());
        }
    }

    // Headless, platform requests are only logged.
    if (window) BrowserLauncher::setOpener(openInDesktopBrowser);
    if (builtIn) {
        scriptText = midlet->builtInScript ? midlet->builtInScript : BUILT_IN_SCRIPT;
        scriptName = "built-in script";
    }

    std::vector<ScriptCommand> commands;
    std::string captureDirectory;
    // A built-in session stopped before its first capture leaves no empty directory it made.
    bool emptyCaptureGoes = false;
    if (scriptText) {
        const ScreenSetup screen = ScreenProfile::setupFor(ScreenProfile::current());
        try {
            commands = Script::parse(*scriptText, screen.viewWidth, screen.viewHeight);
        } catch (const ScriptError& error) {
            return fail(scriptName + ": " + error.what());
        }
        std::string whyNot;
        bool made = false;
        captureDirectory = prepareCaptureDirectory(options.captureDirectory, made, whyNot);
        if (captureDirectory.empty()) return fail(whyNot);
        emptyCaptureGoes = builtIn && made;
        if (emptyCaptureGoes) stopsignals::removeWhenForced(captureDirectory, true);
        LogCapture::start();
    }

    ProxyMIDlet::setFactory(midlet->factory);
    joinMediaToLauncher();
    NoViews noViews;
    std::optional<HeadlessPump> headlessPump;
    if (!window) headlessPump.emplace();
    Views& views = window ? static_cast<Views&>(*window) : noViews;
    UiPump& pump = window ? static_cast<UiPump&>(*window) : *headlessPump;

    int status = 0;
    {
        joinRuntimeLibraries();
        // In a window the location fixes come from gpsd; headless, only from the script.
        std::optional<GpsdLocationSource> gpsd;
        if (window) gpsd.emplace(options.gpsdHost, options.gpsdPort);
        xyzApp app(views, bundle);
        if (window) window->attach(app);
        launcher::onTerminateAsked([&app] { app.applicationWillTerminate(); });
        app.applicationDidFinishLaunching();
        if (scriptText) {
            try {
                ScriptRunner(app, pump, captureDirectory).run(commands);
            } catch (const ScriptError& error) {
                std::fprintf(stderr, "lexivo-quiz: %s: %s\n", scriptName.c_str(), error.what());
                status = exitstatus::SCRIPT_FAILED;
            } catch (const std::exception& error) {
                std::fprintf(stderr, "lexivo-quiz: %s stopped: %s\n", scriptName.c_str(), error.what());
                status = exitstatus::SCRIPT_FAILED;
            }
            app.applicationWillTerminate();
        } else {
            pump.runUntil(UiPump::Clock::time_point::max(), [&app] { return app.terminated(); });
        }
        if (midlet->exitStatus && status == 0) status = midlet->exitStatus();
        launcher::onTerminateAsked(nullptr);
        if (window) {
            if (const std::string loss = SdlWindow::displayLoss(); !loss.empty()) {
                std::fprintf(stderr, "lexivo-quiz: the application was ended: %s\n", loss.c_str());
                status = exitstatus::DISPLAY_LOST;
            }
        }
        // A runtime still running after the terminate's wait is a failure of its own.
        if (app.runtimeOutlivedTerminate() && status == 0) status = exitstatus::RUNTIME_OUTLIVED_TERMINATE;
        const bool captureRemoved = emptyCaptureGoes && ::rmdir(captureDirectory.c_str()) == 0;
        if (builtIn && !captureRemoved) std::printf("the built-in script's frames are in %s\n", captureDirectory.c_str());
    }
    stopsignals::orderlyEndReached(status);
    LogCapture::stop();
    std::fflush(stdout);
    if (launcher::staticsStillInUse()) {
        documentsPlace.removeTemporary();
        launcher::endWithoutStaticDestructors(status);
    }
    window.reset();
    return status;
}
