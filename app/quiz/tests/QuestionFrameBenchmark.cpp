// One frame of the question screen on a 640 x 960 screen, eight twinkles flying over it, on the
// OpenGL path against the same frame drawn into a pixel-buffer Graphics and not presented, and
// against the bare present floor, all in one run. Two frames of each path: at rest, where the
// offscreen image keeps the screen and only the twinkles move, and redrawn, where every segment,
// the question, answers and buttons go into the offscreen image again, as after any change. A
// frame that does not show the question fails the benchmark instead of being timed. Times are
// wall-clock: llvmpipe rasterises on threads of its own. Reads the bundle the build generated.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/framework/HookCanvas.h"
#include "app/quiz/tests/TextLines.h"
#include "runtime/io/FileSystem.h"
#include "runtime/lcdui/GraphicsBackEnd.h"
#include "runtime/lcdui/tests/GLBareFloor.h"
#include "runtime/lcdui/tests/GLScreen.h"
#include "runtime/lcdui/tests/RatioReporter.h"
#include "runtime/text/String.h"

namespace {

using java::lang::jnew;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::GraphicsBackEnd;

constexpr int32_t WIDTH = 640, HEIGHT = 960;

lcduitest::GLScreen& glScreen() {
    static auto* screen = new lcduitest::GLScreen(WIDTH, HEIGHT);
    return *screen;
}

// A retina canvas on the question screen, its images made on whichever back end is installed.
JavaPtr<HookCanvas> questionCanvas() {
    HookCanvas::HookCanvas_globalStaticDestroy();
    HookCanvas::HookCanvas_globalStaticCreate();
    auto canvas = jnew<HookCanvas>();
    canvas->WENDinvokeconstructor();
    canvas->retina = true;
    canvas->setupImageResource();
    HookCanvas::PARAM_WL_BASE_SCREEN_WIDTH = WIDTH;
    HookCanvas::PARAM_WL_BASE_SCREEN_HEIGHT = HEIGHT;
    canvas->initWendrel();
    canvas->loadResourceBlock(0);
    canvas->loadScreenImages();
    for (int32_t i = 0; i < 8; ++i) canvas->segment_wipe->data[i] = 256;
    canvas->settings->data[4] = true;
    canvas->question_lines = textLines({"Which word names a small", "open boat?"});
    canvas->answer_lines = jnew<JArray<JArray<java::lang::String>>>(3);
    canvas->answer_lines->data[0] = textLines({"dinghy"});
    canvas->answer_lines->data[1] = textLines({"galleon"});
    canvas->answer_lines->data[2] = textLines({"ferry"});
    canvas->ghosted_answers = jnew<JArray<bool>>(3);
    canvas->question_timer_ms = 6000;
    canvas->hints = 2;
    canvas->skips = 1;
    HookCanvas::game_state = HookCanvas::GAMESTATE_GAME_RUNNING;
    return canvas;
}

// A pixel-buffer Graphics as the screen, its clip the whole buffer whatever the display's size.
JavaPtr<Graphics> softwareScreen(std::vector<uint32_t>& pixels) {
    JavaPtr<Graphics> g(new Graphics());
    g->setTarget(pixels.data(), WIDTH, HEIGHT, WIDTH);
    g->setClip(0, 0, WIDTH, HEIGHT);
    return g;
}

// The question screen without twinkles drawn in software: the picture the OpenGL frame must show.
std::vector<uint32_t> softwareQuestionFrame() {
    GraphicsBackEnd* installed = GraphicsBackEnd::installed();
    GraphicsBackEnd::install(nullptr);
    std::vector<uint32_t> pixels(size_t{WIDTH} * HEIGHT);
    {
        auto canvas = questionCanvas();
        HookCanvas::reset_particles();
        canvas->render(softwareScreen(pixels));
    }
    HookCanvas::HookCanvas_globalStaticDestroy();
    GraphicsBackEnd::install(installed);
    return pixels;
}

// Keeps eight twinkles flying, as after an answer.
void twinkle() {
    HookCanvas::tick_particles();
    if (HookCanvas::count_particles() < 8)
        HookCanvas::particle_shower(WIDTH / 2, HEIGHT / 2, HookCanvas::TWINKLE_GREEN, 8);
}

// A frame of the screen at rest keeps the offscreen image; a redrawn one is told the screen changed.
void nextFrame(HookCanvas& canvas, bool redrawn) {
    twinkle();
    if (redrawn) canvas.layerChanged();
}

void BM_QuestionFrameSoftware(benchmark::State& state, bool redrawn) {
    GraphicsBackEnd* installed = GraphicsBackEnd::installed();
    GraphicsBackEnd::install(nullptr);
    auto canvas = questionCanvas();
    std::vector<uint32_t> pixels(size_t{WIDTH} * HEIGHT);
    const JavaPtr<Graphics> g = softwareScreen(pixels);
    for (auto _ : state) {
        nextFrame(*canvas, redrawn);
        canvas->render(g);
        benchmark::DoNotOptimize(pixels.data());
    }
    canvas = nullptr;
    HookCanvas::HookCanvas_globalStaticDestroy();
    GraphicsBackEnd::install(installed);
}

void BM_QuestionFrameOpenGL(benchmark::State& state, bool redrawn) {
    lcduitest::GLScreen& screen = glScreen();
    const std::vector<uint32_t> reference = softwareQuestionFrame();
    auto canvas = questionCanvas();
    HookCanvas::reset_particles();
    // The first frames upload the art into textures and keep the screen from the first; the last of
    // them must show the question.
    std::vector<uint32_t> frame;
    for (int i = 0; i < 3; ++i) {
        canvas->render(screen.screen);
        frame = screen.present();
    }
    // Both paths draw the screen into the offscreen image in software; OpenGL only copies it over.
    if (lcduitest::largestChannelDifference(frame, reference) > 0) {
        state.SkipWithError(("the OpenGL question frame differs from the software one: " +
                             lcduitest::firstDifference(frame, reference, WIDTH, 0))
                                .c_str());
        canvas = nullptr;
        HookCanvas::HookCanvas_globalStaticDestroy();
        return;
    }
    const auto before = screen.backEnd().statistics();
    for (auto _ : state) {
        nextFrame(*canvas, redrawn);
        canvas->render(screen.screen);
        if (!screen.show()) state.SkipWithError("the frame was not presented");
    }
    const auto after = screen.backEnd().statistics();
    const double frames = static_cast<double>(state.iterations());
    state.counters["drawCalls/frame"] = static_cast<double>(after.drawCalls - before.drawCalls) / frames;
    state.counters["rowsUploaded/frame"] = static_cast<double>(after.rowsUploaded - before.rowsUploaded) / frames;
    canvas = nullptr;
    HookCanvas::HookCanvas_globalStaticDestroy();
}

void BM_BareFloor(benchmark::State& state) {
    glScreen();
    lcduitest::bareFloor(state, WIDTH, HEIGHT);
}

BENCHMARK_CAPTURE(BM_QuestionFrameSoftware, at_rest, false)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuestionFrameSoftware, redrawn, true)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuestionFrameOpenGL, at_rest, false)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuestionFrameOpenGL, redrawn, true)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFloor)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path documents = std::filesystem::temp_directory_path() / "lexivo-question-frame";
    std::filesystem::create_directories(documents);
    java::io::FileSystem::setDirectories(BUNDLE_DIR, documents.string());
    benchmark::Initialize(&argc, argv);
    lcduitest::RatioReporter reporter(
        {{"BM_QuestionFrameOpenGL/redrawn/real_time", "BM_QuestionFrameSoftware/redrawn/real_time",
          "OpenGL path against software path, the screen redrawn"},
         {"BM_QuestionFrameOpenGL/at_rest/real_time", "BM_BareFloor/real_time",
          "question frame at rest against the bare floor"},
         {"BM_QuestionFrameOpenGL/redrawn/real_time", "BM_BareFloor/real_time",
          "question frame redrawn against the bare floor"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::filesystem::remove_all(documents);
    return 0;
}
