// The application's one canvas. Its framework half runs the main loop, the game states with their
// loading threads and the input latch, and carries the resources, images, text, sound and maths;
// its quiz half (app/quiz) fills in what each state does and draws.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>

#include "app/framework/AppParameters.h"
#include "app/framework/SoundChannels.h"
#include "app/quiz/QuestionDatabase.h"
#include "app/quiz/QuizImages.h"
#include "runtime/lang/JArray.h"
#include "runtime/lang/Runnable.h"
#include "runtime/lcdui/Font.h"
#include "runtime/lcdui/GameCanvas.h"
#include "runtime/lcdui/Image.h"
#include "runtime/media/PlayerListener.h"
#include "runtime/sensor/DataListener.h"

namespace java::lang {
class Class;
class String;
class Thread;
}  // namespace java::lang
namespace java::io {
class DataInputStream;
class DataOutputStream;
}  // namespace java::io

class AppMidlet;
class EncodedStrings;
class FrameworkFonts;
class ImageCache;
class ResourceHandler;
class WLHttpConnectionThread;

class HookCanvas : public javax::microedition::lcdui::game::GameCanvas,
                   public java::lang::Runnable,
                   public javax::microedition::media::PlayerListener,
                   public javax::microedition::sensor::DataListener,
                   public AppParameters,
                   public CanvasConstants {
    JAVA_CLASS(HookCanvas, "HookCanvas", javax::microedition::lcdui::game::GameCanvas, java::lang::Runnable,
               javax::microedition::media::PlayerListener, javax::microedition::sensor::DataListener)
public:
    using Graphics = javax::microedition::lcdui::Graphics;
    using String = java::lang::String;

    // ---- Construction and class statics ----------------------------------------------------

    HookCanvas();
    ~HookCanvas() override;
    // The constructor body; returns the object itself.
    HookCanvas* WENDinvokeconstructor();
    // The field initialisers.
    void WENDinitconstructor();
    static void HookCanvas_globalStaticCreate();
    static void HookCanvas_globalStaticDestroy();
    // Needs the language table, which the resource map's reader makes.
    static int32_t numLanguagesIncluded();

    // ---- Canvas callbacks ----------------------------------------------------------------

    void hideNotify() override;
    void showNotify() override;
    void paint(const JavaPtr<Graphics>& g) override;
    // The quiz's: each records the input for the next update.
    void keyPressed(int32_t keyCode) override;
    void keyReleased(int32_t keyCode) override;
    void pointerDragged(int32_t x, int32_t y) override;
    void pointerPressed(int32_t x, int32_t y) override;
    void pointerReleased(int32_t x, int32_t y) override;

    // ---- Painting and screen -----------------------------------------------------------

    virtual void syncPaint();
    virtual void updateScreenDimensions();

    // ---- Record stores ----------------------------------------------------------------------

    // ---- Resources: the resource map and packs ------------------------------------------
    // (ResourceHandler does the work; the map's tables are also published in the statics below.)

    virtual void initWendrel();
    virtual JavaPtr<JArray<signed char>> loadFileFromJar(const JavaPtr<String>& name, int32_t length);
    virtual JavaPtr<java::io::DataInputStream> getFileFromJarAsDataInputStream(const JavaPtr<String>& name);
    virtual int32_t getBlockOfResource(int32_t id);
    virtual void loadResourceBlock(int32_t block);
    virtual void unloadResourceBlock(int32_t block);
    virtual void unloadUnusedResourcePacks();
    virtual JavaPtr<JArray<signed char>> getResourceByteArray(int32_t id);
    virtual JavaPtr<JArray<char16_t>> getResourceCharArray(int32_t id);
    virtual JavaPtr<JArray<short>> getResourceShortArray(int32_t id);
    virtual JavaPtr<JArray<int32_t>> getResourceIntArray(int32_t id);
    virtual JavaPtr<JArray<long long>> getResourceLongArray(int32_t id);
    virtual JavaPtr<JArray<float>> getResourceFloatArray(int32_t id);
    virtual JavaPtr<JArray<double>> getResourceDoubleArray(int32_t id);
    virtual JavaPtr<String> getResString(int32_t id);
    virtual int32_t getResID(const JavaPtr<String>& name);
    // The one resource handler of the process.
    static ResourceHandler& resourceHandler();

    // ---- Images: encoded images, the image cache and in-memory PNG ----------------------
    // (ImageCache and PngBuilder do the work; the cache's arrays are the image_cache_ fields.)

    virtual int32_t loadImageID(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId,
                                int32_t transformMask, bool imagePerCell);
    virtual int32_t loadImageID(int32_t imageId, int32_t paletteId, int32_t transformMask, bool imagePerCell);
    virtual void unloadImageID(int32_t slot);
    virtual int32_t currentImageTransforms(int32_t slot);
    virtual JavaPtr<javax::microedition::lcdui::Image> getImage(int32_t imageId, int32_t paletteId,
                                                                int32_t alternativePaletteId, int32_t t);
    virtual JavaPtr<javax::microedition::lcdui::Image> getImage(int32_t imageId, int32_t paletteId, int32_t t);
    virtual JavaPtr<javax::microedition::lcdui::Image> getImage(int32_t imageId);
    virtual JavaPtr<JArray<signed char>> decodeImage(const JavaPtr<JArray<signed char>>& data, int32_t offset,
                                                     int32_t width, int32_t height, int32_t colours);
    virtual JavaPtr<JArray<signed char>> decodeImage(const JavaPtr<JArray<signed char>>& data, int32_t offset,
                                                     int32_t width, int32_t height);
    virtual void loadImage(int32_t slot, const JavaPtr<JArray<signed char>>& indices,
                           const JavaPtr<JArray<signed char>>& palette, int32_t width, int32_t height,
                           int32_t transformMask, bool imagePerCell);
    virtual void loadImage(int32_t slot, const JavaPtr<JArray<signed char>>& colours, int32_t width, int32_t height,
                           int32_t transformMask, bool imagePerCell);
    virtual int32_t getImageDimension(int32_t slot, int32_t cell, int32_t t, int32_t selector);
    virtual void drawImageID(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t t, int32_t x, int32_t y,
                             int32_t anchor);
    virtual void drawImageIDNoTransform(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t x, int32_t y,
                                        int32_t anchor);
    virtual void drawImageCell(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t t, int32_t x,
                               int32_t y);
    virtual JavaPtr<javax::microedition::lcdui::Image> createRGBImage(const JavaPtr<JArray<int32_t>>& pixels,
                                                                      int32_t width, int32_t height, bool processAlpha);
    virtual JavaPtr<javax::microedition::lcdui::Image> pngMakeMutable(
        const JavaPtr<javax::microedition::lcdui::Image>& image);
    virtual JavaPtr<JArray<signed char>> pngCreateByteArray(int32_t width, int32_t height, int32_t bitDepth,
                                                            const JavaPtr<JArray<signed char>>& palette,
                                                            const JavaPtr<JArray<signed char>>& indices,
                                                            bool readyStream);
    virtual JavaPtr<JArray<signed char>> pngCreateByteArray(int32_t width, int32_t height,
                                                            const JavaPtr<JArray<signed char>>& colours);
    virtual JavaPtr<javax::microedition::lcdui::Image> pngCreateImage(int32_t width, int32_t height, int32_t bitDepth,
                                                                      const JavaPtr<JArray<signed char>>& palette,
                                                                      const JavaPtr<JArray<signed char>>& indices,
                                                                      bool readyStream);
    virtual JavaPtr<javax::microedition::lcdui::Image> pngCreateImage(int32_t width, int32_t height,
                                                                      const JavaPtr<JArray<signed char>>& colours);
    virtual void pngCalcCrcTable();
    virtual int32_t pngCalcCrc(const JavaPtr<JArray<signed char>>& data, int32_t end, int32_t length);
    virtual int32_t pngCalcAdler(const JavaPtr<JArray<signed char>>& data, int32_t end, int32_t span,
                                 int32_t blockSize);

    // ---- Strings and language -------------------------------------------------------------
    // (EncodedStrings does the work.)

    static JavaPtr<String> getLanguageIDString(int32_t language);
    virtual void loadLanguage(int32_t language);
    virtual JavaPtr<JArray<signed char>> getENCString(int32_t id);
    virtual JavaPtr<String> getString(int32_t id);
    virtual JavaPtr<String> getStringFromENCString(const JavaPtr<JArray<signed char>>& text);
    virtual JavaPtr<JArray<signed char>> getENCStringFromString(const JavaPtr<String>& text);
    static JavaPtr<String> insertStringIntoString(const JavaPtr<String>& text, const JavaPtr<String>& placeholder,
                                                  const JavaPtr<String>& insert);
    static JavaPtr<String> insertString(const JavaPtr<String>& text, const JavaPtr<String>& placeholder,
                                        const JavaPtr<String>& insert);
    virtual JavaPtr<String> insertENCStringIntoString(const JavaPtr<String>& text, const JavaPtr<String>& placeholder,
                                                      const JavaPtr<JArray<signed char>>& insert);
    virtual JavaPtr<JArray<signed char>> insertStringIntoENCString(const JavaPtr<JArray<signed char>>& text,
                                                                   const JavaPtr<String>& placeholder,
                                                                   const JavaPtr<String>& insert);
    virtual JavaPtr<JArray<signed char>> insertENCStringIntoENCString(const JavaPtr<JArray<signed char>>& text,
                                                                      const JavaPtr<String>& placeholder,
                                                                      const JavaPtr<JArray<signed char>>& insert);
    static JavaPtr<String> replaceHardSpaces(const JavaPtr<String>& text);
    // Measures with getCharWidth, through the virtual.
    virtual JavaPtr<JArray<String>> splitENCString(const JavaPtr<JArray<signed char>>& text, int32_t font,
                                                   int32_t maxWidth);
    virtual JavaPtr<JArray<String>> splitString(const JavaPtr<String>& text, int32_t font, int32_t maxWidth);

    // ---- Fonts and text drawing -----------------------------------------------------------
    // (FrameworkFonts does the work on the font statics below; set_font is the selected slot.)

    virtual int32_t loadSystemFont(int32_t face, int32_t style, int32_t size, int32_t colour);
    virtual int32_t loadBitmapFont(int32_t fontId, int32_t paletteId);
    virtual int32_t _FuSeD_mThD_1_loadBitmapFont(int32_t fontId, int32_t paletteId);
    virtual void unloadFont(int32_t slot);
    virtual void setFont(const JavaPtr<Graphics>& g, int32_t slot);
    virtual int32_t getFontHeight(int32_t slot);
    virtual int32_t getBitmapFontCharacterIndex(int32_t slot, char16_t c);
    virtual int32_t getCharWidth(int32_t slot, char16_t c);
    virtual int32_t _FuSeD_mThD_1_getCharWidth(int32_t slot, char16_t c);
    virtual int32_t getCharsWidth(int32_t slot, const JavaPtr<JArray<char16_t>>& chars);
    virtual int32_t getStringWidth(int32_t slot, const JavaPtr<String>& s);
    virtual int32_t getMaxStringWidths(int32_t slot, const JavaPtr<JArray<String>>& lines);
    virtual void drawString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s, int32_t x, int32_t y,
                            int32_t anchor, int32_t advance);
    virtual void drawChars(const JavaPtr<Graphics>& g, const JavaPtr<JArray<char16_t>>& chars, int32_t x, int32_t y,
                           int32_t anchor, int32_t advance);
    virtual void drawCharsExtended(const JavaPtr<Graphics>& g, const JavaPtr<JArray<char16_t>>& chars,
                                   int32_t offset, int32_t length, int32_t x, int32_t y, int32_t anchor,
                                   int32_t advance);
    virtual void drawCharsOrString(const JavaPtr<Graphics>& g, const JavaPtr<String>& s,
                                   const JavaPtr<JArray<char16_t>>& chars, int32_t offset, int32_t length, int32_t x,
                                   int32_t y, int32_t anchor, int32_t advance);
    virtual void drawSplitString(const JavaPtr<Graphics>& g, const JavaPtr<JArray<String>>& lines, int32_t x,
                                 int32_t y, int32_t anchor, int32_t lineHeight);

    // ---- Sound, light and vibration ------------------------------------------------------

    // Stops any vibration for ms <= 0; the main loop stops it once vibration_end_time has passed.
    virtual void vibrate(int32_t ms);
    virtual void keepTheLightOn(int64_t ms) {}
    // The channel operations, carried out by sound_channels.
    virtual int32_t loadSound(int32_t id);
    virtual void unloadSound(int32_t id);
    virtual int32_t alreadyLoadedChannel(int32_t id);
    virtual void createPlayerAndPrefetch(int32_t channel);
    virtual void playSound(int32_t id, int32_t priority, int32_t loops);
    virtual void _FuSeD_mThD_1_playSound(int32_t id, int32_t priority, int32_t loops);
    virtual bool resumeSound(int32_t id);
    // True only when the sound was started.
    virtual bool playResumeSound(int32_t id, int32_t priority, int32_t loops, bool resume);
    virtual void pauseSound(int32_t id);
    virtual void stopSound(int32_t id);
    virtual void stopAllSounds();
    virtual void stopSoundChannel(int32_t channel);
    virtual void cleanUpPlayerFromChannel(int32_t channel);
    virtual void setVolume(int32_t level);
    virtual void beep();
    // At the end: closes every player, each of which holds the canvas as its listener, so that the
    // canvas can be destroyed; nothing is loaded after.
    virtual void closeSounds();
    // Every player event is ignored.
    void playerUpdate(JavaPtr<javax::microedition::media::Player> player, JavaPtr<String> event,
                      JavaPtr<java::lang::Object> eventData) override {}

    // ---- Main loop and input -----------------------------------------------------------

    // The quiz's.
    virtual void initInterrupts();
    virtual void initKeysAndTouch();
    virtual int32_t findKeyBitflag(int32_t keyCode);

    virtual void _FuSeD_mThD_1_startLoading() {}
    // Starts the main thread unless one runs; re-bases the loop's clocks.
    virtual void startMainThread();
    // The running loop ends after its current pass; nothing waits for it.
    virtual void stopMainThread();
    // The main loop on the main thread; on any other thread, the loading of the current state.
    void run() override;
    virtual void variableRateUpdate(int64_t elapsedMs);
    virtual void _FuSeD_mThD_1_fixedRateUpdate();
    virtual void changeGameStateTo(int32_t state);
    // Sleeps ms, or yields once for ms below 1.
    virtual void sleep(int32_t ms);
    virtual void _FuSeD_mThD_1_hideNotify();
    virtual void _FuSeD_mThD_1_showNotify();
    virtual void releaseAllKeys();
    virtual void quit();
    // One pass: at most two fixed updates with the input latched before each, a repaint after a
    // pass that updated, then a sleep until the next update is due.
    virtual void runOnce();
    // The quiz's: they write only the internal input statics and the pointer position.
    virtual void keyAction(int32_t flag, bool pressed);
    virtual void pointerAction(int32_t x, int32_t y, bool pressed);
    // Drops the message: the framework keeps no log.
    virtual void debug(const JavaPtr<String>& message, int32_t flags) {}

    // ---- Browser, soft keys and HTTP -------------------------------------------------------

    // Stops any earlier request, then starts a new worker for this one and returns at once.
    virtual void openHttpConnectionByteArrayData(JavaPtr<String> url, int32_t encoding, JavaPtr<JArray<signed char>> data);
    // The data's characters as bytes (their low 8 bits).
    virtual void openHttpConnectionStringData(JavaPtr<String> url, int32_t encoding, JavaPtr<String> data);
    virtual void closeHttpConnection();
    // Percent-encodes the low byte of every character outside the safe set (a space is "%20").
    static JavaPtr<String> urlEncode(JavaPtr<String> s);
    // Asks the platform to open the URL; true whatever it answers.
    virtual bool launchWapBrowser(JavaPtr<String> url);
    // The current worker, or null; the application polls its results.
    static JavaPtr<WLHttpConnectionThread> currentHttpConnection();

    // ---- The quiz's operations that the framework calls --------------------------------

    virtual void loadSounds();
    virtual void unloadSounds();
    // The loading work of the state in game_state; runs on a loading thread.
    virtual void startLoading();
    // One 33 ms step of the current state, with the input latched.
    virtual void fixedRateUpdate();
    virtual void render(const JavaPtr<Graphics>& g);
    // What the current screen shows may have changed: the next frame draws it again rather than
    // keep the offscreen image. Every update that is not still calls it.
    void layerChanged() { ++layer_changes; }

    // ---- Platform hooks ----------------------------------------------------------------

    virtual void iPhoneTransition();
    virtual void iPhoneTransitionSetup();
    virtual void iPhoneTextOverlayStart();
    virtual void iPhoneTextOverlayStop();
    virtual void iPhoneGetDeviceDetails();

    // ---- Fixed-point maths, random numbers and numbers in byte arrays ------------------

    // Fixed-point numbers hold value x 1024; angles in fixed-point radians take 3217 for pi.
    static constexpr int32_t FPI = 3217;

    static int32_t iToF(int32_t i);
    static int32_t FToi(int32_t f);
    static int32_t FToiNearest(int32_t f);
    static int32_t Fmul(int32_t a, int32_t b);
    static int64_t FmulToLong(int32_t a, int32_t b);
    // Division by zero gives the largest magnitude with the dividend's sign (0 for 0 / 0).
    static int32_t Fdiv(int32_t a, int32_t b);
    static int32_t sqrt(int32_t a);
    static int32_t cbrt(int32_t a);
    static int32_t Fsqrt(int32_t f);
    static int32_t Fcbrt(int32_t f);
    static int32_t Fsin(int32_t x);
    static int32_t Fcos(int32_t x);
    static int32_t sin(int32_t degrees);
    static int32_t cos(int32_t degrees);
    static int32_t FsinFromiDeg(int32_t degrees);
    static int32_t FcosFromiDeg(int32_t degrees);
    static int32_t FsinFromFDeg(int32_t degrees);
    static int32_t FcosFromFDeg(int32_t degrees);
    static int32_t FradToFDeg(int32_t x);
    static int32_t FradToiDeg(int32_t x);
    static int32_t FdegToFRad(int32_t d);
    static int32_t idegToFRad(int32_t degrees);
    static int32_t vectorToFRad(int32_t u, int32_t v);
    static int32_t vectorToFDeg(int32_t u, int32_t v);
    static int32_t vectorToiDeg(int32_t u, int32_t v);
    static void setRandomNumberSeed(int64_t seed);
    static int32_t random(int32_t n);
    static void randomAddToIntSeed(int32_t v);
    static int32_t readShortFromByteArray(const JavaPtr<JArray<signed char>>& a, int32_t i);
    static int32_t readIntFromByteArray(const JavaPtr<JArray<signed char>>& a, int32_t i);
    static int64_t readLongFromByteArray(const JavaPtr<JArray<signed char>>& a, int32_t i);
    static int32_t writeIntToByteArray(const JavaPtr<JArray<signed char>>& a, int32_t i, int32_t value);
    static int32_t max(int32_t a, int32_t b) { return a > b ? a : b; }
    static int32_t min(int32_t a, int32_t b) { return a < b ? a : b; }
    // The most negative int stays as it is.
    static int32_t abs(int32_t a);
    static bool isPrefetchedOrStarted(int32_t playerState) { return playerState == 300 || playerState == 400; }

    // ---- Loop timing -------------------------------------------------------------------

    // The clock of the main loop and of vibration_end_time: monotonic milliseconds.
    static int64_t loopMillis();
    using LoopSleeper = void (*)(int64_t millis);
    // Replaces how a pass waits (0: a yield); null restores the thread's own sleep.
    static void setLoopSleeper(LoopSleeper sleeper);
    // A hidden canvas looks again this often.
    static constexpr int64_t HIDDEN_POLL_MS = 50;

    // ---- Class statics: numbers (shared between the main, loading and UI threads) ------

    static inline std::atomic<int32_t> PARAM_WL_BASE_SCREEN_WIDTH{0};
    static inline std::atomic<int32_t> PARAM_WL_BASE_SCREEN_HEIGHT{0};
    static inline std::atomic<int64_t> random_seed{0};
    static inline std::atomic<int32_t> random_seed_high{0};
    static inline std::atomic<int32_t> random_seed_low{0};
    static inline std::atomic<int32_t> WL_TEXT_GUIDELINE_TYPE_MASK{0};
    static inline std::atomic<int32_t> set_font{-1};
    static inline std::atomic<int64_t> last_backlight_on_time{0};
    static inline std::atomic<int64_t> vibration_end_time{0};
    // While GAMESTATEFLAG_LOADING is set, the loader owns the screen's fields: the main loop and
    // its frames touch none of them until they read the flag cleared (which publishes them).
    static inline std::atomic<int32_t> game_state{0};
    static inline std::atomic<int32_t> previous_game_state{0};
    static inline std::atomic<int64_t> last_fixed_update_time_ms{0};
    static inline std::atomic<int64_t> last_variable_update_time_ms{0};
    static inline std::atomic<int32_t> keys_pressed{0};
    static inline std::atomic<int32_t> keys_repeated{0};
    static inline std::atomic<bool> pointer_pressed{false};
    static inline std::atomic<bool> pointer_repeated{false};
    static inline std::atomic<int32_t> pointer_x{0};
    static inline std::atomic<int32_t> pointer_y{0};
    static inline std::atomic<int64_t> regions_pressed{0};
    static inline std::atomic<int64_t> regions_repeated{0};
    static inline std::atomic<int32_t> cheats_triggered{0};
    static inline std::atomic<int32_t> app_status{APPSTATUSFLAG_PAUSED};
    static inline std::atomic<int32_t> loading_progress{0};
    static inline std::atomic<bool> render_after_update{false};
    static inline std::atomic<int32_t> internal_keys_pressed{0};
    static inline std::atomic<int32_t> internal_keys_repeated{0};
    static inline std::atomic<bool> internal_pointer_pressed{false};
    static inline std::atomic<bool> internal_pointer_repeated{false};
    static inline std::atomic<int64_t> internal_regions_pressed{0};
    static inline std::atomic<int64_t> internal_regions_repeated{0};
    static inline std::atomic<int32_t> internal_keypress_buffer{0};
    static inline std::atomic<int32_t> cheat_sequence_position{0};
    static inline std::atomic<int32_t> DEVICE_FAMILY{DEVICE_IPOD_TOUCH};

    // ---- Class statics: objects ----------------------------------------------------------

    // Resource map and packs.
    static inline JavaPtr<JArray<signed char>> res_block_mappings;
    static inline JavaPtr<JArray<signed char>> block_pack_mappings;
    static inline JavaPtr<JArray<JArray<signed char>>> resource_packs;
    // Plain ints, so that a pack's holds neither wrap after 127 nor go below 0.
    static inline JavaPtr<JArray<int32_t>> times_resource_pack_reference;
    static inline JavaPtr<JArray<JArray<signed char>>> resource_blocks;  // never created
    static inline JavaPtr<JArray<int32_t>> resource_identifiers;         // never created
    static inline JavaPtr<JArray<signed char>> languages;
    static inline JavaPtr<JArray<int32_t>> internal_key_mappings;
    static inline JavaPtr<java::lang::Class> rtclass;
    // Images.
    static inline JavaPtr<JArray<int32_t>> crc_table;
    static inline JavaPtr<JArray<int32_t>> transforms;  // never created
    // Fonts and strings.
    static inline JavaPtr<JArray<javax::microedition::lcdui::Font>> system_fonts;
    static inline JavaPtr<JArray<int32_t>> system_font_colours;
    static inline JavaPtr<JArray<int32_t>> bitmap_font_image_ids;
    static inline JavaPtr<JArray<JArray<short>>> bitmap_font_info;
    static inline JavaPtr<JArray<JArray<signed char>>> enc_strings;
    // Main loop, input and soft keys.
    static inline JavaPtr<JArray<int32_t>> touchscreen_regions;  // never created
    static inline JavaPtr<JArray<String>> debug_strings;        // never created
    static inline JavaPtr<String> back_softkey_string;
    static inline JavaPtr<String> fwrd_softkey_string;
    static inline JavaPtr<JArray<int32_t>> internal_cheat_codes;
    static inline JavaPtr<String> softkey_add_back;
    static inline JavaPtr<String> softkey_add_fwrd;
    static inline JavaPtr<WLHttpConnectionThread> conn_class;
    static inline JavaPtr<String> version_string;
    // The quiz's.
    static inline JavaPtr<JArray<signed char>> shuffle_db_preloaded;
    static inline JavaPtr<JArray<int32_t>> category_scores;
    static inline JavaPtr<JArray<int32_t>> category_questions_asked;
    static inline JavaPtr<JArray<bool>> category_completed;
    static inline JavaPtr<JArray<JArray<String>>> scroller_category_list;
    static inline JavaPtr<JArray<int32_t>> practice_menu_extra_borders;
    static inline JavaPtr<JArray<String>> categoryStrings;
    static inline JavaPtr<JArray<JArray<String>>> subsectionStrings;
    static inline JavaPtr<JArray<JArray<bool>>> practicedDBs;
    static inline JavaPtr<JArray<int32_t>> boxesToShow;
    static inline JavaPtr<JArray<int32_t>> levelThresholds;
    static inline JavaPtr<String> url_string;  // never created
    static inline JavaPtr<JArray<int32_t>> particles;
    static inline JavaPtr<JArray<JArray<int32_t>>> twinkle_ids;
    static inline JavaPtr<JArray<JArray<short>>> bitmap_font_metrics;


    // ---- The quiz: layout and hit tests ---------------------------------------------------

    // A layout value of the 320 x 480 design in pixels: doubled on retina screens.
    virtual int32_t getParam(int32_t v);
    virtual int32_t getPos(int32_t v);
    // The latched pointer over [x, x + w] x [y, y + h], edges included.
    virtual bool pointerOverArea(int32_t x, int32_t y, int32_t w, int32_t h);
    // The same over a loaded image's whole width and height.
    virtual bool pointerOverImage(int32_t id, int32_t x, int32_t y);

    // ---- The quiz: questions ----------------------------------------------------------------

    virtual void loadDatabase();
    // The next record, or null when the database holds none. The argument has no effect.
    virtual JavaPtr<JArray<String>> criticQuestionPlease(int32_t unused);
    // Puts the next question on screen; false with a saved test question resumes it.
    virtual void getQuestion(bool fresh);

    // ---- The quiz: the question screen ------------------------------------------------------

    // One 33 ms update of GAMESTATE_GAME_RUNNING.
    virtual void updateQuestionScreen();
    virtual void handleInput();
    virtual void onFingerDown();
    virtual void onFingerUp();
    virtual int32_t getRanking();
    virtual void resetGame(bool full);
    virtual void resetScores(int32_t category);
    virtual void startGame();
    // The end screen of a completed test is left: no test is in progress, on record at once.
    void closeCompletedTest();
    // A test that "Continue Test" resumes: unfinished, and above the first level or owing the
    // panel of a level change.
    bool testToContinue() const;
    // Answer slot i's top edge, and whether the pointer is over a slot that is not ghosted.
    int32_t answerSlotTop(int32_t slot);
    bool pointerOverAnswer(int32_t slot);
    bool pointerOverBottomButton(int32_t button);

    // ---- The quiz: screen changes and fades -------------------------------------------------

    virtual void startFade(int32_t direction, int32_t state);
    virtual void fadeTick();
    // The fade sequence of a state, read from its resource the first time; null for a state
    // that has none.
    virtual JavaPtr<JArray<signed char>> fadeSequenceFor(int32_t state);

    // ---- The quiz: twinkle particles ---------------------------------------------------------

    static void particle_shower(int32_t x, int32_t y, int32_t colour, int32_t count);
    static void tick_particles();
    virtual void render_particles(const JavaPtr<Graphics>& g);
    static int32_t count_particles();
    static void reset_particles();
    // The tilt the twinkles drift with (radians x 1024), written by the tilt sensor's listener.
    static inline std::atomic<int32_t> tilt_roll{0};
    static inline std::atomic<int32_t> tilt_pitch{0};

    // ---- The quiz: the frame, its segments and the screens ----------------------------------

    // Draws into offscreen_image, then copies it to g with the twinkles over it.
    // Segment index of a screen's set, shown only while its fade bit is set and wiped in from the left.
    virtual bool drawFadingSegment(const JavaPtr<Graphics>& g, const JavaPtr<JArray<int32_t>>& segments, int32_t index,
                                   int32_t x, int32_t y, bool resetClip);
    void resetClip(const JavaPtr<Graphics>& g);
    virtual void overlayText();
    // The zones that act on the main menu's about corner and on the menu button of the panels; the
    // highlights are drawn for exactly these.
    bool pointerOverAboutArea();
    bool pointerOverMenuButton();
    void renderMainMenu(const JavaPtr<Graphics>& g);
    void renderAbout(const JavaPtr<Graphics>& g);
    void renderStats(const JavaPtr<Graphics>& g);
    void renderConfirm(const JavaPtr<Graphics>& g);
    void renderRankChange(const JavaPtr<Graphics>& g, bool promoted);
    void renderComplete(const JavaPtr<Graphics>& g);
    void renderQuestionScreen(const JavaPtr<Graphics>& g);
    void renderPracticeList(const JavaPtr<Graphics>& g);
    // The statistics' value column: row i's text.
    JavaPtr<String> statsValue(int32_t row);
    // Progress boxes of a category, 0 to 3, from its practiced subsections.
    int32_t howManyBoxes(int32_t category);
    // Loads an image resource into the cache as the screens draw it; returns its handle.
    int32_t loadScreenImage(int32_t id);
    // Every screen's images and both fonts, each loaded once (the resource pack must be loaded).
    void loadScreenImages();

    // ---- The quiz: button menus, menu definitions and soft keys -----------------------------

    virtual void setupMenu(int32_t state);
    virtual void drawMenu(const JavaPtr<Graphics>& g);
    static JavaPtr<JArray<int32_t>> menuItemSoftkey(int32_t textId, bool fwrd, int32_t action);
    static JavaPtr<JArray<int32_t>> menuItemButton(int32_t textId, int32_t flags, int32_t action);
    static JavaPtr<JArray<int32_t>> menuItemText(int32_t textId);
    static JavaPtr<JArray<int32_t>> menuItemHeader(int32_t textId);
    virtual void menuInjectItem(int32_t menu, int32_t position, const JavaPtr<JArray<int32_t>>& item);
    virtual void menuRemoveItem(int32_t menu, int32_t item);
    virtual int32_t menuItemIndex(int32_t menu, int32_t item);
    virtual int32_t menuItemIndex(int32_t item);
    virtual int32_t menuGetSoftkeyIndex(bool fwrd);
    virtual void menuLoad(int32_t menu, int32_t selectMask, bool setSoftkeys);
    virtual void menuLoad(int32_t menu, int32_t selectMask);
    virtual void menuBack();
    virtual void menuAdjustCurrentSelectedItem(int32_t delta, int32_t selectMask, bool wrap);
    virtual void setSoftkeys(const JavaPtr<String>& back, const JavaPtr<String>& fwrd);
    virtual JavaPtr<String> adjustGraphicalSoftkeyLabel(const JavaPtr<String>& label, bool back);

    // ---- The quiz: saved progress and the record-store cache --------------------------------

    virtual void saveData();
    // The record saveData writes, as the progress stands; an answered test question stops being
    // the one to resume.
    JavaPtr<JArray<signed char>> progressRecord();
    virtual void loadSavedData();
    // Takes the record's progress when every value in it fits the quiz's tables; false, with
    // nothing changed, when it does not.
    bool restoreProgress(const JavaPtr<JArray<signed char>>& record);
    virtual void writeArray(const JavaPtr<java::io::DataOutputStream>& out, const JavaPtr<JArray<int32_t>>& a);
    virtual void writeArray(const JavaPtr<java::io::DataOutputStream>& out, const JavaPtr<JArray<bool>>& a);
    virtual void writeArrayArray(const JavaPtr<java::io::DataOutputStream>& out,
                                 const JavaPtr<JArray<JArray<bool>>>& m);
    virtual JavaPtr<JArray<int32_t>> readIntArray(const JavaPtr<java::io::DataInputStream>& in);
    virtual JavaPtr<JArray<bool>> readBooleanArray(const JavaPtr<java::io::DataInputStream>& in);
    virtual JavaPtr<JArray<JArray<bool>>> readBoolBoolArray(const JavaPtr<java::io::DataInputStream>& in);
    // Saves once on the first main-loop pass after the canvas was hidden, and at termination,
    // holding the monitor, once the progress was read and no loading runs.
    virtual void saveProgressWhileHidden();
    virtual bool setRecordStoreData(const JavaPtr<JArray<signed char>>& data, int32_t i);
    virtual bool setRecordStoreDataMult(const JavaPtr<JArray<JArray<signed char>>>& records, int32_t i);
    virtual JavaPtr<JArray<signed char>> getRecordStoreData(int32_t i);
    virtual JavaPtr<JArray<JArray<signed char>>> getRecordStoreDataMult(int32_t i);
    virtual void accessAllRecordStoresWrite();
    virtual bool accessRecordStoreWrite(int32_t s);
    // The store's records from the oldest to the newest (ascending ids).
    virtual JavaPtr<JArray<JArray<signed char>>> accessRecordStoreRead(int32_t s);
    // Called between adding a write's new records and deleting the old ones; crash tests aim there.
    static inline void (*afterNewRecordsAdded)(int32_t slot) = nullptr;
    // A record the loader refused stays in the store while the progress is still the fresh start
    // that replaced it; the save that replaces it first keeps it in a file beside the stores.
    JavaPtr<JArray<signed char>> refused_record;
    JavaPtr<JArray<signed char>> fresh_progress;

    // ---- The quiz's class statics -------------------------------------------------------------

    static inline int32_t current_category = -1;
    static inline int32_t current_subsection = -1;
    static inline bool current_mode_practice = false;
    static inline int32_t want_category_to_be = -1;
    static inline int32_t want_subsection_to_be = -1;
    static inline bool want_practice_mode = false;
    static inline int32_t currently_loaded_category = -1;
    static inline int32_t currently_loaded_subsection = -1;
    static inline int32_t film_id = 0;
    static inline int32_t scroller_buttonClickWidth = 0;
    static inline int32_t scroller_buttonClickHeight = 0;
    static inline int32_t scrolly_menu_yoffset = 0;
    static inline int32_t little_starwidth = 0;
    static inline int32_t practice_menu_back_normal = -1;
    static inline int32_t practice_menu_back_click = -1;
    // Back to the values above; the canvas's statics set-up calls it.
    static void resetQuizStatics();

    // The running main thread, replaced by the UI thread while the loop reads it.
    static JavaPtr<java::lang::Thread> mainThread();

    // ---- Instance fields ---------------------------------------------------------------

    JavaPtr<String> record_store_prefix;
    JavaPtr<JArray<JArray<JArray<signed char>>>> record_store_cache;
    JavaPtr<JArray<JArray<int32_t>>> resource_int_tables;
    JavaPtr<JArray<int32_t>> image_cache_keys;
    JavaPtr<JArray<int32_t>> image_cache_sizes;
    JavaPtr<JArray<JArray<javax::microedition::lcdui::Image>>> image_cache_images;
    JavaPtr<JArray<JArray<signed char>>> image_cache_cells;
    JavaPtr<JArray<bool>> image_cache_flags;
    // The 21 sound channels with their volume and sounds_loaded; the quiz's settings[3] turns sound off.
    SoundChannels sound_channels{[this](int32_t id) { return getResourceByteArray(id); },
                                 [this] { return settings && settings->length > 3 && (*settings)[3]; }, this};
    // Set by AppMidlet right after construction; quit ends the application through it.
    JavaPtr<AppMidlet> midlet;

    // The quiz's fields that construction gives a value.
    int32_t list_selected_item = 0;
    int32_t list_highlight_item = 0;
    bool first_menu_load = false;
    bool test_finished = false;
    JavaPtr<JArray<int32_t>> timer_dots;
    JavaPtr<JArray<int32_t>> segment_wipe;
    JavaPtr<JArray<bool>> settings;
    int32_t recent_questions_pos = 0;
    JavaPtr<JArray<short>> recent_questions;
    bool retina = false;
    JavaPtr<String> image_suffix;
    // The image-id block, at the screen's scale: one id per QuizImage, the 30 ranks' badges (the last
    // rank has none: -1) and the two header icons.
    JavaPtr<JArray<int32_t>> image_ids;
    JavaPtr<JArray<int32_t>> rank_image_ids;
    JavaPtr<JArray<int32_t>> generic_image_ids;
    // Fills the image-id block for retina as it now is.
    virtual void setupImageResource();
    int32_t imageId(QuizImage image) const { return image_ids->data[static_cast<int32_t>(image)]; }

    // The question on screen.
    JavaPtr<JArray<String>> question_record;
    JavaPtr<JArray<String>> question_lines;
    int32_t correct_answer = 1;
    int32_t chosen_answer = -1;
    bool answered_correctly = false;
    JavaPtr<JArray<bool>> ghosted_answers;
    JavaPtr<JArray<JArray<String>>> answer_lines;
    int32_t question_timer_ms = 0;
    bool time_warning_played = false;
    int32_t question_delay = 0;
    bool question_slide_in = false;
    int32_t question_sound_index = 0;
    bool hint_used = false;
    // The question on screen was answered or timed out: it is never saved for resuming again.
    bool question_answered = false;
    // The saved test question that "Continue Test" resumes.
    JavaPtr<JArray<String>> saved_question_record;
    JavaPtr<JArray<String>> saved_question_lines;
    int32_t saved_correct_answer = 1;
    JavaPtr<JArray<JArray<String>>> saved_answer_lines;
    JavaPtr<JArray<bool>> saved_ghosted_answers;
    int32_t saved_film_id = 0;
    // The question on screen was resumed from the record, not picked from the database loaded since.
    bool question_resumed = false;
    // The question sliding out.
    JavaPtr<JArray<String>> prev_question_record;
    JavaPtr<JArray<String>> prev_question_lines;
    int32_t prev_correct_answer = 1;
    JavaPtr<JArray<JArray<String>>> prev_answer_lines;
    JavaPtr<JArray<bool>> prev_ghosted_answers;
    int32_t prev_film_id = 0;
    // Test and practice progress.
    int32_t rank = 0;
    int32_t level_right = 0;
    int32_t level_attempted = 0;
    int32_t test_right_total = 0;
    int32_t test_wrong_total = 0;
    int32_t practice_right_total = 0;
    int32_t practice_wrong_total = 0;
    int32_t practice_right_run = 0;
    int32_t answered_in_run = 0;
    int32_t questions_in_run = 0;
    int32_t hints = 0;
    int32_t skips = 0;
    bool hint_awarded = false;
    bool skip_awarded = false;
    int32_t streak = 0;
    // GAMESTATE_PROMOTED or GAMESTATE_DEMOTED while the level change is on record but its panel
    // has not been left yet; 0 otherwise.
    int32_t level_change_owed = 0;
    // The loaded question database (database_bytes, database_count, question_offsets, ...).
    QuestionDatabase database;
    bool database_loaded = false;
    // Screen control.
    bool fading = false;
    int32_t fade_step = 0;
    int32_t fade_step_ms = 0;
    JavaPtr<JArray<signed char>> fade_mask;
    int32_t fade_target_state = 0;
    // Set by a frame that drew a background segment still hidden by its fade or wiping in.
    bool wipe_unfinished = false;
    // The state of the last frame that showed its screen whole (no fade, nothing wiping in), -1 from
    // the start of a fade: by the next update that frame has been presented.
    std::atomic<int32_t> screen_drawn_whole{-1};
    // Counts the updates that may have changed what the screen shows; the offscreen image was last
    // drawn at layer_drawn_at, -1 when it was made anew and holds nothing yet.
    int32_t layer_changes = 0;
    int32_t layer_drawn_at = -1;
    // Per game state, its fade sequence once read.
    JavaPtr<JArray<JArray<signed char>>> fade_sequences;
    bool finger_down = false;
    int64_t pointer_held_ms = 0;
    int32_t state_time_ms = 0;
    int32_t top_corner = -1;
    int32_t button_flash = 0;
    int64_t next_stars1_sound_ms = 0;
    int64_t next_stars2_sound_ms = 0;
    bool list_selection_drawn = false;
    bool list_touch_down = false;
    bool list_touch_long = false;
    bool list_back_hover = false;
    bool list_back_pressed = false;
    // Font and image handles the quiz's logic measures with.
    int32_t main_font = 0;
    int32_t answer_button_click = -1;
    int32_t answer_button_width = 0;
    int32_t answer_button_height = 0;
    int32_t numbers_font = 0;
    // The frame every screen is drawn into, and what the loading screens show.
    JavaPtr<javax::microedition::lcdui::Image> offscreen_image;
    JavaPtr<Graphics> offscreen_graphics;
    JavaPtr<javax::microedition::lcdui::Image> splash_image;
    JavaPtr<JArray<javax::microedition::lcdui::Image>> loading_frames;
    int32_t loading_frame_counter = 0;
    bool overlay_requested = false;
    JavaPtr<JArray<String>> info_lines;
    // The button menus of the main menu and the confirmation.
    JavaPtr<JArray<int32_t>> menu_button_images;
    JavaPtr<JArray<int32_t>> menu_button_x;
    JavaPtr<JArray<int32_t>> menu_button_y;
    JavaPtr<JArray<String>> menu_button_labels;
    int32_t menu_button_state = 0;
    // The menu-definition engine, which the quiz itself never loads.
    JavaPtr<JArray<JArray<int32_t>>> menu_definitions;
    JavaPtr<JArray<int32_t>> current_menu;
    int32_t current_menu_id = 0;
    int32_t current_menu_item = 0;
    // Image handles of the screens; the sets are indexed by segment or by meaning.
    JavaPtr<JArray<int32_t>> menu_segments;
    JavaPtr<JArray<int32_t>> about_segments;
    JavaPtr<JArray<int32_t>> stats_segments;
    JavaPtr<JArray<int32_t>> confirm_segments;
    JavaPtr<JArray<int32_t>> game_segments;
    JavaPtr<JArray<int32_t>> chooser_segments;
    JavaPtr<JArray<int32_t>> button_images;
    JavaPtr<JArray<int32_t>> small_stars;
    JavaPtr<JArray<int32_t>> big_stars;
    JavaPtr<JArray<int32_t>> rank_badges;
    JavaPtr<JArray<int32_t>> header_icons;
    JavaPtr<JArray<int32_t>> number_icons;
    JavaPtr<JArray<int32_t>> three_boxes;
    int32_t number_flash_icon = -1;
    int32_t one_box_on = -1;
    int32_t one_box_off = -1;
    int32_t wide_button_normal = -1;
    int32_t wide_button_click = -1;
    int32_t answer_button_normal = -1;
    int32_t answer_button_correct = -1;
    int32_t answer_button_wrong = -1;
    int32_t answer_button_ghosted = -1;
    int32_t timer_dot = -1;
    int32_t web_strip = -1;
    int32_t web_back_click = -1;
    int32_t info_panel = -1;
    int32_t icon_about = -1;
    int32_t icon_click_about = -1;
    int32_t stats_box_overlay = -1;
    int32_t promoted_bg = -1;
    int32_t demoted_bg = -1;
    int32_t ranking_button_normal = -1;
    int32_t ranking_button_click = -1;
    int32_t ranking_button_menu_click = -1;
    int32_t complete_bg = -1;
    int32_t complete_bg_practice = -1;
    int32_t units_button_normal = -1;
    int32_t units_button_click = -1;
    // The saved progress was read (or found missing), so saves may replace it.
    std::atomic<bool> progress_loaded{false};
    // The hidden canvas's progress was saved; cleared when it is shown again.
    std::atomic<bool> saved_while_hidden{false};

    // ---- The quiz: the practice lists' scrolling and the tilt input ------------------------

    static inline int32_t msfy = 0;
    static inline int32_t weight_decay = 0;
    static inline bool was_dragging = false;
    static inline bool scroller_static_menus = false;
    static inline int32_t scroller_items_in_menu = 0;
    static inline int32_t scroller_menu_drag_distance = 0;
    // One 33 ms update of the category or subsection list.
    virtual void updatePracticeList();
    // A list entered afresh: at the top, nothing chosen, highlighted or pressed.
    void resetPracticeList();
    // Opens the tilt sensor with the canvas as its listener; without one the canvas has no tilt.
    virtual void prepForSteering();
    // Lets go of the tilt sensor, which holds the canvas as its listener.
    virtual void stopSteering();
    // On the tick thread: keeps the batch's last roll and pitch when it holds both.
    void dataReceived(JavaPtr<javax::microedition::sensor::SensorConnection> connection,
                      JavaPtr<JArray<javax::microedition::sensor::Data>> data, bool isDataLost) override;
    JavaPtr<javax::microedition::sensor::SensorConnection> tilt_connection;

