// The bundle built in process, written to a fresh directory and read back through the runtime's own
// readers: resource map and pack, images, framework fonts, sounds, language file, runtime font and
// the files the quiz opens by name.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>

#include "app/framework/BundleBytes.h"
#include "app/framework/EncodedStrings.h"
#include "app/framework/FrameworkFonts.h"
#include "app/framework/ImageCache.h"
#include "app/framework/ResourceHandler.h"
#include "app/framework/tests/BundleFixture.h"
#include "runtime/io/File.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/text/String.h"
#include "tools/bundle/BundleBuilder.h"
#include "tools/bundle/BundleSources.h"
#include "tools/fonts/FontMeasurer.h"
#include "tools/fonts/MainFont.h"
#include "tools/writers/FrameworkFontFile.h"
#include "tools/writers/ResourceBundle.h"

using java::lang::jnew;
using java::lang::String;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;

namespace {

// Runs the builder as the build does (optimised, outside the sanitisers) into a fresh directory and
// reads back every file it wrote.
bundle::BundleFiles runBuilder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lexivo-bundle-run-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return {};
    const std::string command = std::string(LEXIVO_BUNDLE_PATH) + " --manifest " + APP_RESOURCE_MANIFEST +
                                " --assets " + BUNDLE_ASSETS_DIR + " --questions " + BUNDLE_QUESTIONS_DIR +
                                " --out " + pattern + " > /dev/null";
    bundle::BundleFiles files;
    if (std::system(command.c_str()) == 0)
        for (const auto& item : std::filesystem::directory_iterator(pattern))
            files[item.path().filename().string()] = bundle::readFile(item.path());
    std::filesystem::remove_all(pattern);
    return files;
}

const bundle::BundleFiles& builtOnce() {
    static const bundle::BundleFiles files = runBuilder();
    return files;
}

std::map<std::string, int32_t> idsByName() {
    std::map<std::string, int32_t> ids;
    for (const auto& entry : bundle::readManifest(APP_RESOURCE_MANIFEST)) ids[entry.name] = entry.id;
    return ids;
}

class BuiltBundle : public BundleFixture, public AppParameters, public CanvasConstants {
protected:
    void SetUp() override {
        BundleFixture::SetUp();
        for (const auto& [name, bytes] : builtOnce()) writeFile(bundle / name, {bytes.begin(), bytes.end()});
        resources.initWendrel();
        resources.loadResourceBlock(0);
        fonts.screenHeight = [] { return 960; };
    }

    struct Size {
        int32_t width = -1, height = -1;
    };
    Size sizeOf(int32_t id) {
        const int32_t slot = images.loadImageID(id, -1, -1, true);
        if (slot < 0) return {};
        const Size size{images.getImageDimension(slot, 0, 0, IMAGEDIMENSION_WIDTH),
                        images.getImageDimension(slot, 0, 0, IMAGEDIMENSION_HEIGHT)};
        images.unloadImageID(slot);
        return size;
    }
    // The bounds of an image's painted pixels, right and bottom exclusive.
    struct Box {
        int32_t left, top, right, bottom;
    };
    Box inkOf(int32_t id) {
        const auto image = images.getImage(id);
        const auto pixels = pixelsOf(image);
        const int32_t w = image->getWidth(), h = image->getHeight();
        Box ink{w, h, 0, 0};
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                if (pixels[y * w + x] >> 24)
                    ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
        return ink;
    }

    ImageCache images{resources};
    FrameworkFonts fonts{resources, images};
    const std::map<std::string, int32_t> ids = idsByName();
};

TEST(BundleBuild, TheSameInputsGiveTheSameBytes) {
    const bundle::BundleFiles again = runBuilder();
    ASSERT_EQ(builtOnce().size(), 2u + 21u + 2u + 4u + 16u)
        << "the map and its pack, the sounds, language and runtime font, the splash twice, the loading frames";
    ASSERT_EQ(again.size(), builtOnce().size());
    for (const auto& [name, bytes] : builtOnce()) EXPECT_TRUE(again.at(name) == bytes) << name << " differs";
}

