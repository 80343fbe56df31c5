// The quiz's 33 ms step: the work every screen shares (held time, twinkles, the loading
// indicator, fades, the touch feedback), then the current screen's own: the start-up, the main
// menu, the confirmation, the panels and the information panel. Screens act on release, at the
// last pointer position.
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "app/framework/HookCanvas.h"
#include "app/quiz/LevelChange.h"
#include "app/quiz/QuizEntry.h"
#include "app/quiz/TopicsFile.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lcdui/Image.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using javax::microedition::lcdui::Image;

namespace {

constexpr int32_t UPDATE_MS = 33;
constexpr int32_t LONG_PRESS_MS = 200;
constexpr int32_t TEST_CATEGORY = HookCanvas::PARAM_NUMBER_OF_CATEGORIES;

bool touching() { return HookCanvas::pointer_pressed.load() || HookCanvas::pointer_repeated.load(); }

// The press and release of a screen with buttons: the click sound at the press, and on release
// the action of the button under the finger (-1 for none).
template <class OverButton, class Act>
void pressAndRelease(HookCanvas& c, OverButton overButton, Act act, bool indicator = true) {
    const bool touch = touching();
    const int32_t over = overButton();
    if (touch && indicator && over >= 0) c.top_corner = 3;
    if (touch && !c.finger_down) {
        c.finger_down = true;
        c.playSound(over >= 0 ? HookCanvas::RESID_CLICK_ON_BUTTON : HookCanvas::RESID_CLICK_ON_BACKGROUND, 0, 1);
    } else if (!touch && c.finger_down) {
        c.finger_down = false;
        if (over >= 0) act(over);
    }
}

// The twinkles are drawn over every frame, the loading frames too, so they are loaded here on the
// main thread rather than by a loader while frames are drawn.
void loadTwinkles(HookCanvas& c) {
    if (HookCanvas::twinkle_ids) return;
    const auto first = static_cast<int32_t>(QuizImage::TWINKLE0_WHITE);
    auto colours = jnew<JArray<JArray<int32_t>>>(5);
    for (int32_t colour = 0; colour < 5; ++colour) {
        colours->data[colour] = jnew<JArray<int32_t>>(4);
        for (int32_t frame = 0; frame < 4; ++frame)
            colours->data[colour]->data[frame] = c.loadScreenImage(c.image_ids->data[first + 4 * colour + frame]);
    }
    HookCanvas::twinkle_ids = colours;
}

void startUp(HookCanvas& c) {
    c.record_store_prefix = jnew<java::lang::String>("ZARLQ");
    c.iPhoneTransitionSetup();
    c.prepForSteering();
    c.initWendrel();
    c.state_time_ms = 0;
    c.iPhoneGetDeviceDetails();
    const int32_t width = HookCanvas::PARAM_WL_BASE_SCREEN_WIDTH.load();
    const int32_t height = HookCanvas::PARAM_WL_BASE_SCREEN_HEIGHT.load();
    c.retina = HookCanvas::DEVICE_FAMILY.load() != HookCanvas::DEVICE_IPAD && (width == 640 || height == 640);
    c.image_suffix = jnew<java::lang::String>(c.retina ? "_HIGH" : "_LOW");
    c.setupImageResource();
    if (width > 0 && height > 0) {
        c.offscreen_image = Image::createImage(width, height);
        c.offscreen_graphics = c.offscreen_image->getGraphics();
    }
    // The splash and the loading animation are decoration: a bundle without them still starts.
    try {
        c.splash_image = Image::createImage(jnew<java::lang::String>(c.retina ? "/Default@2x.png" : "/Default.png"));
        auto frames = jnew<JArray<Image>>(8);
        for (int32_t n = 1; n <= 8; ++n)
            frames->data[n - 1] = Image::createImage(jnew<java::lang::String>("/mq_loading_anim_0") + n + c.image_suffix + ".png");
        c.loading_frames = frames;
    } catch (const java::lang::Exception&) {
    }
    c.loadResourceBlock(0);
    loadTwinkles(c);
    for (int32_t i = 0; i < HookCanvas::category_questions_asked->length; ++i)
        HookCanvas::category_questions_asked->data[i] = 63;
    TopicsFile topics;
    topics.read(c.loadFileFromJar(jnew<java::lang::String>("topics.dat"), -1));
    HookCanvas::categoryStrings = topics.categoryStrings;
    HookCanvas::subsectionStrings = topics.subsectionStrings;
    HookCanvas::practicedDBs = topics.practicedDBs;
    HookCanvas::boxesToShow = topics.boxesToShow;
    c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_MAIN_MENU);
}

