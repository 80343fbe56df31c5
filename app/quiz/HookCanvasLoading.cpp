// What each screen needs before it shows, prepared on the loading thread while the main thread
// only animates the loading indicator: the one-time start of the application at the first main
// menu, the menus' buttons, the information text and the practice lists.
#include "app/framework/HookCanvas.h"
#include "app/quiz/QuizEntry.h"
#include "runtime/io/IOException.h"
#include "runtime/text/String.h"

using java::lang::jnew;

namespace {

void startApplicationOnce(HookCanvas& c) {
    c.loadLanguage(0);
    // The level table first, so that reading the saved progress can check its rank against it.
    HookCanvas::levelThresholds = c.getResourceIntArray(HookCanvas::RESID_LEVEL_THRESHOLDS);
    c.loadSavedData();
    c.loadSounds();
    HookCanvas::shuffle_db_preloaded = c.loadFileFromJar(QuestionDatabase::testFileName(), -1);
    // Every screen's images, the twinkles and both fonts.
    c.loadScreenImages();
    for (int32_t state : {HookCanvas::GAMESTATE_ABOUT, HookCanvas::GAMESTATE_STATS, HookCanvas::GAMESTATE_CONFIRM,
                          HookCanvas::GAMESTATE_GAME_RUNNING})
        c.fadeSequenceFor(state);
    c.startGame();
}

// The items of the category list, or of the wanted category's subsections.
void buildPracticeList(HookCanvas& c, bool categories) {
    JavaPtr<JArray<java::lang::String>> items;
    if (categories) {
        items = HookCanvas::categoryStrings;
    } else if (HookCanvas::subsectionStrings && HookCanvas::want_category_to_be >= 0 &&
               HookCanvas::want_category_to_be < HookCanvas::subsectionStrings->length) {
        items = HookCanvas::subsectionStrings->data[HookCanvas::want_category_to_be];
    }
    const int32_t count = items ? items->length : 0;
    const int32_t width = c.getImageDimension(c.wide_button_normal, 0, 0, HookCanvas::IMAGEDIMENSION_WIDTH);
    const int32_t height = c.getImageDimension(c.wide_button_normal, 0, 0, HookCanvas::IMAGEDIMENSION_HEIGHT);
    auto list = jnew<JArray<JArray<java::lang::String>>>(count);
    for (int32_t i = 0; i < count; ++i) list->data[i] = c.splitString(items->data[i], c.main_font, width - 26);
    HookCanvas::scroller_category_list = list;
    HookCanvas::scroller_buttonClickHeight = height;
    HookCanvas::scroller_buttonClickWidth = width;
    HookCanvas::scroller_items_in_menu = count;
    HookCanvas::scroller_menu_drag_distance = (count - 4) * (height + 5);
    HookCanvas::scroller_static_menus = count < 5;
}

}  // namespace

void HookCanvas::startLoading() {
    const int32_t state = game_state.load() & ~GAMESTATEFLAG_LOADING;
    switch (state) {
    case GAMESTATE_MAIN_MENU:
        if (first_menu_load) {
            try {
                startApplicationOnce(*this);
            } catch (java::io::IOException& unreadable) {
                quizCannotStart(*this, unreadable);
                return;
            }
        }
        setupMenu(GAMESTATE_MAIN_MENU);
        break;
    case GAMESTATE_GAME_RUNNING:
        // The question screen's fade starts again from its first step now that it is ready.
        startFade(FADE_OUT, GAMESTATE_GAME_RUNNING);
        break;
    case GAMESTATE_CONFIRM: setupMenu(GAMESTATE_CONFIRM); break;
    case GAMESTATE_PROMOTED:
    case GAMESTATE_DEMOTED: button_flash = 50; break;
    case GAMESTATE_INFOLINK:
        info_lines = question_record ? splitString(question_record->data[4], main_font,
                                                   getParam(PARAM_INFOBOX_WIDTH) - 2 * getParam(PARAM_QUESTION_BOX_BORDER))
                                     : nullptr;
        overlay_requested = false;
        break;
    case GAMESTATE_CHOOSE_CATEGORY:
        if (boxesToShow)
            for (int32_t c = 0; c < PARAM_NUMBER_OF_CATEGORIES && c < boxesToShow->length; ++c)
                boxesToShow->data[c] = howManyBoxes(c);
        buildPracticeList(*this, true);
        break;
    case GAMESTATE_CHOOSE_SUBSECTION: buildPracticeList(*this, false); break;
    default: break;  // the other screens' images came with the one-time start
    }
}

void HookCanvas::loadSounds() { sound_channels.loadSounds(); }
void HookCanvas::unloadSounds() { sound_channels.unloadSounds(); }