TEST_F(BuiltBundle, EveryResourceIdResolves) {
    ASSERT_EQ(ids.size(), 313u);
    for (int32_t id = 0; id <= 312; ++id) {
        const auto bytes = resources.getResourceByteArray(id);
        EXPECT_TRUE(bytes && bytes->length > 0) << "resource " << id;
    }
    const auto thresholds = resources.getResourceIntArray(RESID_LEVEL_THRESHOLDS);
    ASSERT_TRUE(thresholds);
    EXPECT_EQ(thresholds->length, PARAM_NUMBER_OF_RANKS);
    for (int32_t fade : {RESID_MENU_BG_TRANS, RESID_ABOUT_BG_TRANS, RESID_STATS_BG_TRANS, RESID_CONFIRM_BG_TRANS,
                         RESID_GAME_BG_TRANS}) {
        const auto steps = resources.getResourceByteArray(fade);
        ASSERT_TRUE(steps && steps->length > 0);
        EXPECT_NE(steps->data[steps->length - 1], 0) << "a fade ends with segments showing";
    }
}

TEST_F(BuiltBundle, EveryImageDecodesAndItsRetinaFormIsTwiceAsLarge) {
    std::set<std::vector<uint8_t>> badges, twinkles;
    for (const auto& [name, low] : ids) {
        if (name.size() < 4 || name.compare(name.size() - 4, 4, "_LOW") != 0 || name.find("FONT") != std::string::npos)
            continue;
        const int32_t high = ids.at(name.substr(0, name.size() - 4) + "_HIGH");
        const Size small = sizeOf(low), large = sizeOf(high);
        ASSERT_GT(small.width, 0) << name;
        EXPECT_EQ(large.width, 2 * small.width) << name;
        EXPECT_EQ(large.height, 2 * small.height) << name;
        const auto bytes = bytesOf(resources.getResourceByteArray(low));
        if (name.rfind("RESID_RANKING_", 0) == 0 && isdigit(static_cast<unsigned char>(name[14]))) {
            badges.insert(bytes);
            // A badge is drawn whole on the panels: nothing of it, its crown included, is cut by its edges.
            for (const auto& [id, size, margin] : {std::tuple{low, small, 2}, std::tuple{high, large, 4}}) {
                const Box ink = inkOf(id);
                EXPECT_TRUE(ink.left >= margin && ink.top >= margin && ink.right <= size.width - margin &&
                            ink.bottom <= size.height - margin) << name << " at " << margin / 2 << "x";
            }
        }
        if (name.rfind("RESID_TWINKLE", 0) == 0) twinkles.insert(bytes);
    }
    EXPECT_EQ(badges.size(), 29u) << "every rank has its own badge";
    EXPECT_EQ(twinkles.size(), 20u) << "four frames in five colours";
}