void updateMainMenu(HookCanvas& c) {
    const auto over = [&c]() -> int32_t {
        if (c.pointerOverAboutArea()) return 4;
        for (int32_t i = 0; c.menu_button_images && i < c.menu_button_images->length; ++i)
            if (c.pointerOverImage(c.menu_button_images->data[i], c.menu_button_x->data[i], c.menu_button_y->data[i]))
                return i;
        return -1;
    };
    pressAndRelease(c, over, [&c](int32_t button) {
        switch (button) {
        case 4: c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_ABOUT); break;
        case HookCanvas::BUTTON_CONTINUE:
            if (!c.testToContinue()) break;
            HookCanvas::want_category_to_be = TEST_CATEGORY;
            HookCanvas::current_mode_practice = false;
            HookCanvas::want_practice_mode = false;
            // A level change reached before a restart shows its panel first, as it would have then.
            if (c.level_change_owed != 0) {
                c.playSound(LevelChange::panelSound(c.level_change_owed), 0, 1);
                c.startFade(HookCanvas::FADE_IN, c.level_change_owed);
                break;
            }
            if (c.saved_question_record) {
                c.question_record = c.saved_question_record;
                c.question_lines = c.saved_question_lines;
                c.correct_answer = c.saved_correct_answer;
                c.answer_lines = c.saved_answer_lines;
                c.ghosted_answers = c.saved_ghosted_answers;
            }
            HookCanvas::film_id = c.saved_film_id;
            c.getQuestion(false);
            c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_GAME_RUNNING);
            break;
        case HookCanvas::BUTTON_NEW_GAME:
            HookCanvas::want_category_to_be = TEST_CATEGORY;
            HookCanvas::want_practice_mode = false;
            if (!c.testToContinue()) {
                c.resetGame(false);
                c.getQuestion(true);
                c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_GAME_RUNNING);
            } else {
                c.playSound(HookCanvas::RESID_CONFIRM_SCREEN, 0, 1);
                c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_CONFIRM);
            }
            break;
        case HookCanvas::BUTTON_PRACTICE_GAME:
            c.resetPracticeList();
            c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_CHOOSE_CATEGORY);
            break;
        case HookCanvas::BUTTON_STATS: c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_STATS); break;
        default: break;
        }
    });
}

void updateConfirm(HookCanvas& c) {
    const auto over = [&c]() -> int32_t {
        for (int32_t i = 0; c.menu_button_x && i < c.menu_button_x->length; ++i)
            if (c.pointerOverImage(c.answer_button_click, c.menu_button_x->data[i], c.menu_button_y->data[i])) return i;
        return -1;
    };
    pressAndRelease(c, over, [&c](int32_t button) {
        if (button == 0) {
            c.resetGame(false);
            c.getQuestion(true);
            c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_GAME_RUNNING);
        } else {
            c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_MAIN_MENU);
        }
    });
}

void updatePanel(HookCanvas& c, int32_t state) {
    if (c.button_flash > 0) --c.button_flash;
    constexpr int32_t MENU = 0;
    constexpr int32_t UNITS = 1;
    constexpr int32_t CONTINUE = 2;
    const bool rankChange = state == HookCanvas::GAMESTATE_PROMOTED || state == HookCanvas::GAMESTATE_DEMOTED;
    const bool practiceEnd = state == HookCanvas::GAMESTATE_COMPLETE && HookCanvas::current_mode_practice;
    const auto over = [&]() -> int32_t {
        if (rankChange)
            return c.pointerOverImage(c.ranking_button_normal, c.getParam(HookCanvas::PARAM_MENU_BUTTON_PROMOTE_LEFT),
                                      c.getParam(HookCanvas::PARAM_MENU_BUTTON_PROMOTE_TOP))
                       ? CONTINUE
                       : -1;
        if (c.pointerOverMenuButton()) return MENU;
        if (practiceEnd && c.pointerOverImage(c.units_button_normal, c.getParam(HookCanvas::PARAM_MENU_BUTTON_UNITS_LEFT),
                                              c.getParam(HookCanvas::PARAM_MENU_BUTTON_PROMOTE_TOP)))
            return UNITS;
        return -1;
    };
    pressAndRelease(c, over, [&](int32_t button) {
        if (button == CONTINUE) {
            c.level_change_owed = 0;
            c.getQuestion(true);
            c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_GAME_RUNNING);
        } else if (button == UNITS) {
            HookCanvas::want_category_to_be = HookCanvas::current_category;
            HookCanvas::want_practice_mode = true;
            c.resetPracticeList();
            c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_CHOOSE_SUBSECTION);
        } else {
            if (state == HookCanvas::GAMESTATE_COMPLETE && !HookCanvas::current_mode_practice) c.closeCompletedTest();
            c.startFade(HookCanvas::FADE_IN, HookCanvas::GAMESTATE_MAIN_MENU);
        }
    });
}

