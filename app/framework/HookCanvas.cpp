#include "app/framework/HookCanvas.h"

#include "app/framework/AppMidlet.h"
#include "app/framework/EncodedStrings.h"
#include "app/framework/FrameworkFonts.h"
#include "app/framework/ImageCache.h"
#include "app/framework/ResourceHandler.h"
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

constexpr int32_t FONT_SLOTS = HookCanvas::PARAM_WL_TEXT_SIZE_OF_FONT_CACHE;
// Per category, the test's shared database included.
constexpr int32_t CATEGORY_SLOTS = HookCanvas::PARAM_NUMBER_OF_CATEGORIES + 1;

}  // namespace

HookCanvas::HookCanvas() = default;
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
    // The cache's own arrays are the fields, so the fields always show the cache.
    m_imageCache = std::make_unique<ImageCache>(resourceHandler());
    image_cache_keys = m_imageCache->image_cache_keys;
    image_cache_sizes = m_imageCache->image_cache_sizes;
    image_cache_images = m_imageCache->image_cache_images;
    image_cache_cells = m_imageCache->image_cache_cells;
    image_cache_flags = m_imageCache->image_cache_flags;
    // The fonts work on the class statics when they exist, else publish their own arrays there.
    m_fonts = std::make_unique<FrameworkFonts>(resourceHandler(), *m_imageCache, &set_font);
    m_fonts->screenHeight = [] { return PARAM_WL_BASE_SCREEN_HEIGHT.load(std::memory_order_relaxed); };
    auto share = [](auto& classStatic, auto& fontArray) {
        if (classStatic) {
            fontArray = classStatic;
        } else {
            classStatic = fontArray;
        }
    };
    share(system_fonts, m_fonts->system_fonts);
    share(system_font_colours, m_fonts->system_font_colours);
    share(bitmap_font_image_ids, m_fonts->bitmap_font_image_ids);
    share(bitmap_font_info, m_fonts->bitmap_font_info);
    share(bitmap_font_metrics, m_fonts->bitmap_font_metrics);
    m_strings = std::make_unique<EncodedStrings>(resourceHandler(), enc_strings);
    // Wrapping measures through the virtual, so the quiz's widths count.
    m_strings->charWidth = [this](int32_t font, char16_t c) { return getCharWidth(font, c); };

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
    resetQuizStatics();
    bitmap_font_metrics = newArray<JArray<short>>(FONT_SLOTS);
}

void HookCanvas::HookCanvas_globalStaticDestroy() {
    resourceHandler().clear();
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
        main_thread_stopped = false;
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