// Background segments at the places the screens draw them: inside the screen, their painted pixels
// never overlapping and covering the screen whole, so that nothing of the screen before shows through.
TEST_F(BuiltBundle, BackgroundSegmentsTileTheirScreens) {
    struct Placed {
        int32_t id, x, y;
    };
    struct Screen {
        const char* name;
        std::vector<Placed> segments;
    };
    const std::vector<Screen> screens = {
        {"menu", {{RESID_MENU_BG_0_LOW, 0, 0}, {RESID_MENU_BG_1_LOW, 0, 17}, {RESID_MENU_BG_2_LOW, 0, 80},
                  {RESID_MENU_BG_3_LOW, 0, 395}}},
        {"about", {{RESID_ABOUT_BG_0_LOW, 0, 0}, {RESID_ABOUT_BG_1_LOW, 0, 17}, {RESID_ABOUT_BG_2_LOW, 0, 80},
                   {RESID_ABOUT_BG_3_LOW, 240, 0}, {RESID_ABOUT_BG_4_LOW, 240, 80}, {RESID_ABOUT_BG_5_LOW, 240, 395}}},
        {"statistics", {{RESID_STATS_BG_0_LOW, 0, 0}, {RESID_STATS_BG_1_LOW, 0, 17}, {RESID_STATS_BG_2_LOW, 0, 80},
                        {RESID_STATS_BG_3_LOW, 240, 0}, {RESID_STATS_BG_4_LOW, 240, 80}, {RESID_STATS_BG_5_LOW, 240, 395}}},
        {"confirmation", {{RESID_CONFIRM_BG_0_LOW, 0, 0}, {RESID_CONFIRM_BG_1_LOW, 0, 79}, {RESID_CONFIRM_BG_2_LOW, 41, 79},
                          {RESID_CONFIRM_BG_3_LOW, 279, 79}, {RESID_CONFIRM_BG_4_LOW, 0, 396}}},
        {"question", {{RESID_GAME_BG_0_LOW, 0, 0}, {RESID_GAME_BG_1_LOW, 81, 0}, {RESID_GAME_BG_2_LOW, 0, 109},
                      {RESID_GAME_BG_3_LOW, 80, 108}, {RESID_GAME_BG_4_LOW, 0, 395}}},
        {"practice", {{RESID_MENU_BG_0_LOW, 0, 0}, {RESID_PRACTICE_MENU_HEADER_LOW, 0, 17},
                      {RESID_CHOOSER_BG_2_LOW, 0, 80}, {RESID_PRACTICE_MENU_FOOTER_LOW, 0, 395}}},
    };
    for (const Screen& screen : screens) {
        std::vector<int> cover(320 * 480, 0);
        for (const Placed& s : screen.segments) {
            const auto image = images.getImage(s.id);
            ASSERT_TRUE(image) << screen.name << " segment " << s.id;
            const int32_t w = image->getWidth(), h = image->getHeight();
            ASSERT_LE(s.x + w, 320) << screen.name << " segment " << s.id;
            ASSERT_LE(s.y + h, 480) << screen.name << " segment " << s.id;
            const auto pixels = pixelsOf(image);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) cover[(s.y + y) * 320 + s.x + x] += pixels[y * w + x] >> 24 != 0;
        }
        const auto [least, most] = std::minmax_element(cover.begin(), cover.end());
        EXPECT_EQ(*most, 1) << screen.name << ": segments overlap at " << (most - cover.begin()) % 320 << ","
                            << (most - cover.begin()) / 320;
        EXPECT_EQ(*least, 1) << screen.name << ": a gap at " << (least - cover.begin()) % 320 << ","
                             << (least - cover.begin()) / 320;
    }
}

