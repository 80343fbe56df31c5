// Time of the framework's resource paths, each printed as a ratio to a peer doing the same work in
// the same run: a full-colour encoded image against libpng decoding a plain PNG of the same pixels,
// that image decoded again when drawn after its pixels were dropped against its first load, a cached
// getImage against a map lookup, wrapping 10 kB of text against measuring it once, and bitmap-font
// text against opaque 16 x 16 blits.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/framework/BundleBytes.h"
#include "app/framework/EncodedImage.h"
#include "app/framework/EncodedStrings.h"
#include "app/framework/FrameworkFonts.h"
#include "app/framework/ImageCache.h"
#include "app/framework/ResourceHandler.h"
#include "runtime/io/FileSystem.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/tests/RatioReporter.h"
#include "runtime/text/String.h"
#include "tools/writers/EncodedImageFile.h"
#include "tools/writers/EncodedStringFile.h"
#include "tools/writers/FrameworkFontFile.h"
#include "tools/writers/PngFile.h"
#include "tools/writers/ResourceBundle.h"

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;

namespace {

constexpr int32_t WIDTH = 640, HEIGHT = 960;

// A picture like the application's art: flat panels, a gradient band and a few details.
std::vector<uint32_t> artPixels() {
    std::vector<uint32_t> px(size_t{WIDTH} * HEIGHT);
    for (int32_t y = 0; y < HEIGHT; ++y)
        for (int32_t x = 0; x < WIDTH; ++x) {
            uint32_t c = 0xFF203040u + uint32_t((x / 160 + y / 120) % 4) * 0x00102030u;
            if (y > 400 && y < 560) c = 0xFF000000u | uint32_t(y - 400) << 16 | uint32_t(x / 4) << 8 | 0x80;
            if ((x - 320) * (x - 320) + (y - 200) * (y - 200) < 90 * 90) c = 0xC0FFD700u;
            px[static_cast<size_t>(y) * WIDTH + x] = c;
        }
    return px;
}

// One bundle for every benchmark: the encoded picture, a plain PNG of it, and a 16 x 16 font.
struct Bundle {
    Bundle() {
        const auto dir = std::filesystem::temp_directory_path() / ("lexivo-framework-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        writers::ResourceBundle bundle(0);
        writers::EncodedImage picture;
        picture.width = WIDTH, picture.height = HEIGHT, picture.fullColour = true, picture.pixels = artPixels();
        pictureId = bundle.addResource(-1, picture.bytes());
        png = writers::pngFile(WIDTH, HEIGHT, picture.pixels);
        writers::FrameworkFont font;
        font.cellWidth = font.cellHeight = 16;
        for (char16_t c = u'a'; c <= u'z'; ++c) {
            font.characters += c;
            font.advances.push_back(16);
            std::vector<std::string> rows(16, std::string(16, '.'));
            for (int r = 2; r < 14; ++r)
                for (int k = 2 + (c % 3); k < 12; ++k) rows[r][k] = (r + k + c) % 3 ? '#' : '.';
            font.glyphs.push_back(rows);
        }
        fontId = font.addTo(bundle, -1);
        for (const auto& [name, bytes] : bundle.files())
            std::ofstream(dir / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        java::io::FileSystem::setDirectories(dir.string(), (dir / "documents").string());
        resources.initWendrel();
        directory = dir;
    }
    ~Bundle() { std::filesystem::remove_all(directory); }

    std::filesystem::path directory;
    ResourceHandler resources;
    int32_t pictureId = 0, fontId = 0;
    std::vector<uint8_t> png;
};

Bundle& bundle() {
    static Bundle shared;
    return shared;
}

void BM_EncodedImageLoad(benchmark::State& state) {
    ImageCache cache(bundle().resources);
    for (auto _ : state) {
        const int32_t slot = cache.loadImageID(bundle().pictureId, -1, 1, false);
        benchmark::DoNotOptimize(slot);
        cache.unloadImageID(slot);
    }
}

// What the switched-off road without the in-memory PNG would cost: the same decode into an RGB image.
void BM_EncodedImageWithoutPng(benchmark::State& state) {
    for (auto _ : state) {
        const auto bytes = bundle().resources.getResourceByteArray(bundle().pictureId);
        const auto layout = EncodedImage::classify(BundleBytes::of(bytes));
        const auto colours = EncodedImage::decodeImage(bytes, layout.pixelOffset, layout.width, layout.height);
        std::vector<int32_t> argb(static_cast<size_t>(layout.width) * layout.height);
        const auto* from = reinterpret_cast<const uint8_t*>(colours->data);
        for (size_t p = 0; p < argb.size(); ++p, from += 4)
            argb[p] = static_cast<int32_t>(uint32_t(from[0]) << 24 | from[1] << 16 | from[2] << 8 | from[3]);
        benchmark::DoNotOptimize(Image::createRGBImage(argb.data(), layout.width, layout.height, true));
    }
}

void BM_PlainPngLibpng(benchmark::State& state) {
    const std::vector<uint8_t>& png = bundle().png;
    for (auto _ : state) benchmark::DoNotOptimize(Image::decode(png));
}

// A screen change: a slot whose pixels were dropped decodes again when drawn (peer: the first load).
void BM_DroppedImageDrawnAgain(benchmark::State& state) {
    ImageCache cache(bundle().resources, 0);
    const int32_t slot = cache.loadImageID(bundle().pictureId, -1, 1, false);
    for (auto _ : state) {
        cache.nextFrame();
        cache.nextFrame();
        benchmark::DoNotOptimize(cache.view(slot));
    }
}

void BM_CachedGetImage(benchmark::State& state) {
    ImageCache cache(bundle().resources);
    // Other slots in use ahead of it, as in a running screen.
    for (int i = 0; i < 40; ++i) cache.loadImageID(bundle().fontId + 2, bundle().fontId + 3, i, 1, true);
    cache.loadImageID(bundle().pictureId, -1, 1, false);
    for (auto _ : state) benchmark::DoNotOptimize(cache.getImage(bundle().pictureId));
}

void BM_MapLookup(benchmark::State& state) {
    std::map<int32_t, JavaPtr<Image>> images;
    for (int i = 0; i < 41; ++i) images[i * 7] = Image::createImage(1, 1);
    for (auto _ : state) benchmark::DoNotOptimize(images.find(280)->second);
}

std::u16string tenKilobytesOfText() {
    std::u16string text;
    const char16_t* words[] = {u"the", u"quick", u"vocabulary", u"quiz", u"asks", u"about", u"words\u00a0and", u"meanings"};
    for (int i = 0; text.size() < 10240; ++i) {
        text += words[i % 8];
        text += i % 37 == 36 ? u'\n' : u' ';
    }
    return text;
}

int32_t charWidth(int32_t, char16_t c) { return c == u' ' ? 4 : 6 + c % 5; }

void BM_WrapTenKilobytes(benchmark::State& state) {
    JavaPtr<JArray<JArray<signed char>>> table;
    EncodedStrings strings(bundle().resources, table);
    strings.charWidth = charWidth;
    const auto text = EncodedStrings::getENCStringFromString(
        java::lang::jnew<java::lang::String>(tenKilobytesOfText().data(), 10240));
    for (auto _ : state) benchmark::DoNotOptimize(strings.splitENCString(text, 0, 280));
}

void BM_MeasureTenKilobytes(benchmark::State& state) {
    const std::u16string text = tenKilobytesOfText();
    for (auto _ : state) {
        int64_t width = 0;
        for (const char16_t c : text) width += charWidth(0, c);
        benchmark::DoNotOptimize(width);
    }
}

struct Screen {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(size_t{WIDTH} * HEIGHT, 0xFF336699u);
    JavaPtr<Graphics> graphics = JavaPtr<Graphics>(new Graphics());
    Screen() {
        graphics->setTarget(pixels.data(), WIDTH, HEIGHT, WIDTH);
        graphics->setClip(0, 0, WIDTH, HEIGHT);
    }
};

void BM_BitmapFontChars(benchmark::State& state) {
    Screen screen;
    ImageCache cache(bundle().resources);
    FrameworkFonts fonts(bundle().resources, cache);
    fonts.screenHeight = [] { return HEIGHT; };
    fonts.setFont(screen.graphics, fonts.loadBitmapFont(bundle().fontId, -1));
    std::u16string line;
    for (int i = 0; i < 40; ++i) line += static_cast<char16_t>(u'a' + i % 26);
    const auto text = java::lang::jnew<java::lang::String>(line.data(), 40);
    for (auto _ : state)
        for (int row = 0; row < 50; ++row)
            fonts.drawString(screen.graphics, text, 0, row * 18, Graphics::TOP | Graphics::LEFT, -1);
    state.SetItemsProcessed(state.iterations() * 2000);
}

void BM_OpaqueBlits(benchmark::State& state) {
    Screen screen;
    const auto tile = Image::createImage(16, 16);
    for (auto _ : state)
        for (int row = 0; row < 50; ++row)
            for (int i = 0; i < 40; ++i) screen.graphics->drawImage(tile, i * 16, row * 18, Graphics::TOP | Graphics::LEFT);
    state.SetItemsProcessed(state.iterations() * 2000);
}

BENCHMARK(BM_EncodedImageLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DroppedImageDrawnAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodedImageWithoutPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPngLibpng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CachedGetImage);
BENCHMARK(BM_MapLookup);
BENCHMARK(BM_WrapTenKilobytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MeasureTenKilobytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BitmapFontChars)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpaqueBlits)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    lcduitest::RatioReporter reporter({
        {"BM_EncodedImageLoad", "BM_PlainPngLibpng", "goal: at most 1"},
        {"BM_EncodedImageWithoutPng", "BM_PlainPngLibpng", "the decode without the in-memory PNG"},
        {"BM_DroppedImageDrawnAgain", "BM_EncodedImageLoad", "a dropped image drawn again against its first load"},
        {"BM_CachedGetImage", "BM_MapLookup", "a cached image against a map lookup"},
        {"BM_WrapTenKilobytes", "BM_MeasureTenKilobytes", "wrapping against measuring once"},
        {"BM_BitmapFontChars", "BM_OpaqueBlits", "2,000 characters against 2,000 blits"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
