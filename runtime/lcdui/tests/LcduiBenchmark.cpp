// Speed of the software path on a 640 x 960 target, each as a ratio to memcpy or memset of the same
// bytes in the same run, and PNG decoding against libpng's simplified reader of the same file.
#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/tests/FontFileBuilder.h"
#include "runtime/lcdui/tests/TestPictures.h"
#include "runtime/text/String.h"

using namespace javax::microedition::lcdui;

namespace {

constexpr int32_t WIDTH = 640, HEIGHT = 960;
constexpr size_t SCREEN_BYTES = size_t{WIDTH} * HEIGHT * 4;

struct Screen {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(size_t{WIDTH} * HEIGHT, 0xFF336699u);
    JavaPtr<Graphics> graphics = JavaPtr<Graphics>(new Graphics());
    Screen() {
        graphics->setTarget(pixels.data(), WIDTH, HEIGHT, WIDTH);
        graphics->setClip(0, 0, WIDTH, HEIGHT);
    }
};

// Full-screen picture; alpha chosen per pixel by the mode.
JavaPtr<Image> screenImage(int mode) {
    auto rgb = java::lang::jnew<JArray<int>>(WIDTH * HEIGHT);
    std::mt19937 random(3);
    for (int32_t i = 0; i < rgb->length; ++i) {
        uint32_t alpha = 0xFF;
        if (mode == 1) alpha = (random() & 1) ? 0xFF : 0;
        if (mode == 2) alpha = random() & 0xFF;
        rgb->data[i] = static_cast<int32_t>(alpha << 24 | (random() & 0xFFFFFF));
    }
    return Image::createRGBImage(rgb, WIDTH, HEIGHT, mode != 0);
}

std::vector<uint8_t> screenPNG() {
    lcduitest::PNGDescription d;
    d.width = WIDTH;
    d.height = HEIGHT;
    d.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    std::mt19937 random(9);
    for (uint32_t y = 0; y < d.height; ++y)
        for (uint32_t x = 0; x < d.width; ++x) {
            d.samples.push_back(static_cast<uint16_t>((x + y) & 0xFF));
            d.samples.push_back(static_cast<uint16_t>((x * 3) & 0xFF));
            d.samples.push_back(static_cast<uint16_t>(random() & 0x1F));
            d.samples.push_back(255);
        }
    return lcduitest::encodePNG(d);
}

void BM_Memcpy(benchmark::State& state) {
    std::vector<uint32_t> from(size_t{WIDTH} * HEIGHT, 1), to(size_t{WIDTH} * HEIGHT, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), SCREEN_BYTES);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * SCREEN_BYTES));
}

void BM_Memset(benchmark::State& state) {
    std::vector<uint32_t> to(size_t{WIDTH} * HEIGHT, 2);
    for (auto _ : state) {
        std::memset(to.data(), static_cast<int>(state.iterations() & 0xFF), SCREEN_BYTES);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * SCREEN_BYTES));
}

void BM_FillRect(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) {
        screen.graphics->fillRect(0, 0, WIDTH, HEIGHT);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * SCREEN_BYTES));
}

void BM_Blit(benchmark::State& state) {
    Screen screen;
    const auto image = screenImage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        screen.graphics->drawImage(image, 0, 0, Graphics::TOP | Graphics::LEFT);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * SCREEN_BYTES));
}

void BM_BitmapFontText(benchmark::State& state) {
    if (!lcduitest::installFont(lcduitest::sampleFont(true).bytes())) {
        state.SkipWithError("font did not load");
        return;
    }
    Screen screen;
    screen.graphics->setColor(0xFFFFFF);
    const auto line = java::lang::jnew<java::lang::String>("AbcxyzBzAbcxyzBzAbcxyzBzAbcxyzBzAbcxyzBzAbcxyzBzAbcxyz");
    const auto font = Font::getDefaultFont();
    const int64_t lineBytes = int64_t{font->stringWidth(line)} * font->getHeight() * 4;
    const int32_t lines = HEIGHT / font->getHeight();
    for (auto _ : state) {
        for (int32_t row = 0; row < lines; ++row) screen.graphics->drawString(line, 0, row * font->getHeight(), 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * lines * lineBytes);
}

void BM_PNGDecodeImage(benchmark::State& state) {
    const auto png = screenPNG();
    auto bytes = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(png.size()));
    std::memcpy(bytes->data, png.data(), png.size());
    for (auto _ : state) benchmark::DoNotOptimize(Image::createImage(bytes, 0, bytes->length));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * SCREEN_BYTES));
}

void BM_PNGDecodeLibpngSimplified(benchmark::State& state) {
    const auto png = screenPNG();
    std::vector<uint32_t> out(size_t{WIDTH} * HEIGHT);
    for (auto _ : state) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, png.data(), png.size());
        image.format = PNG_FORMAT_RGBA;
        png_image_finish_read(&image, nullptr, out.data(), 0, nullptr);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * SCREEN_BYTES));
}

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_Memset);
BENCHMARK(BM_FillRect);
BENCHMARK(BM_Blit)->Arg(0)->Arg(1)->Arg(2)->ArgNames({"mode(0 opaque,1 masked,2 blended)"});
BENCHMARK(BM_BitmapFontText);
BENCHMARK(BM_PNGDecodeImage);
BENCHMARK(BM_PNGDecodeLibpngSimplified);

// Prints each result as a ratio to its peer measured in the same run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            auto found = run.counters.find("bytes_per_second");
            if (found != run.counters.end()) speeds[run.benchmark_name()] = found->second;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double copy = speeds["BM_Memcpy"], set = speeds["BM_Memset"];
        auto show = [&](const std::string& name, const std::string& peerName, double peer) {
            if (speeds.count(name) && peer > 0)
                std::cout << name << " / " << peerName << " = " << speeds[name] / peer << '\n';
        };
        std::cout << "\nSpeed ratios (higher is faster):\n";
        show("BM_FillRect", "memset", set);
        show("BM_Blit/mode(0 opaque,1 masked,2 blended):0", "memcpy", copy);
        show("BM_Blit/mode(0 opaque,1 masked,2 blended):1", "memcpy", copy);
        show("BM_Blit/mode(0 opaque,1 masked,2 blended):2", "memcpy", copy);
        show("BM_BitmapFontText", "memcpy", copy);
        show("BM_PNGDecodeImage", "libpng simplified", speeds["BM_PNGDecodeLibpngSimplified"]);
    }

private:
    std::map<std::string, double> speeds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
