// Speed of the OpenGL path on a 640 x 960 screen, each as a ratio to its peer in the same run: a
// mixed frame against the software path, a changed mutable image sent whole against its changed rows
// only, and a presented frame against the bare floor of clearing, one textured quad and reading back.
// Times are wall-clock: llvmpipe rasterises on threads of its own.
#include <benchmark/benchmark.h>

#include <EGL/egl.h>
#include <GLES/gl.h>

#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/FrontBuffer.h"
#include "runtime/lcdui/PlatformBridge.h"
#include "runtime/lcdui/tests/GLBareFloor.h"
#include "runtime/lcdui/tests/GLScreen.h"
#include "runtime/lcdui/tests/RatioReporter.h"

using namespace javax::microedition::lcdui;

namespace {

constexpr int32_t WIDTH = 640, HEIGHT = 960;

lcduitest::GLScreen& glScreen() {
    static auto* screen = new lcduitest::GLScreen(WIDTH, HEIGHT);
    return *screen;
}

// Pictures of 64 x 64 whose alpha is opaque, masked or blended by kind.
JavaPtr<Image> picture(int kind, uint32_t seed) {
    auto rgb = java::lang::jnew<JArray<int>>(64 * 64);
    std::mt19937 random(seed);
    for (int32_t i = 0; i < rgb->length; ++i) {
        uint32_t alpha = 0xFF;
        if (kind == 1 && i % 5 == 0) alpha = 0;
        if (kind == 2) alpha = random() & 0xFF;
        rgb->data[i] = static_cast<int32_t>((random() & 0xFFFFFFu) | alpha << 24);
    }
    return Image::createRGBImage(rgb, 64, 64, true);
}

// The same scene for both paths: 500 primitives of five kinds and 50 images.
struct Scene {
    std::vector<lcduitest::TwinImage> images;
    JavaPtr<JArray<int>> rgb = java::lang::jnew<JArray<int>>(32 * 32);

    Scene() {
        for (int i = 0; i < 6; ++i)
            images.push_back(lcduitest::twinImage([i] { return picture(i % 3, static_cast<uint32_t>(i)); }));
        for (int32_t i = 0; i < rgb->length; ++i) rgb->data[i] = static_cast<int32_t>(0x80000000u | (i * 0x010203u));
    }

    void draw(Graphics& g, bool onTexture) {
        std::mt19937 random(11);
        auto coordinate = [&](int32_t side) { return static_cast<int32_t>(random() % static_cast<uint32_t>(side)); };
        for (int i = 0; i < 500; ++i) {
            g.setColor(static_cast<int32_t>(random() & 0xFFFFFF));
            const int32_t x = coordinate(WIDTH), y = coordinate(HEIGHT);
            switch (i % 5) {
                case 0: g.fillRect(x, y, 8 + coordinate(120), 8 + coordinate(60)); break;
                case 1: g.drawLine(x, y, coordinate(WIDTH), coordinate(HEIGHT)); break;
                case 2: g.drawRect(x, y, 8 + coordinate(100), 8 + coordinate(100)); break;
                case 3: g.fillRoundRect(x, y, 40, 30, 10, 10); break;
                default: g.drawRGB(rgb, 0, 32, x, y, 32, 32, true); break;
            }
        }
        for (int i = 0; i < 50; ++i) {
            const lcduitest::TwinImage& twin = images[static_cast<size_t>(i) % images.size()];
            g.drawImage(onTexture ? twin.texture : twin.software, coordinate(WIDTH), coordinate(HEIGHT), 0);
        }
    }
};

Scene& scene() {
    static auto* instance = [] {
        glScreen();  // the back end is installed before the texture twins are made
        return new Scene;
    }();
    return *instance;
}

void BM_MixedFrameSoftware(benchmark::State& state) {
    Scene& s = scene();
    std::vector<uint32_t> pixels(size_t{WIDTH} * HEIGHT);
    JavaPtr<Graphics> g(new Graphics());
    g->setTarget(pixels.data(), WIDTH, HEIGHT, WIDTH);
    for (auto _ : state) {
        g->setClip(0, 0, WIDTH, HEIGHT);
        g->setColor(0);
        g->fillRect(0, 0, WIDTH, HEIGHT);
        s.draw(*g, false);
        platform::presentFrame(pixels.data(), WIDTH, HEIGHT);
    }
}

void BM_MixedFrameOpenGL(benchmark::State& state) {
    Scene& s = scene();
    lcduitest::GLScreen& screen = glScreen();
    const auto before = OpenGLBackEnd::instance().statistics();
    for (auto _ : state) {
        s.draw(*screen.screen, true);
        if (screen.present().empty()) state.SkipWithError("the frame was not presented");
    }
    const auto after = OpenGLBackEnd::instance().statistics();
    const double frames = static_cast<double>(state.iterations());
    state.counters["drawCalls/frame"] = static_cast<double>(after.drawCalls - before.drawCalls) / frames;
    state.counters["uploads/frame"] = static_cast<double>(after.textureUploads - before.textureUploads) / frames;
}

// A full-screen mutable image of which one 24-row band changes every frame.
void BM_MutableImageUpload(benchmark::State& state) {
    lcduitest::GLScreen& screen = glScreen();
    OpenGLBackEnd::instance().setUploadChangedRowsOnly(state.range(0) == 1);
    auto image = Image::createImage(WIDTH, HEIGHT);
    auto inner = image->getGraphics();
    int32_t frame = 0;
    for (auto _ : state) {
        inner->setColor(frame * 0x030507);
        inner->fillRect(0, (frame * 24) % HEIGHT, WIDTH, 24);
        screen.screen->drawImage(image, 0, 0, 0);
        if (screen.present().empty()) state.SkipWithError("the frame was not presented");
        ++frame;
    }
    OpenGLBackEnd::instance().setUploadChangedRowsOnly(true);
}

void BM_PresentedFrame(benchmark::State& state) {
    lcduitest::GLScreen& screen = glScreen();
    auto image = picture(0, 5);
    auto full = Image::createImage(WIDTH, HEIGHT);
    full->getGraphics()->drawImage(image, 10, 10, 0);
    for (auto _ : state) {
        screen.screen->drawImage(full, 0, 0, 0);
        if (screen.present().empty()) state.SkipWithError("the frame was not presented");
    }
}

void BM_BareFloor(benchmark::State& state) {
    glScreen();
    lcduitest::bareFloor(state, WIDTH, HEIGHT);
}

BENCHMARK(BM_MixedFrameSoftware)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixedFrameOpenGL)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MutableImageUpload)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"changedRowsOnly"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PresentedFrame)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFloor)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    lcduitest::RatioReporter reporter({
         {"BM_MixedFrameOpenGL/real_time", "BM_MixedFrameSoftware/real_time",
          "OpenGL path against software path"},
         {"BM_MutableImageUpload/changedRowsOnly:1/real_time", "BM_MutableImageUpload/changedRowsOnly:0/real_time",
          "changed rows only against whole uploads"},
         {"BM_PresentedFrame/real_time", "BM_BareFloor/real_time",
          "presented frame against the bare floor"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
