// The canvas's resource, image, string and font operations on one bundle, end to end: the map's tables
// in the class statics, the image cache in the fields, font slots in the statics, text measured
// through the canvas's own character widths.
#include <gtest/gtest.h>

#include "app/framework/HookCanvas.h"
#include "app/framework/tests/BundleFixture.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"
#include "runtime/text/String.h"
#include "tools/writers/EncodedStringFile.h"
#include "tools/writers/FrameworkFontFile.h"

namespace {

using java::lang::jnew;
using java::lang::String;
using javax::microedition::lcdui::Graphics;
using Log = std::vector<std::string>;

class HookCanvasResourcesTest : public BundleFixture {};

TEST_F(HookCanvasResourcesTest, CanvasOperationsShareTheirTablesWithTheStatics) {
    writers::ResourceBundle bundle(1);
    bundle.languages = {"en", "fr", "", "", ""};
    bundle.intTables = {{7, 8}};
    const int32_t block = bundle.addBlock(0);
    writers::FrameworkFont font;
    font.characters = u"ab";
    font.advances = {5, 6};
    font.glyphs = {{"##", "##"}, {"#", "#", "#"}};
    const int32_t fontId = font.addTo(bundle, block);
    install(bundle);
    writeFile(this->bundle / "fr", writers::languageFile({writers::encodedString(u"un"), writers::encodedString(u"ab ab")}));

    HookCanvas::HookCanvas_globalStaticCreate();
    JavaPtr<HookCanvas> canvas = jnew<HookCanvas>();
    canvas->WENDinvokeconstructor();
    canvas->initWendrel();
    EXPECT_EQ(HookCanvas::numLanguagesIncluded(), 5);
    EXPECT_EQ(std::u16string(HookCanvas::getLanguageIDString(1)->view()), u"fr");
    ASSERT_TRUE(canvas->resource_int_tables);
    EXPECT_EQ(canvas->resource_int_tables->data[0]->data[1], 8);

    canvas->loadResourceBlock(block);
    EXPECT_EQ(HookCanvas::times_resource_pack_reference->data[0], 1);
    const int32_t slot = canvas->loadBitmapFont(fontId, -1);
    ASSERT_EQ(slot, 0);
    EXPECT_TRUE(HookCanvas::bitmap_font_info->data[0]);
    const int32_t sheet = HookCanvas::bitmap_font_image_ids->data[0];
    EXPECT_TRUE(canvas->image_cache_images->data[sheet]) << "the cache's slots are the canvas's fields";

    lcduitest::EventLog log;
    JavaPtr<Graphics> g(new lcduitest::RecordingGraphics(log));
    HookCanvas::PARAM_WL_BASE_SCREEN_HEIGHT = 480;
    canvas->setFont(g, slot);
    EXPECT_EQ(HookCanvas::set_font, slot);
    canvas->drawString(g, jnew<String>("ab"), 10, 20, Graphics::TOP | Graphics::LEFT, -1);
    EXPECT_EQ(log.take(), (Log{"drawImage 2x2,10,20,20", "drawImage 1x3,15,20,20"}));

    canvas->loadLanguage(1);
    EXPECT_EQ(std::u16string(canvas->getString(0)->view()), u"un");
    ASSERT_TRUE(HookCanvas::enc_strings);
    EXPECT_EQ(HookCanvas::enc_strings->data[1].get(), canvas->getENCString(1).get()) << "the text code reads the static";
    EXPECT_TRUE(HookCanvas::rtclass) << "set by the first bundle file read";
    auto iend = jnew<JArray<signed char>>(4);
    for (int32_t i = 0; i < 4; ++i) iend->data[i] = "IEND"[i];
    EXPECT_EQ(static_cast<uint32_t>(canvas->pngCalcCrc(iend, 4, 4)), 0xAE426082u);
    ASSERT_TRUE(HookCanvas::crc_table) << "built for the sum, and kept";
    EXPECT_EQ(static_cast<uint32_t>(HookCanvas::crc_table->data[255]), 0x2D02EF8Du);
    const auto lines = canvas->splitENCString(canvas->getENCString(1), slot, 12);
    ASSERT_EQ(lines->length, 2) << "each ab is 11 wide in the font, the two 26";
    EXPECT_EQ(std::u16string(lines->data[1]->view()), u"ab");

    canvas->unloadFont(slot);
    EXPECT_EQ(canvas->currentImageTransforms(sheet), 0);
    HookCanvas::HookCanvas_globalStaticDestroy();
    EXPECT_EQ(HookCanvas::resourceHandler().getBlockOfResource(fontId), -1) << "the map is released at teardown";
    HookCanvas::PARAM_WL_BASE_SCREEN_HEIGHT = 0;
    HookCanvas::set_font = -1;
}

// The ids follow the screen's scale; the last rank has no badge, and its id once pointed one past
// the badges, at another image.
TEST_F(HookCanvasResourcesTest, TheImageIdsAreThoseOfTheScreensScaleAndTheLastRankHasNoBadge) {
    JavaPtr<HookCanvas> canvas = jnew<HookCanvas>();
    canvas->WENDinvokeconstructor();
    for (const bool retina : {false, true}) {
        canvas->retina = retina;
        canvas->setupImageResource();
        EXPECT_EQ(canvas->imageId(QuizImage::MAIN_FONT), retina ? 149 : 1);
        EXPECT_EQ(canvas->imageId(QuizImage::MENU_BG_3), retina ? 180 : 32);
        ASSERT_EQ(canvas->rank_image_ids->length, 30);
        EXPECT_EQ(canvas->rank_image_ids->data[28], retina ? HookCanvas::RESID_RANKING_29_HIGH : HookCanvas::RESID_RANKING_29_LOW);
        EXPECT_EQ(canvas->rank_image_ids->data[29], -1);
    }
}

}  // namespace