TEST_F(BuiltBundle, ButtonsAndPanelsFitTheAreasTheQuizGivesThem) {
    const int32_t fontHeight = fonts::FontMeasurer(fonts::MainFont::facePath, fonts::MainFont::pixelSize).lineHeight();
    const Size answer = sizeOf(RESID_ANSWER_BUTTON_CLICK_LOW);
    EXPECT_GE(answer.height, 3 * fontHeight) << "an answer button holds three lines";
    EXPECT_LE(PARAM_ANSWER_BUTTONS_TOP + 3 * answer.height + 2 * PARAM_ANSWER_BUTTONS_SPACING, PARAM_BG_4_Y)
        << "the three answers stand above the button bar";
    EXPECT_LE(PARAM_ANSWER_BUTTONS_LEFT + answer.width, 320);
    EXPECT_GE(answer.width, PARAM_ANSWER_SPLIT_TEXT_LIMIT) << "answers are wrapped to fit the button";
    const Size wide = sizeOf(RESID_WIDE_BUTTON_NORMAL_LOW);
    EXPECT_GE(wide.height, 3 * fontHeight);
    EXPECT_LE(PARAM_PRACTICE_MENU_TOP_SPACE + wide.width, 320);

    struct Expected {
        int32_t id, width, height;
    };
    const Expected exact[] = {
        // Pressed images are drawn over the areas the touches are tested in.
        {RESID_BUTTON_HINT_LOW, PARAM_MENU_BUTTON_WIDTH, PARAM_MENU_BUTTON_HEIGHT},
        {RESID_BUTTON_SKIP_LOW, PARAM_MENU_BUTTON_WIDTH, PARAM_MENU_BUTTON_HEIGHT},
        {RESID_BUTTON_INFO_LOW, PARAM_MENU_BUTTON_WIDTH, PARAM_MENU_BUTTON_HEIGHT},
        {RESID_BUTTON_MENU_LOW, PARAM_MENU_BUTTON_WIDTH, PARAM_MENU_BUTTON_HEIGHT},
        {RESID_BUTTON_MENU_ALT_LOW, PARAM_MENU_BUTTON_WIDTH, PARAM_MENU_BUTTON_HEIGHT},
        {RESID_ICON_ABOUT_LOW, 80, 85},
        {RESID_ICON_CLICK_ABOUT_LOW, 80, 85},
        {RESID_ANSWER_BUTTON_NORMAL_LOW, answer.width, answer.height},
        {RESID_ANSWER_BUTTON_CORRECT_LOW, answer.width, answer.height},
        {RESID_ANSWER_BUTTON_WRONG_LOW, answer.width, answer.height},
        {RESID_ANSWER_BUTTON_GHOSTED_LOW, answer.width, answer.height},
        {RESID_WIDE_BUTTON_CLICK_LOW, wide.width, wide.height},
        {RESID_GAME_INFOBOX_LOW, PARAM_INFOBOX_WIDTH, PARAM_INFOBOX_HEIGHT},
        // Whole-screen panels and the ones drawn from the top-left corner.
        {RESID_PROMOTED_BG_LOW, 320, 480},
        {RESID_DEMOTED_BG_LOW, 320, 480},
        {RESID_COMPLETE_BG_LOW, 320, 480},
        {RESID_COMPLETE_BG_PRACTICE_LOW, 320, 480},
        {RESID_GENERIC_0_LOW, 81, 108},
        {RESID_GENERIC_0_LEVEL_LOW, 81, 108},
    };
    for (const Expected& e : exact) {
        const Size size = sizeOf(e.id);
        EXPECT_EQ(size.width, e.width) << "resource " << e.id;
        EXPECT_EQ(size.height, e.height) << "resource " << e.id;
    }
    // The demotion panel centres the badge low on the screen: it must not run off the bottom.
    const Size badge = sizeOf(RESID_RANKING_1_LOW);
    EXPECT_LE(PARAM_LPANEL_DEMOTE + badge.height / 2, 480);
    EXPECT_GE(PARAM_LPANEL_XCENTRE - badge.width / 2, 0);
    // Buttons in the bottom-right corner stay on the screen.
    for (int32_t id : {RESID_RANKING_BUTTON_NORMAL_LOW, RESID_RANKING_BUTTON_CLICK_LOW,
                       RESID_RANKING_BUTTON_MENU_CLICK_LOW, RESID_PRACTICE_MENU_BACK_ON_LOW}) {
        const Size size = sizeOf(id);
        EXPECT_LE(PARAM_MENU_BUTTON_PROMOTE_LEFT + size.width, 320) << id;
        EXPECT_LE(PARAM_MENU_BUTTON_PROMOTE_TOP + size.height, 480) << id;
    }
}

