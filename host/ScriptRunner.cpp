#include "host/ScriptRunner.h"

#include <cstdarg>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "host/LogCapture.h"
#include "host/PngWriter.h"
#include "host/SMSComposer.h"
#include "platform/FrontBuffer.h"
#include "runtime/media/AudioSession.h"

namespace {

using Kind = ScriptCommand::Kind;
using Clock = UiPump::Clock;

[[gnu::format(printf, 1, 2)]] void report(const char* format, ...) {
    std::va_list values;
    va_start(values, format);
    std::vprintf(format, values);
    va_end(values);
    std::fflush(stdout);
}

}  // namespace

ScriptRunner::ScriptRunner(xyzApp& app, UiPump& pump, std::string captureDirectory)
    : m_app(app), m_pump(pump), m_captureDirectory(std::move(captureDirectory)) {}

void ScriptRunner::run(const std::vector<ScriptCommand>& commands) {
    for (const ScriptCommand& command : commands) {
        if (command.kind == Kind::End) return;
        execute(command);
        if (endedFromOutside()) {
            report("the application was ended from outside the script at line %d; the rest is skipped\n", command.line);
            return;
        }
    }
}

bool ScriptRunner::endedFromOutside() const { return m_app.terminated() && !m_askedToTerminate; }

bool ScriptRunner::pumpUntil(Clock::time_point deadline, const std::function<bool()>& done) {
    return m_pump.runUntil(deadline, [&] { return endedFromOutside() || done(); }) && !endedFromOutside();
}

void ScriptRunner::waitFor(std::chrono::milliseconds duration) {
    pumpUntil(Clock::now() + duration, [] { return false; });
}

void ScriptRunner::execute(const ScriptCommand& command) {
    using std::chrono::milliseconds;
    TouchInput& touches = m_app.touches();
    switch (command.kind) {
        case Kind::Wait: waitFor(milliseconds(command.millis)); break;
        case Kind::WaitFrames: {
            const uint64_t target = platform::framesPresented() + static_cast<uint64_t>(command.count);
            if (!pumpUntil(Clock::now() + milliseconds(command.millis),
                           [target] { return platform::framesPresented() >= target; }) &&
                !endedFromOutside())
                throw ScriptError(command.line, "wait_frames: " + std::to_string(command.count) +
                                                    " frame(s) were not presented within " +
                                                    std::to_string(command.millis) + " ms");
            break;
        }
        case Kind::Down: touches.touchesBegan(command.x, command.y); break;
        case Kind::Move: touches.touchesMoved(command.x, command.y); break;
        case Kind::Up: touches.touchesEnded(command.x, command.y); break;
        case Kind::Tap:
            touches.touchesBegan(command.x, command.y);
            waitFor(milliseconds(command.millis));
            if (!endedFromOutside()) touches.touchesEnded(command.x, command.y);
            break;
        case Kind::Pause: m_app.applicationWillResignActive(); break;
        case Kind::Resume: m_app.applicationDidBecomeActive(); break;
        case Kind::Terminate:
            m_askedToTerminate = true;
            m_app.applicationWillTerminate();
            break;
        case Kind::Accel: sampleAccelerometer(command); break;
        case Kind::Location:
            if (!LocationManager::deliver(command.fix))
                report("location: no location updates were started; the fix is dropped\n");
            break;
        case Kind::SmsResult: SMSComposer::setAnswer(command.answer); break;
        case Kind::Capture: capture(command); break;
        case Kind::ExpectLog: {
            const std::string text = command.text;
            if (!pumpUntil(Clock::now() + EXPECT_LOG_BOUND, [&text] { return LogCapture::contains(text); }) &&
                !endedFromOutside())
                throw ScriptError(command.line, "expect_log: '" + text + "' was not written within " +
                                                    std::to_string(EXPECT_LOG_BOUND.count()) + " ms");
            break;
        }
        case Kind::AudioInterruption:
            javax::microedition::media::AudioSession::interruptionListenerCallback(static_cast<int32_t>(command.count));
            break;
        case Kind::End: break;
    }
}

void ScriptRunner::sampleAccelerometer(const ScriptCommand& command) {
    // One sample, or one every interval for the given time, each at its own moment.
    const Clock::time_point start = Clock::now();
    const auto duration = std::chrono::milliseconds(command.millis);
    const auto interval = std::chrono::milliseconds(Script::ACCEL_INTERVAL_MS);
    for (auto at = std::chrono::milliseconds(0); at == std::chrono::milliseconds(0) || at < duration; at += interval) {
        pumpUntil(start + at, [] { return false; });
        if (endedFromOutside()) return;
        m_app.accelerometerDidAccelerate(command.x, command.y, command.z);
    }
    pumpUntil(start + duration, [] { return false; });
}

void ScriptRunner::capture(const ScriptCommand& command) {
    const platform::Frame frame = platform::latestFrame();
    if (frame.serial == 0) throw ScriptError(command.line, "capture: no frame has been presented yet");
    const std::string path = command.text.front() == '/' ? command.text : m_captureDirectory + "/" + command.text;
    try {
        writePng(path, frame);
    } catch (const std::runtime_error& error) {
        throw ScriptError(command.line, std::string("capture: ") + error.what());
    }
    report("captured %s (frame %llu, %dx%d)\n", path.c_str(), static_cast<unsigned long long>(frame.serial),
           frame.width, frame.height);
}
