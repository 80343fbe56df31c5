// Every image the screens draw, and the two fonts, at the scale of the screen: each set is loaded
// the first time, so that calling this again costs nothing.
#include "app/framework/HookCanvas.h"
#include "runtime/lang/JArray.h"

using java::lang::jnew;

// The resource id of an image at the screen's scale; both scales list each set in the same order.
#define SCALED(NAME) (retina ? RESID_##NAME##_HIGH : RESID_##NAME##_LOW)

namespace {
static_assert(HookCanvas::RESID_RANKING_29_HIGH - HookCanvas::RESID_RANKING_1_HIGH == 28 &&
              HookCanvas::RESID_RANKING_29_LOW - HookCanvas::RESID_RANKING_1_LOW == 28);
static_assert(HookCanvas::RESID_ICON_NUMBER_9_HIGH - HookCanvas::RESID_ICON_NUMBER_0_HIGH == 9 &&
              HookCanvas::RESID_TWINKLE3_BLUE_HIGH - HookCanvas::RESID_TWINKLE0_WHITE_HIGH == 19);
}  // namespace

int32_t HookCanvas::loadScreenImage(int32_t id) { return loadImageID(id, -1, 1, true); }

void HookCanvas::loadScreenImages() {
    // count consecutive resources from first into a new set.
    const auto set = [this](JavaPtr<JArray<int32_t>>& field, int32_t first, int32_t count) {
        if (field) return;
        auto handles = jnew<JArray<int32_t>>(count);
        for (int32_t i = 0; i < count; ++i) handles->data[i] = loadScreenImage(first + i);
        field = handles;
    };
    const auto one = [this](int32_t& field, int32_t id) {
        if (field < 0) field = loadScreenImage(id);
    };
    if (main_font == 0 && numbers_font == 0) {
        main_font = loadBitmapFont(SCALED(MAIN_FONT), -1);
        numbers_font = loadBitmapFont(SCALED(NUMBERS_FONT), -1);
    }
    set(menu_segments, SCALED(MENU_BG_0), 4);
    set(about_segments, SCALED(ABOUT_BG_0), 6);
    set(stats_segments, SCALED(STATS_BG_0), 6);
    set(confirm_segments, SCALED(CONFIRM_BG_0), 5);
    set(game_segments, SCALED(GAME_BG_0), 5);
    if (!chooser_segments) {
        chooser_segments = jnew<JArray<int32_t>>(4);
        for (int32_t i = 0; i < 4; ++i) chooser_segments->data[i] = menu_segments->data[i];
        chooser_segments->data[2] = loadScreenImage(SCALED(CHOOSER_BG_2));
    }
    set(button_images, SCALED(BUTTON_HINT), 5);
    set(small_stars, SCALED(STATS_STAR_BRONZE), 3);
    set(big_stars, SCALED(BIG_STAR_BRONZE), 3);
    if (!rank_badges) {
        // One entry past the badges, as the level count has it; the panels never draw it.
        auto badges = jnew<JArray<int32_t>>(PARAM_NUMBER_OF_RANKS);
        for (int32_t i = 0; i < PARAM_NUMBER_OF_RANKS - 1; ++i)
            badges->data[i] = loadScreenImage(SCALED(RANKING_1) + i);
        rank_badges = badges;
    }
    set(header_icons, SCALED(GENERIC_0), 2);
    set(number_icons, SCALED(ICON_NUMBER_0), 10);
    set(three_boxes, SCALED(THREE_BOXES_0), 4);
    set(practice_menu_extra_borders, SCALED(PRACTICE_MENU_HEADER), 2);
    one(practice_menu_back_normal, SCALED(PRACTICE_MENU_BACK_OFF));
    one(practice_menu_back_click, SCALED(PRACTICE_MENU_BACK_ON));
    one(number_flash_icon, SCALED(ICON_NUMBER_FLASH));
    one(one_box_on, SCALED(ONE_BOX_ON));
    one(one_box_off, SCALED(ONE_BOX_OFF));
    one(wide_button_normal, SCALED(WIDE_BUTTON_NORMAL));
    one(wide_button_click, SCALED(WIDE_BUTTON_CLICK));
    one(answer_button_normal, SCALED(ANSWER_BUTTON_NORMAL));
    one(answer_button_click, SCALED(ANSWER_BUTTON_CLICK));
    one(answer_button_correct, SCALED(ANSWER_BUTTON_CORRECT));
    one(answer_button_wrong, SCALED(ANSWER_BUTTON_WRONG));
    one(answer_button_ghosted, SCALED(ANSWER_BUTTON_GHOSTED));
    one(timer_dot, SCALED(TIMER_DOT));
    one(web_strip, SCALED(WEB_BASE_STRIP));
    one(web_back_click, SCALED(WEB_BASE_BACK_ICON_CLICK));
    one(info_panel, SCALED(GAME_INFOBOX));
    one(icon_about, SCALED(ICON_ABOUT));
    one(icon_click_about, SCALED(ICON_CLICK_ABOUT));
    one(stats_box_overlay, SCALED(STATS_BOX_OVERLAY));
    one(promoted_bg, SCALED(PROMOTED_BG));
    one(demoted_bg, SCALED(DEMOTED_BG));
    one(ranking_button_normal, SCALED(RANKING_BUTTON_NORMAL));
    one(ranking_button_click, SCALED(RANKING_BUTTON_CLICK));
    one(ranking_button_menu_click, SCALED(RANKING_BUTTON_MENU_CLICK));
    one(complete_bg, SCALED(COMPLETE_BG));
    one(complete_bg_practice, SCALED(COMPLETE_BG_PRACTICE));
    one(units_button_normal, SCALED(UNITS_BUTTON_NORMAL));
    one(units_button_click, SCALED(UNITS_BUTTON_CLICK));
    answer_button_width = getImageDimension(answer_button_click, 0, 0, IMAGEDIMENSION_WIDTH);
    answer_button_height = getImageDimension(answer_button_click, 0, 0, IMAGEDIMENSION_HEIGHT);
    scroller_buttonClickWidth = getImageDimension(wide_button_normal, 0, 0, IMAGEDIMENSION_WIDTH);
    scroller_buttonClickHeight = getImageDimension(wide_button_normal, 0, 0, IMAGEDIMENSION_HEIGHT);
    little_starwidth = getImageDimension(small_stars->data[0], 0, 0, IMAGEDIMENSION_WIDTH);
    if (!twinkle_ids) {
        auto colours = jnew<JArray<JArray<int32_t>>>(5);
        for (int32_t colour = 0; colour < 5; ++colour)
            set(colours->data[colour], SCALED(TWINKLE0_WHITE) + 4 * colour, 4);
        twinkle_ids = colours;
    }
}
