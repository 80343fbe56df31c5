// What the application's main loop costs, drawing through OpenGL ES on Mesa: the processor time of a
// running canvas whose quiz half draws only a blank screen, as a ratio to its peer in the same run, a
// bare canvas presenting 30 blank frames a second at the same size; the processor time of a hidden
// canvas's loop; and the time of one pass (latch, update, paint of a blank frame). A frame with no
// drawing at all is never presented, so each frame is one screen-sized fill.
// Processor time is the whole process's (getrusage), so llvmpipe's own threads count too.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "app/framework/AppMidlet.h"
#include "app/framework/HookCanvas.h"
#include "app/framework/tests/TestQuizHalf.h"
#include "platform/PlatformState.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lang/Thread.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/OpenGLBackEnd.h"

using java::lang::jnew;
using javax::microedition::lcdui::Canvas;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::lcdui::Graphics;

namespace {

constexpr auto MEASURED = std::chrono::seconds(4);

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Percent of one core that the work took while it ran for the measured time.
template <class Work>
double corePercent(Work&& work) {
    const double before = processorSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return 100.0 * (processorSeconds() - before) / wall;
}

// A display of the given size whose master Graphics draws with OpenGL ES.
void openScreen(int32_t width, int32_t height) {
    static bool open = false;
    Display::screenWidth = width;
    Display::screenHeight = height;
    platform::outputWidth = width;
    platform::outputHeight = height;
    JavaPtr<Graphics> master = Display::getMasterGraphics();
    if (!open) {
        master = jnew<Graphics>();
        master->WENDinvokeconstructor();
        master->masterFlag = true;
        javax::microedition::lcdui::installOpenGLBackEnd(*master);
        Display::getDisplay();
        Display::setMasterGraphics(master);
        open = true;
    }
    master->setTarget(master->getTargetPixels(), width, height, width);
}

void blank(const JavaPtr<Graphics>& g) {
    g->setColor(0);
    g->fillRect(0, 0, Display::screenWidth.load(), Display::screenHeight.load());
}

class BareCanvas : public Canvas {
public:
    void paint(const JavaPtr<Graphics>& g) override { blank(g); }
};

void makeCurrent(const JavaPtr<Canvas>& canvas) {
    Display::getDisplay()->setCurrent(canvas);
    Display::tickLCDUI(0);
    canvas->setGraphicsField(Display::getMasterGraphics());
}

JavaPtr<HookCanvas> runningAppCanvas() {
    HookCanvas::HookCanvas_globalStaticCreate();
    JavaPtr<HookCanvas> canvas = jnew<HookCanvas>();
    canvas->WENDinvokeconstructor();
    makeCurrent(canvas);
    HookCanvas::game_state = HookCanvas::GAMESTATE_MAIN_MENU;
    HookCanvas::app_status = 0;
    testquiz::onRender = blank;
    return canvas;
}

// Core percentage of an application canvas's own main thread over the measured time.
double loopCorePercent() {
    JavaPtr<HookCanvas> canvas = runningAppCanvas();
    canvas->startMainThread();
    JavaPtr<java::lang::Thread> loop = HookCanvas::mainThread();
    const double used = corePercent([] { std::this_thread::sleep_for(MEASURED); });
    canvas->stopMainThread();
    loop->join();
    return used;
}

void AppCanvasAgainstBareCanvasAt30Fps(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0)), height = width * 3 / 2;
    openScreen(width, height);
    double bare = 0, app = 0;
    for (auto _ : state) {
        JavaPtr<Canvas> peer(new BareCanvas());
        peer->WENDinvokeconstructor();
        makeCurrent(peer);
        bare = corePercent([&] {
            auto next = std::chrono::steady_clock::now();
            const auto end = next + MEASURED;
            while (next < end) {
                peer->repaint();
                peer->serviceRepaints();
                next += std::chrono::microseconds(33333);
                std::this_thread::sleep_until(next);
            }
        });
        testquiz::calls.renders = 0;
        app = loopCorePercent();
    }
    state.counters["bare_30fps_core_pct"] = bare;
    state.counters["app_canvas_core_pct"] = app;
    state.counters["ratio"] = app / bare;
    state.counters["app_frames_per_s"] = testquiz::calls.renders.load() / std::chrono::duration<double>(MEASURED).count();
}

// Hidden, and (as the loop was first described) yielding between passes instead of sleeping.
void HiddenAndYieldingAppCanvas(benchmark::State& state) {
    openScreen(640, 960);
    for (auto _ : state) {
        Displayable::isInterrupted = true;
        state.counters["hidden_core_pct"] = loopCorePercent();
        Displayable::isInterrupted = false;
        HookCanvas::setLoopSleeper([](int64_t) { java::lang::Thread::yield(); });
        state.counters["yielding_core_pct"] = loopCorePercent();
        HookCanvas::setLoopSleeper(nullptr);
    }
}

std::atomic<int64_t> passClock{0};
int64_t passTime() { return passClock.load(); }
void noWait(int64_t) {}

// Each pass is one update due: the clock moves on 33 ms and nothing sleeps.
void OnePass(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0)), height = width * 3 / 2;
    openScreen(width, height);
    JavaPtr<HookCanvas> canvas = runningAppCanvas();
    java::lang::clocks::setMonotonicSource(passTime);
    HookCanvas::setLoopSleeper(noWait);
    HookCanvas::last_fixed_update_time_ms = 0;
    HookCanvas::last_variable_update_time_ms = 0;
    for (auto _ : state) {
        passClock += HookCanvas::MS_PER_UPDATE;
        canvas->runOnce();
    }
    java::lang::clocks::setMonotonicSource(nullptr);
    HookCanvas::setLoopSleeper(nullptr);
    state.counters["updates_per_pass"] =
        benchmark::Counter(testquiz::calls.updates.exchange(0), benchmark::Counter::kAvgIterations);
    state.counters["paints_per_pass"] =
        benchmark::Counter(testquiz::calls.renders.exchange(0), benchmark::Counter::kAvgIterations);
}

BENCHMARK(AppCanvasAgainstBareCanvasAt30Fps)->Arg(320)->Arg(640)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(HiddenAndYieldingAppCanvas)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(OnePass)->Arg(320)->Arg(640)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
