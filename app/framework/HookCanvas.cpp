#include "app/framework/HookCanvas.h"

#include "app/framework/AppMidlet.h"
#include "host/iPhone.h"
#include "runtime/lang/Class.h"
#include "runtime/lang/Thread.h"
#include "runtime/text/String.h"

using java::lang::jnew;

namespace {

template <class T>
JavaPtr<JArray<T>> newArray(int32_t length) {
    return jnew<JArray<T>>(length);
}

// The question timer's dots: (x, y) pairs in layout units, a clock face round (34, 30).
constexpr int32_t TIMER_DOTS[24] = {46, 9, 55, 18, 58, 30, 55, 43, 46, 52, 34, 55,
                                    22, 52, 13, 43, 9,  30, 12, 18, 22, 9,  34, 6};

// First four bytes of a sound per format, read big-endian, in pairs (the second word unused).
constexpr int32_t SOUND_FORMAT_MAGICS[14] = {0x2321414D, -1, 0x4D546864, -1, 0x52494646, -1, 0x63616666, -1,
                                             0x4F676753, -1, 0x56414770, -1, 0x4D4D4D44, -1};
constexpr const char* SOUND_MIME_TYPES[8] = {"audio/amr",       "audio/midi",  "audio/x-wav",          "audio/x-caf",
                                             "application/ogg", "audio/x-vag", "application/vnd.smaf", "audio/mpeg"};

constexpr int32_t IMAGE_CACHE_SLOTS = HookCanvas::PARAM_WL_IMAGEBASE_SIZE_OF_IMAGE_CACHE;
constexpr int32_t SOUND_PIECES = HookCanvas::PARAM_WL_SOUND_AUDIO_MAX_PIECES;
constexpr int32_t FONT_SLOTS = HookCanvas::PARAM_WL_TEXT_SIZE_OF_FONT_CACHE;
// Per category, the test's shared database included.
constexpr int32_t CATEGORY_SLOTS = HookCanvas::PARAM_NUMBER_OF_CATEGORIES + 1;

}  // namespace

HookCanvas::~HookCanvas() = default;

HookCanvas* HookCanvas::WENDinvokeconstructor() {
    // Temporary references taken by the body must not free the object.
    raiseCount();
    GameCanvas::WENDinvokeconstructor(false);
    WENDinitconstructor();
    if constexpr (PARAM_WL_BASE_GAMECANVAS_CALL_SETFULLSCREENMODE) setFullScreenMode(true);
    lowerCountWithoutRelease();
    return this;
}

void HookCanvas::WENDinitconstructor() {
    raiseCount();
    record_store_prefix = jnew<String>("WLRS");
    record_store_cache = newArray<JArray<JArray<signed char>>>(2);
    image_cache_keys = newArray<int32_t>(2 * IMAGE_CACHE_SLOTS);
    image_cache_sizes = newArray<int32_t>(2 * IMAGE_CACHE_SLOTS);
    image_cache_images = newArray<JArray<javax::microedition::lcdui::Image>>(IMAGE_CACHE_SLOTS);
    image_cache_cells = newArray<JArray<signed char>>(IMAGE_CACHE_SLOTS);
    image_cache_flags = newArray<bool>(IMAGE_CACHE_SLOTS);
    sound_volume = PARAM_WL_SOUND_AUDIO_DEFAULT_VOLUME;
    sound_format_magics = newArray<int32_t>(14);
    for (int32_t i = 0; i < 14; ++i) (*sound_format_magics)[i] = SOUND_FORMAT_MAGICS[i];
    sound_mime_types = newArray<String>(8);
    for (int32_t i = 0; i < 8; ++i) (*sound_mime_types)[i] = jnew<String>(SOUND_MIME_TYPES[i]);
    sound_data = newArray<JArray<signed char>>(SOUND_PIECES);
    sound_channel_ids = newArray<int32_t>(SOUND_PIECES);
    sound_loop_counts = newArray<int32_t>(SOUND_PIECES);
    sound_priorities = newArray<int32_t>(SOUND_PIECES);

    list_selected_item = -1;
    list_highlight_item = -1;
    first_menu_load = true;
    test_finished = true;
    timer_dots = newArray<int32_t>(24);
    for (int32_t i = 0; i < 24; ++i) (*timer_dots)[i] = TIMER_DOTS[i];
    segment_wipe = newArray<int32_t>(8);
    settings = newArray<bool>(6);
    recent_questions_pos = 0;
    recent_questions = newArray<short>(REPEAT_FILM_ARRAY_LENGTH);
    retina = false;
    image_suffix = jnew<String>("");
    lowerCountWithoutRelease();
}