private:
    // Made with the canvas; the image cache's and fonts' arrays are the fields and statics above.
    std::unique_ptr<ImageCache> m_imageCache;
    std::unique_ptr<FrameworkFonts> m_fonts;
    std::unique_ptr<EncodedStrings> m_strings;
    // Publishes the resource handler's tables in the statics, after the map is read.
    void publishResourceTables();

    // Loads the state it was started for, after any earlier loader has finished, and clears the
    // loading flag only while game_state still holds that state.
    void runLoader(int32_t loadingState, uint64_t ticket);
    static uint64_t takeLoaderTicket();
    // Lets the next loader in line run once every earlier one has ended.
    static void endLoaderTurn(uint64_t ticket);
    class GameStateLoader;

    static inline std::mutex s_mainThreadLock;
    static inline JavaPtr<java::lang::Thread> main_thread;
    // Set by stopMainThread, which only an ending canvas calls, until a new loop starts.
    static inline bool main_thread_stopped = false;

    // Loaders run one after another, in the order their states were entered.
    static inline std::mutex s_loaderLock;
    static inline std::condition_variable s_loaderTurnChanged;
    static inline uint64_t s_nextLoaderTicket = 0;
    static inline uint64_t s_loaderTurn = 0;
    static inline std::set<uint64_t> s_endedLoaderTickets;
};