void updateInfoPanel(HookCanvas& c) {
    const auto within = [&c](int32_t left, int32_t right) {
        return c.pointerOverArea(c.getPos(left), c.getPos(400), c.getPos(right) - c.getPos(left), c.getPos(460) - c.getPos(400));
    };
    const bool touch = touching();
    if (touch && !c.finger_down) {
        c.finger_down = true;
        c.playSound(within(253, 275) ? HookCanvas::RESID_CLICK_ON_BUTTON : HookCanvas::RESID_CLICK_ON_BACKGROUND, 0, 1);
    } else if (!touch && c.finger_down) {
        c.finger_down = false;
        if (within(250, 310)) c.changeGameStateTo(HookCanvas::GAMESTATE_GAME_RUNNING);
    }
}

// The screen last announced as shown, and how many were, so that a script can wait for the n-th
// screen to be ready.
std::atomic<int32_t> announcedState{-1};
std::atomic<int32_t> screensShown{0};

void announce(int32_t state) {
    static constexpr const char* NAMES[] = {"start-up", "main menu", "question", "about", "statistics",
                                            "confirmation", "promotion", "demotion", "-", "complete", "settings",
                                            "information", "categories", "subsections"};
    if (announcedState.exchange(state) == state || state < 0 || state > HookCanvas::GAMESTATE_CHOOSE_SUBSECTION) return;
    std::printf("quiz: screen %d: %s\n", ++screensShown, NAMES[state]);
    std::fflush(stdout);
}

// Updates in a row after which the screen's frame is still the one last drawn: no fade, no wipe,
// no finger, no twinkle, and nothing that the screen animates by itself changed. Drawing the same
// frame again at the full rate would only cost processor time.
std::atomic<int32_t> stillUpdates{0};
constexpr int32_t STILL_BEFORE_SKIPPING = 30;
constexpr int32_t STILL_PRESENT_EVERY = 4;

// What a screen's frame shows that changes without a finger: the question's slide and timer, the
// answer the time ran out on, a panel's button flash, a practice list coasting or choosing.
struct SelfMoving {
    int32_t values[8] = {};
    bool operator==(const SelfMoving&) const = default;
};

SelfMoving selfMoving(const HookCanvas& c, int32_t state) {
    switch (state) {
    case HookCanvas::GAMESTATE_GAME_RUNNING:
    case HookCanvas::GAMESTATE_INFOLINK: {
        const bool timer = c.settings && c.settings->data[4];
        const int32_t dots = timer ? std::max(0, 12 - c.question_timer_ms * 13 / 10000) : -1;
        return {{c.question_slide_in, c.question_slide_in ? c.question_delay : 0, dots, c.question_timer_ms == 0,
                 c.chosen_answer}};
    }
    case HookCanvas::GAMESTATE_PROMOTED:
    case HookCanvas::GAMESTATE_DEMOTED: return {{c.button_flash}};
    case HookCanvas::GAMESTATE_CHOOSE_CATEGORY:
    case HookCanvas::GAMESTATE_CHOOSE_SUBSECTION:
        return {{HookCanvas::scrolly_menu_yoffset, HookCanvas::weight_decay, c.list_selected_item,
                 c.list_selection_drawn, c.list_highlight_item, c.list_back_hover, c.list_back_pressed}};
    default: return {};
    }
}
SelfMoving lastSelfMoving;

void longPressSounds(HookCanvas& c) {
    const int64_t now = java::lang::clocks::wallMillis();
    if (c.next_stars1_sound_ms == 0) {
        c.next_stars1_sound_ms = now + 2000 + HookCanvas::random(500);
        c.next_stars2_sound_ms = now + 1000 + HookCanvas::random(500);
        c.playSound(HookCanvas::RESID_STARS1, 2, 1);
    } else if (now > c.next_stars1_sound_ms) {
        c.next_stars1_sound_ms = now + 2000 + HookCanvas::random(500);
        c.playSound(HookCanvas::RESID_STARS1, 2, 1);
    }
    if (now > c.next_stars2_sound_ms) {
        c.next_stars2_sound_ms = now + 2000 + HookCanvas::random(500);
        c.playSound(HookCanvas::RESID_STARS2, 2, 1);
    }
}