void HookCanvas::HookCanvas_globalStaticCreate() {
    WL_TEXT_GUIDELINE_TYPE_MASK = static_cast<int32_t>(0xFF000000u);
    system_fonts = newArray<javax::microedition::lcdui::Font>(FONT_SLOTS);
    system_font_colours = newArray<int32_t>(FONT_SLOTS);
    bitmap_font_image_ids = newArray<int32_t>(FONT_SLOTS);
    bitmap_font_info = newArray<JArray<short>>(FONT_SLOTS);
    version_string = jnew<String>("v1.1");
    category_scores = newArray<int32_t>(CATEGORY_SLOTS);
    category_questions_asked = newArray<int32_t>(CATEGORY_SLOTS);
    category_completed = newArray<bool>(CATEGORY_SLOTS);
    particles = newArray<int32_t>(128);
    bitmap_font_metrics = newArray<JArray<short>>(FONT_SLOTS);
}

void HookCanvas::HookCanvas_globalStaticDestroy() {
    res_block_mappings = nullptr;
    block_pack_mappings = nullptr;
    resource_packs = nullptr;
    times_resource_pack_reference = nullptr;
    resource_blocks = nullptr;
    resource_identifiers = nullptr;
    languages = nullptr;
    internal_key_mappings = nullptr;
    rtclass = nullptr;
    crc_table = nullptr;
    transforms = nullptr;
    system_fonts = nullptr;
    system_font_colours = nullptr;
    bitmap_font_image_ids = nullptr;
    bitmap_font_info = nullptr;
    enc_strings = nullptr;
    {
        std::lock_guard guard(s_mainThreadLock);
        main_thread = nullptr;
    }
    touchscreen_regions = nullptr;
    debug_strings = nullptr;
    back_softkey_string = nullptr;
    fwrd_softkey_string = nullptr;
    internal_cheat_codes = nullptr;
    softkey_add_back = nullptr;
    softkey_add_fwrd = nullptr;
    conn_class = nullptr;
    version_string = nullptr;
    shuffle_db_preloaded = nullptr;
    category_scores = nullptr;
    category_questions_asked = nullptr;
    category_completed = nullptr;
    scroller_category_list = nullptr;
    practice_menu_extra_borders = nullptr;
    categoryStrings = nullptr;
    subsectionStrings = nullptr;
    practicedDBs = nullptr;
    boxesToShow = nullptr;
    levelThresholds = nullptr;
    url_string = nullptr;
    particles = nullptr;
    twinkle_ids = nullptr;
    bitmap_font_metrics = nullptr;
}

int32_t HookCanvas::numLanguagesIncluded() { return languages->length / 2; }

void HookCanvas::iPhoneTransition() { iPhone::viewReplace(); }
void HookCanvas::iPhoneTransitionSetup() { iPhone::viewSetup(); }
void HookCanvas::iPhoneTextOverlayStart() { iPhone::textOverlayStart(); }
void HookCanvas::iPhoneTextOverlayStop() { iPhone::textOverlayStop(); }
void HookCanvas::iPhoneGetDeviceDetails() { DEVICE_FAMILY = iPhone::getDeviceDetails(DEVICE_FAMILY); }
