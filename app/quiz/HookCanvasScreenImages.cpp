// Every image the screens draw, and the two fonts, at the scale of the screen (the ids that
// setupImageResource chose): each set is loaded the first time, so that calling this again costs
// nothing.
#include "app/framework/HookCanvas.h"
#include "runtime/lang/JArray.h"

using java::lang::jnew;

int32_t HookCanvas::loadScreenImage(int32_t id) { return loadImageID(id, -1, 1, true); }

void HookCanvas::loadScreenImages() {
    // count images that follow first in the image-id block, into a new set.
    const auto set = [this](JavaPtr<JArray<int32_t>>& field, QuizImage first, int32_t count) {
        if (field) return;
        auto handles = jnew<JArray<int32_t>>(count);
        for (int32_t i = 0; i < count; ++i)
            handles->data[i] = loadScreenImage(image_ids->data[static_cast<int32_t>(first) + i]);
        field = handles;
    };
    const auto one = [this](int32_t& field, QuizImage image) {
        if (field < 0) field = loadScreenImage(imageId(image));
    };
    if (main_font == 0 && numbers_font == 0) {
        main_font = loadBitmapFont(imageId(QuizImage::MAIN_FONT), -1);
        numbers_font = loadBitmapFont(imageId(QuizImage::NUMBERS_FONT), -1);
    }
    if (!menu_segments) {
        // The menu's third segment has the chooser's beside it in the block.
        auto segments = jnew<JArray<int32_t>>(4);
        for (int32_t i = 0; const QuizImage image : {QuizImage::MENU_BG_0, QuizImage::MENU_BG_1, QuizImage::MENU_BG_2,
                                                     QuizImage::MENU_BG_3})
            segments->data[i++] = loadScreenImage(imageId(image));
        menu_segments = segments;
    }
    set(about_segments, QuizImage::ABOUT_BG_0, 6);
    set(stats_segments, QuizImage::STATS_BG_0, 6);
    set(confirm_segments, QuizImage::CONFIRM_BG_0, 5);
    set(game_segments, QuizImage::GAME_BG_0, 5);
    if (!chooser_segments) {
        chooser_segments = jnew<JArray<int32_t>>(4);
        for (int32_t i = 0; i < 4; ++i) chooser_segments->data[i] = menu_segments->data[i];
        chooser_segments->data[2] = loadScreenImage(imageId(QuizImage::CHOOSER_BG_2));
    }
    set(button_images, QuizImage::BUTTON_HINT, 5);
    set(small_stars, QuizImage::STATS_STAR_BRONZE, 3);
    set(big_stars, QuizImage::BIG_STAR_BRONZE, 3);
    if (!rank_badges) {
        // The last rank has no badge, and the panels never draw one for it.
        auto badges = jnew<JArray<int32_t>>(rank_image_ids->length);
        for (int32_t i = 0; i < badges->length; ++i)
            badges->data[i] = rank_image_ids->data[i] < 0 ? -1 : loadScreenImage(rank_image_ids->data[i]);
        rank_badges = badges;
    }
    if (!header_icons) {
        auto icons = jnew<JArray<int32_t>>(generic_image_ids->length);
        for (int32_t i = 0; i < icons->length; ++i) icons->data[i] = loadScreenImage(generic_image_ids->data[i]);
        header_icons = icons;
    }
    set(number_icons, QuizImage::ICON_NUMBER_0, 10);
    set(three_boxes, QuizImage::THREE_BOXES_0, 4);
    set(practice_menu_extra_borders, QuizImage::PRACTICE_MENU_HEADER, 2);
    one(practice_menu_back_normal, QuizImage::PRACTICE_MENU_BACK_OFF);
    one(practice_menu_back_click, QuizImage::PRACTICE_MENU_BACK_ON);
    one(number_flash_icon, QuizImage::ICON_NUMBER_FLASH);
    one(one_box_on, QuizImage::ONE_BOX_ON);
    one(one_box_off, QuizImage::ONE_BOX_OFF);
    one(wide_button_normal, QuizImage::WIDE_BUTTON_NORMAL);
    one(wide_button_click, QuizImage::WIDE_BUTTON_CLICK);
    one(answer_button_normal, QuizImage::ANSWER_BUTTON_NORMAL);
    one(answer_button_click, QuizImage::ANSWER_BUTTON_CLICK);
    one(answer_button_correct, QuizImage::ANSWER_BUTTON_CORRECT);
    one(answer_button_wrong, QuizImage::ANSWER_BUTTON_WRONG);
    one(answer_button_ghosted, QuizImage::ANSWER_BUTTON_GHOSTED);
    one(timer_dot, QuizImage::TIMER_DOT);
    one(web_strip, QuizImage::WEB_BASE_STRIP);
    one(web_back_click, QuizImage::WEB_BASE_BACK_ICON_CLICK);
    one(info_panel, QuizImage::GAME_INFOBOX);
    one(icon_about, QuizImage::ICON_ABOUT);
    one(icon_click_about, QuizImage::ICON_CLICK_ABOUT);
    one(stats_box_overlay, QuizImage::STATS_BOX_OVERLAY);
    one(promoted_bg, QuizImage::PROMOTED_BG);
    one(demoted_bg, QuizImage::DEMOTED_BG);
    one(ranking_button_normal, QuizImage::RANKING_BUTTON_NORMAL);
    one(ranking_button_click, QuizImage::RANKING_BUTTON_CLICK);
    one(ranking_button_menu_click, QuizImage::RANKING_BUTTON_MENU_CLICK);
    one(complete_bg, QuizImage::COMPLETE_BG);
    one(complete_bg_practice, QuizImage::COMPLETE_BG_PRACTICE);
    one(units_button_normal, QuizImage::UNITS_BUTTON_NORMAL);
    one(units_button_click, QuizImage::UNITS_BUTTON_CLICK);
    answer_button_width = getImageDimension(answer_button_click, 0, 0, IMAGEDIMENSION_WIDTH);
    answer_button_height = getImageDimension(answer_button_click, 0, 0, IMAGEDIMENSION_HEIGHT);
    scroller_buttonClickWidth = getImageDimension(wide_button_normal, 0, 0, IMAGEDIMENSION_WIDTH);
    scroller_buttonClickHeight = getImageDimension(wide_button_normal, 0, 0, IMAGEDIMENSION_HEIGHT);
    little_starwidth = getImageDimension(small_stars->data[0], 0, 0, IMAGEDIMENSION_WIDTH);
    if (!twinkle_ids) {
        auto colours = jnew<JArray<JArray<int32_t>>>(5);
        for (int32_t colour = 0; colour < 5; ++colour)
            set(colours->data[colour], static_cast<QuizImage>(static_cast<int32_t>(QuizImage::TWINKLE0_WHITE) + 4 * colour), 4);
        twinkle_ids = colours;
    }
}