// The current screen's own work for one update.
void updateScreen(HookCanvas& c, int32_t state) {
    switch (state) {
    case HookCanvas::GAMESTATE_INIT_WENDREL:
        try {
            startUp(c);
        } catch (java::io::IOException& unreadable) {
            quizCannotStart(c, unreadable);
        }
        break;
    case HookCanvas::GAMESTATE_MAIN_MENU:
        // Cleared here rather than by the loader, as the loading frames read it while it runs. The
        // splash and its animation are drawn only then; what the loading freed goes back to the system.
        if (c.first_menu_load) {
            c.first_menu_load = false;
            c.splash_image = nullptr;
            c.loading_frames = nullptr;
            malloc_trim(0);
        }
        updateMainMenu(c);
        break;
    case HookCanvas::GAMESTATE_GAME_RUNNING: c.updateQuestionScreen(); break;
    case HookCanvas::GAMESTATE_CONFIRM: updateConfirm(c); break;
    case HookCanvas::GAMESTATE_ABOUT:
    case HookCanvas::GAMESTATE_STATS:
    case HookCanvas::GAMESTATE_PROMOTED:
    case HookCanvas::GAMESTATE_DEMOTED:
    case HookCanvas::GAMESTATE_COMPLETE: updatePanel(c, state); break;
    case HookCanvas::GAMESTATE_INFOLINK: updateInfoPanel(c); break;
    case HookCanvas::GAMESTATE_CHOOSE_CATEGORY:
    case HookCanvas::GAMESTATE_CHOOSE_SUBSECTION: c.updatePracticeList(); break;
    default: break;
    }
}

}  // namespace

void HookCanvas::fixedRateUpdate() {
    auto sync = startSync();
    // Back from a pause, which may have ended a press: the screen is drawn and presented again.
    if (app_status.fetch_and(~APPSTATUSFLAG_INTERRUPTED_BY_UNKNOWN) & APPSTATUSFLAG_INTERRUPTED_BY_UNKNOWN) {
        stillUpdates = 0;
        layerChanged();
    }
    const bool touch = touching();
    pointer_held_ms = touch ? pointer_held_ms + UPDATE_MS : 0;
    tick_particles();
    const int32_t state = game_state.load();
    if (state & GAMESTATEFLAG_LOADING) {
        loading_progress = (loading_progress.load() + 1) % 20;
        announcedState = -1;
        return;
    }
    // Read only once no loading runs: a loader owns the screen's fields until it clears the flag.
    const bool fingerWasDown = finger_down;
    if (fading) fadeTick();
    // Only once a frame of the whole screen has been presented, so that a capture then shows it.
    if (!fading && state != GAMESTATE_INIT_WENDREL && screen_drawn_whole.load() == state) announce(state);
    state_time_ms += UPDATE_MS;
    top_corner = -1;

    try {
        updateScreen(*this, state);
    } catch (...) {
        // What the update changed before it failed (a row chosen, then let go) is drawn again.
        stillUpdates = 0;
        layerChanged();
        throw;
    }

    const bool stillTouching = touching();
    // Once the state's work has started a loading, the loader owns the screen's fields.
    const SelfMoving moving = game_state.load() == state ? selfMoving(*this, state) : SelfMoving{};
    const bool screenStill = game_state.load() == state && screen_drawn_whole.load() == state && !fading && !touch &&
                             !fingerWasDown && !stillTouching && !finger_down && moving == lastSelfMoving;
    lastSelfMoving = moving;
    if (!screenStill) layerChanged();
    const bool still = screenStill && count_particles() == 0;
    stillUpdates = still ? stillUpdates + 1 : 0;
    // Still presented now and then, so that whoever waits for frames (a script) still gets them.
    if (stillUpdates > STILL_BEFORE_SKIPPING && stillUpdates % STILL_PRESENT_EVERY != 0) render_after_update = false;

    // The touch feedback: a trail of twinkles from a held finger, and the long press's sounds.
    if (stillTouching && top_corner == -1) top_corner = 0;
    if (!stillTouching && top_corner == -1) return;
    if (state == GAMESTATE_CHOOSE_CATEGORY || state == GAMESTATE_CHOOSE_SUBSECTION) return;
    if ((state_time_ms / UPDATE_MS) % 4 != 0) return;
    particle_shower(pointer_x.load(), pointer_y.load(), max(top_corner, 0), 2);
    if (pointer_held_ms > LONG_PRESS_MS) longPressSounds(*this);
}
