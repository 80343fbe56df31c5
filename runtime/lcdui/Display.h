// The single screen manager: the current displayable and the canvas that draws it, deferred screen
// switches, the master Graphics, serial calls, tickers and the per-pass tick of the screens.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::lang {
class Runnable;
class Thread;
}
namespace javax::microedition::midlet { class MIDlet; }

namespace javax::microedition::lcdui {

class Alert;
class Canvas;
class Displayable;
class DisplayThreadedPaint;
class Graphics;
class Item;
class Ticker;

class Display : public java::lang::Object {
    JAVA_CLASS(Display, "javax.microedition.lcdui.Display", java::lang::Object)
public:
    static constexpr int32_t LIST_ELEMENT = 1;
    static constexpr int32_t CHOICE_GROUP_ELEMENT = 2;
    static constexpr int32_t ALERT = 3;
    static constexpr int32_t COLOR_BACKGROUND = 0;
    static constexpr int32_t COLOR_FOREGROUND = 1;
    static constexpr int32_t COLOR_HIGHLIGHTED_BACKGROUND = 2;
    static constexpr int32_t COLOR_HIGHLIGHTED_FOREGROUND = 3;
    static constexpr int32_t COLOR_BORDER = 4;
    static constexpr int32_t COLOR_HIGHLIGHTED_BORDER = 5;

    // Screen size in pixels; written by the UI thread on start-up and size changes, read by painters.
    static inline std::atomic<int32_t> screenWidth{0};
    static inline std::atomic<int32_t> screenHeight{0};
    static inline std::atomic<bool> setCurrentRequested{false};
    static inline std::atomic<bool> needToTickLCDUI{false};
    static inline std::atomic<int32_t> numActiveTickers{0};
    // The chrome canvas buffers input while a tick runs; the tick skips its pass while a form handles input.
    static inline std::atomic<bool> lcdUITickInProgress{false};
    static inline std::atomic<int16_t> lcdUIEventInProgress{0};

    static JavaPtr<Display> getDisplay(const JavaPtr<midlet::MIDlet>& midlet = nullptr);

    // The displayable and canvas statics are replaced on one thread and read on another: these copy
    // them out under the Display's lock.
    static JavaPtr<Displayable> currentDisplayable();
    static JavaPtr<Canvas> currentCanvas();
    static JavaPtr<Graphics> getMasterGraphics();
    // The launcher's screen context, handed to every canvas that becomes current.
    static void setMasterGraphics(const JavaPtr<Graphics>& graphics);

    static void addTicker(const JavaPtr<Ticker>& ticker);
    static void fulfilSetCurrentRequest();
    static void tickLCDUI(int64_t ms);
    static void initCanvasCore();
    // Runs the queued serial calls in slot order; each slot is emptied before its runnable runs.
    static void runSeriallyCalls();
    static void tidyUp();
    static void tidyUpLCDUI();
    static void Display_staticDestroy();

    // The repaint thread, only with the threaded-repaint switch set; the tidy-up waits for it to end.
    static void threadedRepaintSetup();
    static void threadedRepaintTidyUp();
    // Starts the repaint thread whatever the switch says, so that the path can be tested directly.
    static void startThreadedRepaint();
    static void stopThreadedRepaint();
    // Queues the canvas for the repaint thread; false when it is already queued or every slot is full.
    static bool queueThreadedRepaint(Canvas* canvas);
    // Blocks the repaint thread until a canvas is queued or it is told to stop; null when stopping.
    static JavaPtr<Canvas> takeThreadedRepaint(const DisplayThreadedPaint& painter);
    static void threadedRepaintDone();
    // Returns once no canvas waits for the repaint thread and none is being painted.
    static void waitForThreadedRepaints();
    static bool hasSeriallyCalls();

    virtual void callSerially(const JavaPtr<java::lang::Runnable>& runnable);
    virtual bool flashBacklight(int32_t duration) { return false; }
    virtual int32_t getBestImageHeight(int32_t imageType);
    virtual int32_t getBestImageWidth(int32_t imageType);
    virtual int32_t getBorderStyle(bool highlighted);
    virtual int32_t getColor(int32_t colorSpecifier);
    virtual JavaPtr<Displayable> getCurrent();
    virtual bool isColor() { return true; }
    virtual int32_t numAlphaLevels() { return 256; }
    virtual int32_t numColors() { return 16777216; }
    virtual void setCurrent(const JavaPtr<Alert>& alert, const JavaPtr<Displayable>& next);
    virtual void setCurrent(const JavaPtr<Displayable>& displayable);
    virtual void setCurrentItem(const JavaPtr<Item>& item);
    virtual bool vibrate(int32_t duration);
    virtual void setCurrentLCDUI(const JavaPtr<Displayable>& displayable);
    virtual void setCurrentNonLCDUI(const JavaPtr<Displayable>& displayable);

private:
    // Guards every counted-reference static below; never held while application code runs.
    static inline std::mutex s_lock;
    static inline JavaPtr<Display> myDisplay;
    static inline JavaPtr<Displayable> myDisplayable;
    static inline JavaPtr<Canvas> myDisplayableCanvas;
    static inline JavaPtr<Displayable> myNextDisplayable;
    static inline JavaPtr<Canvas> myNextDisplayableCanvas;
    static inline JavaPtr<Graphics> masterGraphics;
    static inline JavaPtr<JArray<Ticker>> tickers;
    static inline JavaPtr<JArray<java::lang::Runnable>> seriallyCalls;
    static inline JavaPtr<JArray<Canvas>> repaintCanvasPtrs;
    static inline JavaPtr<DisplayThreadedPaint> threadedRepaintRunnable;
    static inline JavaPtr<java::lang::Thread> threadedRepaintThread;
    // Wakes the repaint thread when a canvas is queued or it must stop, and the waiters of
    // serviceRepaints when a threaded paint ends; used with s_lock.
    static inline std::condition_variable s_repaintChanged;
};

void LCDUI_setCurrentDisplayable(const JavaPtr<Display>& display, const JavaPtr<Displayable>& displayable);
void LCDUI_DisplayAddTicker(const JavaPtr<Ticker>& ticker);
void LCDUI_tickLCDUI(int64_t ms);
void LCDUI_initCanvasCore();
void LCDUI_tidyUpLCDUI();
void LCDUI_staticInit();

}  // namespace javax::microedition::lcdui
