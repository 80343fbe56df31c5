#include "runtime/lcdui/Display.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "runtime/lang/BuildConstants.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/Runnable.h"
#include "runtime/lang/Thread.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/DisplayThreadedPaint.h"
#include "runtime/lcdui/Displayable.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/PlatformBridge.h"
#include "runtime/lcdui/chrome/Alert.h"
#include "runtime/lcdui/chrome/AlertType.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/Item.h"
#include "runtime/lcdui/forms/List.h"
#include "runtime/lcdui/forms/Screen.h"
#include "runtime/lcdui/forms/Ticker.h"

namespace javax::microedition::lcdui {

using java::lang::Runnable;

JavaPtr<Display> Display::getDisplay(const JavaPtr<midlet::MIDlet>&) {
    bool created = false;
    JavaPtr<Display> display;
    {
        std::lock_guard guard(s_lock);
        if (!myDisplay) {
            myDisplay = java::lang::jnew<Display>();
            myDisplay->WENDinvokeconstructor();
            created = true;
        }
        display = myDisplay;
    }
    if (created) LCDUI_initCanvasCore();
    return display;
}

JavaPtr<Displayable> Display::currentDisplayable() {
    std::lock_guard guard(s_lock);
    return myDisplayable;
}

JavaPtr<Canvas> Display::currentCanvas() {
    std::lock_guard guard(s_lock);
    return myDisplayableCanvas;
}

JavaPtr<Graphics> Display::getMasterGraphics() {
    std::lock_guard guard(s_lock);
    return masterGraphics;
}

void Display::setMasterGraphics(const JavaPtr<Graphics>& graphics) {
    std::lock_guard guard(s_lock);
    masterGraphics = graphics;
}

JavaPtr<Displayable> Display::getCurrent() { return currentDisplayable(); }

void Display::setCurrent(const JavaPtr<Displayable>& displayable) {
    if (!displayable || displayable == currentDisplayable()) return;
    LCDUI_setCurrentDisplayable(JavaPtr<Display>(this), displayable);
}

void Display::setCurrentLCDUI(const JavaPtr<Displayable>& displayable) {
    if (auto alert = recastObj<Alert>(displayable); alert && !alert->getNextDisplayable()) {
        // The alert returns to whatever is current; with nothing current it is shown all the same,
        // and its dismissal leaves it there.
        if (JavaPtr<Displayable> current = getCurrent()) {
            setCurrent(alert, current);
            return;
        }
    }
    JavaPtr<Canvas> canvas = displayable->getCorrespondingCanvas();
    bool nothingShown = false;
    {
        std::lock_guard guard(s_lock);
        myNextDisplayable = displayable;
        myNextDisplayableCanvas = canvas;
        nothingShown = !myDisplayable;
        if (!nothingShown) setCurrentRequested = true;
    }
    if (nothingShown) fulfilSetCurrentRequest();
}

void Display::setCurrent(const JavaPtr<Alert>& alert, const JavaPtr<Displayable>& next) {
    if (instanceofObj(next, Alert::typeID)) throw java::lang::IllegalArgumentException();
    if (!alert || !next) throw java::lang::NullPointerException();
    alert->setNextDisplayable(next);
    setCurrent(JavaPtr<Displayable>(alert));
}

void Display::setCurrentItem(const JavaPtr<Item>& item) {
    if (!item) throw java::lang::NullPointerException();
    JavaPtr<Form> form = item->getContainingForm();
    if (!form || instanceofObj(form, Alert::typeID)) throw java::lang::IllegalStateException();
    setCurrent(JavaPtr<Displayable>(form));
    form->m_highlightItem(form->m_indexForItem(item), 0);
}

void Display::setCurrentNonLCDUI(const JavaPtr<Displayable>& displayable) {
    JavaPtr<Canvas> canvas = recastObj<Canvas>(displayable);
    JavaPtr<Graphics> graphics;
    {
        std::lock_guard guard(s_lock);
        myDisplayable = displayable;
        myDisplayableCanvas = canvas;
        graphics = masterGraphics;
    }
    if (canvas) canvas->setGraphicsField(graphics);
}

void Display::fulfilSetCurrentRequest() {
    JavaPtr<Canvas> oldCanvas;
    {
        std::lock_guard guard(s_lock);
        if (!myNextDisplayable) return;
        oldCanvas = myDisplayableCanvas;
    }
    // Notifications run without the lock: they are application code and may call setCurrent.
    if (oldCanvas) oldCanvas->hideNotify();
    JavaPtr<Displayable> shown;
    JavaPtr<Canvas> shownCanvas;
    JavaPtr<Graphics> graphics;
    JavaPtr<Displayable> replaced;
    JavaPtr<Canvas> replacedCanvas;
    {
        std::lock_guard guard(s_lock);
        setCurrentRequested = false;
        // Cleared during hideNotify (a tidy-up): there is nothing to show.
        if (!myNextDisplayable) return;
        // The latest request wins, even one made during hideNotify; one made from here on waits
        // for the next tick instead of being wiped by this switch. The replaced ones are released
        // after the lock, since their destructors may be application code.
        replaced = std::exchange(myDisplayable, std::move(myNextDisplayable));
        replacedCanvas = std::exchange(myDisplayableCanvas, std::move(myNextDisplayableCanvas));
        shown = myDisplayable;
        shownCanvas = myDisplayableCanvas;
        graphics = masterGraphics;
    }
    if (shownCanvas) {
        shownCanvas->setGraphicsField(graphics);
        shownCanvas->showNotify();
    }
    if (auto alert = recastObj<Alert>(shown)) alert->showNotify();
    Form::tidyUp();
    needToTickLCDUI = shown && (shown->getTicker() || instanceofObj(shown, Screen::typeID));
}

void Display::addTicker(const JavaPtr<Ticker>& ticker) {
    if (!ticker) return;
    std::lock_guard guard(s_lock);
    if (!tickers) tickers = JavaPtr<JArray<Ticker>>(new JArray<Ticker>(1));
    for (int32_t i = 0; i < tickers->length; ++i)
        if ((*tickers)[i] == ticker) return;
    for (int32_t i = 0; i < tickers->length; ++i) {
        if (!(*tickers)[i]) {
            (*tickers)[i] = ticker;
            ++numActiveTickers;
            return;
        }
    }
    const int32_t before = tickers->length;
    tickers->append(ticker);
    if (tickers->length != before) ++numActiveTickers;
}

void Display::tickLCDUI(int64_t ms) {
    if (!needToTickLCDUI && !setCurrentRequested) return;
    if (lcdUIEventInProgress != 0) return;
    // The one LCDUI lock: input that meets it busy waits in the chrome's buffer for the replay below.
    std::lock_guard lcdui(Canvas::paintLock());
    if (lcdUIEventInProgress != 0) return;
    if (lcdUITickInProgress.exchange(true)) return;
    // Cleared however the pass ends, or the chrome would buffer input for ever.
    struct TickEnd {
        ~TickEnd() { lcdUITickInProgress = false; }
    } tickEnd;
    if (setCurrentRequested) fulfilSetCurrentRequest();

    if (numActiveTickers > 0) {
        std::vector<JavaPtr<Ticker>> live;
        {
            std::lock_guard guard(s_lock);
            for (int32_t i = 0; tickers && i < tickers->length; ++i) {
                JavaPtr<Ticker>& slot = (*tickers)[i];
                if (!slot) continue;
                if (slot.smart()->referenceCount() == 1) {
                    slot = nullptr;
                    --numActiveTickers;
                } else {
                    live.push_back(slot);
                }
            }
        }
        for (auto& ticker : live) ticker->tick(ms);
    }

    // Each stage reports its own failure, so that a paint that throws every time cannot hold the
    // buffered input back for ever.
    if (auto screen = recastObj<Screen>(currentDisplayable())) {
        java::lang::runGuarded([&] {
            if (screen->needsRelayout()) {
                screen->relayout();
                screen->setNeedsRelayout(false);
            }
            screen->tick(ms);
        });
    }
    if (auto core = recastObj<DisplayableCoreCanvas>(currentCanvas())) {
        java::lang::runGuarded([&] {
            if (core->needsRepaint() || numActiveTickers >= 1) core->repaint();
        });
        java::lang::runGuarded([&] { core->replayBufferedEvents(); });
    }
}

void Display::initCanvasCore() { DisplayableCoreCanvas::init(); }

void Display::callSerially(const JavaPtr<Runnable>& runnable) {
    std::lock_guard guard(s_lock);
    if (!seriallyCalls) {
        seriallyCalls = JavaPtr<JArray<Runnable>>(new JArray<Runnable>(buildconstants::CALL_SERIALLY_STACK_SIZE));
        (*seriallyCalls)[0] = runnable;
        return;
    }
    for (int32_t i = 0; i < seriallyCalls->length; ++i)
        if ((*seriallyCalls)[i] == runnable) return;
    for (int32_t i = 0; i < seriallyCalls->length; ++i) {
        if (!(*seriallyCalls)[i]) {
            (*seriallyCalls)[i] = runnable;
            return;
        }
    }
    // A full table drops the call.
}

void Display::runSeriallyCalls() {
    for (int32_t i = 0; i < buildconstants::CALL_SERIALLY_STACK_SIZE; ++i) {
        JavaPtr<Runnable> runnable;
        {
            std::lock_guard guard(s_lock);
            if (!seriallyCalls) return;
            runnable = std::move((*seriallyCalls)[i]);
            (*seriallyCalls)[i] = nullptr;
        }
        if (runnable) runnable->run();
    }
}

int32_t Display::getColor(int32_t colorSpecifier) {
    switch (colorSpecifier) {
        case COLOR_BACKGROUND: return buildconstants::LCDUI_COLOR_BACKGROUND;
        case COLOR_FOREGROUND: return buildconstants::LCDUI_COLOR_FOREGROUND;
        case COLOR_HIGHLIGHTED_BACKGROUND: return buildconstants::LCDUI_COLOR_HIGHLIGHTED_BACKGROUND;
        case COLOR_HIGHLIGHTED_FOREGROUND: return buildconstants::LCDUI_COLOR_HIGHLIGHTED_FOREGROUND;
        case COLOR_BORDER: return buildconstants::LCDUI_COLOR_BORDER;
        case COLOR_HIGHLIGHTED_BORDER: return buildconstants::LCDUI_COLOR_HIGHLIGHTED_BORDER;
        default: return 0;
    }
}

int32_t Display::getBorderStyle(bool highlighted) { return highlighted ? Graphics::SOLID : Graphics::DOTTED; }

int32_t Display::getBestImageWidth(int32_t imageType) {
    if (imageType == LIST_ELEMENT || imageType == CHOICE_GROUP_ELEMENT) return 12;
    if (imageType == ALERT) return screenWidth;
    throw java::lang::IllegalArgumentException();
}

int32_t Display::getBestImageHeight(int32_t imageType) {
    if (imageType == LIST_ELEMENT || imageType == CHOICE_GROUP_ELEMENT) return 12;
    if (imageType == ALERT) return screenHeight * 2 / 3;
    throw java::lang::IllegalArgumentException();
}

bool Display::vibrate(int32_t duration) {
    if (duration != 0) vibrateDevice();
    return true;
}

void Display::threadedRepaintSetup() {
    if (buildconstants::USES_THREADED_REPAINT) startThreadedRepaint();
}

void Display::threadedRepaintTidyUp() {
    if (buildconstants::USES_THREADED_REPAINT) stopThreadedRepaint();
}

void Display::startThreadedRepaint() {
    JavaPtr<java::lang::Thread> thread;
    {
        std::lock_guard guard(s_lock);
        if (threadedRepaintThread) return;
        if (!threadedRepaintRunnable) threadedRepaintRunnable = java::lang::jnew<DisplayThreadedPaint>();
        if (!repaintCanvasPtrs)
            repaintCanvasPtrs = JavaPtr<JArray<Canvas>>(new JArray<Canvas>(buildconstants::CANVAS_REPAINT_TOTAL));
        threadedRepaintThread = java::lang::jnew<java::lang::Thread>();
        threadedRepaintThread->WENDinvokeconstructor(threadedRepaintRunnable);
        thread = threadedRepaintThread;
    }
    thread->start();
}

void Display::stopThreadedRepaint() {
    JavaPtr<DisplayThreadedPaint> runnable;
    JavaPtr<java::lang::Thread> thread;
    JavaPtr<JArray<Canvas>> waiting;
    {
        std::lock_guard guard(s_lock);
        runnable = std::move(threadedRepaintRunnable);
        thread = std::move(threadedRepaintThread);
        waiting = std::move(repaintCanvasPtrs);
        if (runnable) runnable->stop = true;
    }
    s_repaintChanged.notify_all();
    // Waited for, so that no paint or serial call outlives the statics it uses.
    if (thread && (!runnable || runnable->paintingThread.load() != std::this_thread::get_id())) thread->join();
}

bool Display::queueThreadedRepaint(Canvas* canvas) {
    {
        std::lock_guard guard(s_lock);
        if (!repaintCanvasPtrs || !canvas) return false;
        const int32_t slots = std::min(repaintCanvasPtrs->length, buildconstants::CANVAS_REPAINT_TOTAL);
        int32_t freeSlot = -1;
        for (int32_t i = 0; i < slots; ++i) {
            const JavaPtr<Canvas>& queued = (*repaintCanvasPtrs)[i];
            if (queued.get() == canvas) return false;
            if (!queued && freeSlot < 0) freeSlot = i;
        }
        if (freeSlot < 0) return false;
        (*repaintCanvasPtrs)[freeSlot] = JavaPtr<Canvas>(canvas);
    }
    s_repaintChanged.notify_all();
    return true;
}

JavaPtr<Canvas> Display::takeThreadedRepaint(const DisplayThreadedPaint& painter) {
    std::unique_lock guard(s_lock);
    for (;;) {
        if (painter.stop || midletQuitInvoked()) return nullptr;
        const int32_t slots =
            repaintCanvasPtrs ? std::min(repaintCanvasPtrs->length, buildconstants::CANVAS_REPAINT_TOTAL) : 0;
        for (int32_t i = 0; i < slots; ++i) {
            JavaPtr<Canvas>& queued = (*repaintCanvasPtrs)[i];
            if (!queued) continue;
            Canvas::midRepaintThreaded = true;
            return std::exchange(queued, nullptr);
        }
        // The quit flag comes without a notification, so look again now and then.
        s_repaintChanged.wait_for(guard, std::chrono::milliseconds(50));
    }
}

void Display::threadedRepaintDone() {
    {
        std::lock_guard guard(s_lock);
        Canvas::midRepaintThreaded = false;
    }
    s_repaintChanged.notify_all();
}

void Display::waitForThreadedRepaints() {
    std::unique_lock guard(s_lock);
    for (;;) {
        // Without a repaint thread nothing would ever empty the table.
        if (!threadedRepaintRunnable || threadedRepaintRunnable->stop || midletQuitInvoked()) return;
        if (threadedRepaintRunnable->paintingThread.load() == std::this_thread::get_id()) return;
        bool waiting = Canvas::midRepaintThreaded;
        const int32_t slots =
            repaintCanvasPtrs ? std::min(repaintCanvasPtrs->length, buildconstants::CANVAS_REPAINT_TOTAL) : 0;
        for (int32_t i = 0; i < slots; ++i) waiting = waiting || (*repaintCanvasPtrs)[i];
        if (!waiting) return;
        s_repaintChanged.wait_for(guard, std::chrono::milliseconds(50));
    }
}

bool Display::hasSeriallyCalls() {
    std::lock_guard guard(s_lock);
    for (int32_t i = 0; seriallyCalls && i < seriallyCalls->length; ++i)
        if ((*seriallyCalls)[i]) return true;
    return false;
}

void Display::tidyUp() {
    stopThreadedRepaint();
    JavaPtr<Displayable> displayable;
    JavaPtr<Canvas> canvas;
    JavaPtr<Display> display;
    JavaPtr<Graphics> graphics;
    JavaPtr<JArray<Runnable>> calls;
    {
        // Moved out so that destructors run without the lock.
        std::lock_guard guard(s_lock);
        displayable = std::move(myDisplayable);
        canvas = std::move(myDisplayableCanvas);
        display = std::move(myDisplay);
        graphics = std::move(masterGraphics);
        calls = std::move(seriallyCalls);
    }
    displayable = nullptr;
    canvas = nullptr;
    display = nullptr;
    graphics = nullptr;
    calls = nullptr;
    LCDUI_tidyUpLCDUI();
}

void Display::tidyUpLCDUI() {
    needToTickLCDUI = false;
    setCurrentRequested = false;
    JavaPtr<Displayable> next;
    JavaPtr<Canvas> nextCanvas;
    JavaPtr<JArray<Ticker>> oldTickers;
    {
        std::lock_guard guard(s_lock);
        next = std::move(myNextDisplayable);
        nextCanvas = std::move(myNextDisplayableCanvas);
        oldTickers = std::move(tickers);
    }
    next = nullptr;
    nextCanvas = nullptr;
    oldTickers = nullptr;
    Form::tidyUp();
    List::List_staticDestroy();
    AlertType::AlertType_staticDestroy();
    Alert::Alert_staticDestroy();
    TouchScreenAreaManager::destroy();
}

void Display::Display_staticDestroy() {
    JavaPtr<JArray<Ticker>> oldTickers;
    JavaPtr<JArray<Runnable>> calls;
    {
        std::lock_guard guard(s_lock);
        oldTickers = std::move(tickers);
        calls = std::move(seriallyCalls);
    }
    stopThreadedRepaint();
}

void LCDUI_setCurrentDisplayable(const JavaPtr<Display>& display, const JavaPtr<Displayable>& displayable) {
    display->setCurrentLCDUI(displayable);
}

void LCDUI_DisplayAddTicker(const JavaPtr<Ticker>& ticker) { Display::addTicker(ticker); }
void LCDUI_tickLCDUI(int64_t ms) { Display::tickLCDUI(ms); }
void LCDUI_initCanvasCore() { Display::initCanvasCore(); }
void LCDUI_tidyUpLCDUI() { Display::tidyUpLCDUI(); }

void LCDUI_staticInit() {
    AlertType::AlertType_staticInit();
    Alert::Alert_staticInit();
    List::List_staticInit();
}

}  // namespace javax::microedition::lcdui