// What the screens draw over a plate at fixed places stands on the plate's light face, clear of its
// border: the version line on the About panel and the subsection list's mark on its button.
TEST_F(BuiltBundle, MarksAndTextDrawnOverPlatesStandClearOfTheirBorders) {
    struct Area {
        const char* what;
        int32_t plate, x, y, width, height;  // in the plate's pixels
    };
    const int32_t font = fonts.loadBitmapFont(RESID_MAIN_FONT_LOW, RESID_MAIN_FONT_LOW + 3);
    ASSERT_GE(font, 0);
    const int32_t versionWidth = fonts.getStringWidth(font, jnew<String>("v1.1")), lineHeight = fonts.getFontHeight(font);
    fonts.unloadFont(font);
    // The mark's painted pixels, where the list draws them over its button.
    const Box mark = inkOf(RESID_ONE_BOX_ON_LOW);
    const Area areas[] = {
        {"the version line", RESID_ABOUT_BG_2_LOW, PARAM_ABOUT_TEXT_X, 480 - PARAM_BG_1_H - PARAM_ABOUT_TEXT_Y - lineHeight,
         versionWidth, lineHeight},
        {"the subsection mark", RESID_WIDE_BUTTON_NORMAL_LOW, PARAM_ONE_BOX_LEFT - PARAM_PRACTICE_MENU_TOP_SPACE + mark.left,
         PARAM_ONE_BOX_TOP_ADJUST + mark.top, mark.right - mark.left, mark.bottom - mark.top},
    };
    for (const Area& area : areas) {
        const auto image = images.getImage(area.plate);
        const auto pixels = pixelsOf(image);
        const int32_t w = image->getWidth();
        // A unit around the area too: the border's anti-aliased edge is darker than the face.
        int32_t off = 0;
        for (int32_t y = area.y - 1; y <= area.y + area.height; ++y)
            for (int32_t x = area.x - 1; x <= area.x + area.width; ++x) {
                const bool inside = x >= 0 && y >= 0 && x < w && y < image->getHeight();
                const uint32_t p = inside ? pixels[y * w + x] : 0;
                const uint32_t darkest = std::min({(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF});
                off += p >> 24 != 0xFF || darkest <= 0xA0;
            }
        EXPECT_EQ(off, 0) << area.what << " has pixels off the plate's face around it";
    }
}

// The question generator fitted every text with these advances and this line height: the fonts the
// quiz draws with must measure exactly so, and hold every character the questions use.
TEST_F(BuiltBundle, TheMainFontMeasuresAsTheQuestionsWereFittedAndCoversThem) {
    const std::string sample = "Which word means \u201Cquick\u201D? \u00E9l\u00E8ve \u2013 na\u00EFve (2)";
    const std::u16string units = u"Which word means \u201Cquick\u201D? \u00E9l\u00E8ve \u2013 na\u00EFve (2)";
    for (int scale : fonts::MainFont::scales) {
        const int32_t font = scale == 1 ? RESID_MAIN_FONT_LOW : RESID_MAIN_FONT_HIGH;
        const int32_t slot = fonts.loadBitmapFont(font, font + 3);
        ASSERT_GE(slot, 0);
        fonts::FontMeasurer measurer(fonts::MainFont::facePath, fonts::MainFont::pixelSize * scale);
        EXPECT_EQ(fonts.getFontHeight(slot), measurer.lineHeight());
        EXPECT_EQ(fonts.getStringWidth(slot, jnew<String>(units.data(), static_cast<int32_t>(units.size()))), measurer.width(sample)) << scale;
        for (char32_t c : bundle::questionCharacters(BUNDLE_QUESTIONS_DIR))
            if (c > U' ' && c <= 0xFFFF)  // spaces and line breaks are never drawn as glyphs
                ASSERT_GE(fonts.getBitmapFontCharacterIndex(slot, static_cast<char16_t>(c)), 0)
                    << "U+" << std::hex << static_cast<uint32_t>(c);
        fonts.unloadFont(slot);
    }
}

TEST_F(BuiltBundle, BothFontsDrawInkInsideTheirLine) {
    struct Case {
        int32_t font;
        const char* text;
    };
    const Case cases[] = {{RESID_MAIN_FONT_LOW, "Lexivo Quiz"}, {RESID_MAIN_FONT_HIGH, "Lexivo Quiz"},
                          {RESID_NUMBERS_FONT_LOW, "0123456789/"}, {RESID_NUMBERS_FONT_HIGH, "0123456789/"}};
    for (const Case& c : cases) {
        const int32_t slot = fonts.loadBitmapFont(c.font, c.font + 3);
        ASSERT_GE(slot, 0);
        const auto text = jnew<String>(c.text);
        const int32_t width = fonts.getStringWidth(slot, text), height = fonts.getFontHeight(slot);
        for (char ch : std::string(c.text))
            if (ch != ' ') EXPECT_GE(fonts.getBitmapFontCharacterIndex(slot, ch), 0) << ch;
        auto image = Image::createImage(width + 20, height + 20);
        auto g = image->getGraphics();
        g->setColor(0xFFFFFF);
        g->fillRect(0, 0, width + 20, height + 20);
        fonts.setFont(g, slot);
        fonts.drawString(g, text, 10, 10, Graphics::TOP | Graphics::LEFT, -1);
        const auto pixels = pixelsOf(image);
        int inside = 0, outside = 0;
        for (int y = 0; y < height + 20; ++y)
            for (int x = 0; x < width + 20; ++x) {
                if ((pixels[y * (width + 20) + x] & 0xFFFFFF) == 0xFFFFFF) continue;
                // Anti-aliased edges may overhang the advance by a pixel or two, never the line.
                (x >= 8 && x < 12 + width && y >= 10 && y < 10 + height ? inside : outside) += 1;
            }
        EXPECT_GT(inside, width) << c.text;
        EXPECT_EQ(outside, 0) << c.text;
        fonts.unloadFont(slot);
    }
}

// Anti-aliased glyphs: each level of a glyph pixel reaches the screen as the ink at that level's
// share of full strength, through the glyph sheet's palette.
class GlyphSheet : public BundleFixture {};

TEST_F(GlyphSheet, AntiAliasedLevelsDrawAsFadedInk) {
    writers::ResourceBundle built(1);
    const int32_t block = built.addBlock(0);
    writers::FrameworkFont font;
    font.characters = u"A";
    font.advances = {6};
    font.cellWidth = 6, font.cellHeight = 2, font.glyphsPerRow = 1;
    font.ink = 0xFF000000u;
    font.inkLevels = 16;
    font.glyphs = {{"#a51..", "#a51.."}};
    const int32_t id = font.addTo(built, block);
    install(built);
    resources.loadResourceBlock(block);
    ImageCache images{resources};
    FrameworkFonts fonts{resources, images};
    fonts.screenHeight = [] { return 480; };
    const int32_t slot = fonts.loadBitmapFont(id, id + 3);
    ASSERT_GE(slot, 0);
    auto image = Image::createImage(6, 2);
    auto g = image->getGraphics();
    g->setColor(0xFFFFFF);
    g->fillRect(0, 0, 6, 2);
    fonts.setFont(g, slot);
    fonts.drawString(g, jnew<String>("A"), 0, 0, Graphics::TOP | Graphics::LEFT, -1);
    const auto pixels = pixelsOf(image);
    // Levels 15, 10, 5, 1 and 0 of 15 over white.
    const int expected[] = {0, 85, 170, 238, 255};
    for (int x = 0; x < 5; ++x) EXPECT_NEAR(static_cast<int>(pixels[x] & 0xFF), expected[x], 3) << "pixel " << x;
}

struct MemoryRead {
    const std::vector<uint8_t>* bytes;
    sf_count_t at = 0;
};

std::vector<float> parseSound(const std::vector<uint8_t>& bytes, SF_INFO& info) {
    MemoryRead file{&bytes};
    SF_VIRTUAL_IO io{
        [](void* u) { return static_cast<sf_count_t>(static_cast<MemoryRead*>(u)->bytes->size()); },
        [](sf_count_t offset, int whence, void* u) {
            auto* f = static_cast<MemoryRead*>(u);
            f->at = (whence == SEEK_SET ? 0 : whence == SEEK_CUR ? f->at : static_cast<sf_count_t>(f->bytes->size())) + offset;
            return f->at;
        },
        [](void* out, sf_count_t n, void* u) {
            auto* f = static_cast<MemoryRead*>(u);
            n = std::max<sf_count_t>(0, std::min<sf_count_t>(n, static_cast<sf_count_t>(f->bytes->size()) - f->at));
            std::memcpy(out, f->bytes->data() + f->at, static_cast<size_t>(n));
            f->at += n;
            return n;
        },
        [](const void*, sf_count_t, void*) { return sf_count_t{0}; },
        [](void* u) { return static_cast<MemoryRead*>(u)->at; }};
    info = {};
    SNDFILE* sound = sf_open_virtual(&io, SFM_READ, &info, &file);
    if (!sound) return {};
    std::vector<float> samples(static_cast<size_t>(info.frames * info.channels));
    sf_read_float(sound, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(sound);
    return samples;
}

// Loudness is the RMS over the whole sound in dB below full scale: the sounds play at one loudness
// give or take 6 dB, and a success never sounds quieter than the failure it answers.
TEST_F(BuiltBundle, EverySoundParsesShortCleanAndEvenlyLoudWithoutClippingOrClicks) {
    std::map<std::string, double> loudness;
    for (const auto& entry : bundle::readManifest(APP_RESOURCE_MANIFEST)) {
        if (entry.kind != "sound") continue;
        SF_INFO info;
        const auto samples = parseSound(bytesOf(resources.getResourceByteArray(entry.id)), info);
        ASSERT_FALSE(samples.empty()) << entry.name;
        const double seconds = static_cast<double>(info.frames) / info.samplerate;
        EXPECT_GT(seconds, 0.02) << entry.name;
        EXPECT_LT(seconds, 2.0) << entry.name;
        float peak = 0;
        double energy = 0;
        for (float s : samples) {
            peak = std::max(peak, std::fabs(s));
            energy += static_cast<double>(s) * s;
        }
        loudness[entry.name] = 10 * std::log10(energy / static_cast<double>(samples.size()));
        EXPECT_GT(peak, 0.3f) << entry.name << " is audible";
        EXPECT_LT(peak, 0.99f) << entry.name << " does not clip";
        EXPECT_LT(std::fabs(samples.front()), 0.01f) << entry.name << " starts without a click";
        EXPECT_LT(std::fabs(samples.back()), 0.01f) << entry.name << " ends without a click";
    }
    ASSERT_EQ(loudness.size(), 21u);
    const auto [quietest, loudest] = std::minmax_element(
        loudness.begin(), loudness.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_LE(loudest->second - quietest->second, 6.0)
        << loudest->first << " at " << loudest->second << " dB, " << quietest->first << " at " << quietest->second;
    const std::pair<const char*, const char*> successAndFailure[] = {
        {"RESID_GAME_OVER_WIN", "RESID_GAME_OVER_LOSE"},
        {"RESID_PROMOTED", "RESID_DEMOTED"},
        {"RESID_CORRECT", "RESID_INCORRECT"},
        {"RESID_CORRECT_PLUS_HINT_OR_SKIP", "RESID_INCORRECT"}};
    for (const auto& [success, failure] : successAndFailure)
        EXPECT_GE(loudness.at(success), loudness.at(failure)) << success << " against " << failure;
}

TEST_F(BuiltBundle, TheLanguageFileHoldsItsStringsWithHyphenationGuides) {
    JavaPtr<JArray<JArray<signed char>>> table;
    EncodedStrings strings(resources, table);
    strings.loadLanguage(0);
    for (int32_t id = 0; id < 36; ++id) EXPECT_TRUE(strings.getENCString(id)) << "string " << id;
    EXPECT_FALSE(strings.getENCString(36));
    EXPECT_EQ(strings.getString(TEXTID_QUIT)->view(), u"Quit");
    EXPECT_EQ(strings.getString(TEXTID_HISCORE)->view(), u"High Score");
    const auto options = EncodedStrings::decode(BundleBytes::of(strings.getENCString(TEXTID_OPTIONS)));
    EXPECT_EQ(options.characters, u"Options");
    ASSERT_EQ(options.guides.size(), 1u);
    EXPECT_EQ(EncodedStrings::Decoded::position(options.guides[0]), 2);
}

TEST_F(BuiltBundle, TheSplashLoadingFramesAndRuntimeFontOpenByTheirNames) {
    std::vector<std::pair<std::string, int32_t>> pictures = {{"/Default.png", 320}, {"/Default@2x.png", 640}};
    for (int n = 1; n <= 8; ++n) {
        pictures.emplace_back("/mq_loading_anim_0" + std::to_string(n) + "_LOW.png", 46);
        pictures.emplace_back("/mq_loading_anim_0" + std::to_string(n) + "_HIGH.png", 92);
    }
    for (const auto& [name, width] : pictures) {
        java::io::File file(jnew<String>(name.c_str()));
        ASSERT_GT(file.length(), 0) << name;
        const auto bytes = readFile(file.nativePath());
        const auto image = Image::createImage(byteArray({bytes.begin(), bytes.end()}), 0, static_cast<int32_t>(bytes.size()));
        ASSERT_TRUE(image) << name;
        EXPECT_EQ(image->getWidth(), width) << name;
    }
    EXPECT_TRUE(readFile(bundle / "Default.png") == readFile(bundle / "Default_png")) << "the host's launch image";

    const auto font = javax::microedition::lcdui::BitmapFontSystem::parse(builtOnce().at("wlbmpfnt"));
    ASSERT_TRUE(font);
    EXPECT_GT(font->m_fontHeight, 16);
    const std::u16string text = u"Lexivo demo \u00E9";
    for (char16_t c : text) EXPECT_GE(font->glyphFor(c), 0) << static_cast<int>(c);
    EXPECT_GT(font->measure(text.data(), static_cast<int32_t>(text.size())), 10 * static_cast<int64_t>(text.size()) / 2);
}

}  // namespace
