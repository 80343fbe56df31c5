// Screen switching, serial calls, alerts, tickers and the device queries of the Display.
#include <gtest/gtest.h>

#include <thread>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/chrome/Alert.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/Item.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/lcdui/tests/FakePlatformBridge.h"
#include "runtime/lcdui/tests/RecordingCanvas.h"
#include "runtime/text/String.h"

namespace lcduitest {
namespace {

using javax::microedition::lcdui::Alert;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::lcdui::DisplayableCoreCanvas;
using javax::microedition::lcdui::Form;
using javax::microedition::lcdui::Item;
using javax::microedition::lcdui::Ticker;
using Log = std::vector<std::string>;

class DisplayTest : public DisplayFixture {
protected:
    // Makes the canvas current through a first (immediate) switch and forgets the log so far.
    JavaPtr<RecordingCanvas> showFirst(const std::string& name) {
        auto canvas = RecordingCanvas::make(name, log);
        display->setCurrent(canvas);
        log.take();
        return canvas;
    }

};

TEST_F(DisplayTest, FirstSwitchIsImmediateAndLaterOnesWaitForTheTick) {
    auto a = RecordingCanvas::make("a", log);
    auto b = RecordingCanvas::make("b", log);

    display->setCurrent(a);
    EXPECT_EQ(log.take(), (Log{"show a"}));
    EXPECT_TRUE(display->getCurrent() == a);
    EXPECT_TRUE(a->getGraphics() == master);

    display->setCurrent(b);
    EXPECT_TRUE(log.take().empty());
    EXPECT_TRUE(display->getCurrent() == a);
    EXPECT_EQ(b->getGraphics(), nullptr);

    Display::tickLCDUI(50);
    EXPECT_EQ(log.take(), (Log{"hide a", "show b"}));
    EXPECT_TRUE(display->getCurrent() == b);
    EXPECT_TRUE(b->getGraphics() == master);
    EXPECT_TRUE(a->getGraphics() == master) << "a canvas keeps the master Graphics after it stops being current";

    Display::tickLCDUI(50);
    EXPECT_TRUE(log.take().empty()) << "a plain canvas needs no tick";
}

TEST_F(DisplayTest, OfTwoPendingSwitchesOnlyTheSecondIsShown) {
    auto a = showFirst("a");
    auto b = RecordingCanvas::make("b", log);
    auto c = RecordingCanvas::make("c", log);
    display->setCurrent(b);
    display->setCurrent(c);
    Display::tickLCDUI(50);
    EXPECT_EQ(log.take(), (Log{"hide a", "show c"}));
    EXPECT_TRUE(display->getCurrent() == c);
}

TEST_F(DisplayTest, SwitchingToTheCurrentOrToNullLeavesAPendingSwitchAlone) {
    auto a = showFirst("a");
    auto b = RecordingCanvas::make("b", log);
    display->setCurrent(b);
    display->setCurrent(a);
    display->setCurrent(JavaPtr<Displayable>());
    Display::tickLCDUI(50);
    EXPECT_EQ(log.take(), (Log{"hide a", "show b"}));
}

TEST_F(DisplayTest, ASwitchRequestedDuringNotificationTakesEffectAtTheFollowingTick) {
    auto a = showFirst("a");
    auto b = RecordingCanvas::make("b", log);
    auto c = RecordingCanvas::make("c", log);
    // b asks for c from inside its own showNotify.
    struct AsksOnShow : RecordingCanvas {
        using RecordingCanvas::RecordingCanvas;
        JavaPtr<Displayable> next;
        void showNotify() override {
            RecordingCanvas::showNotify();
            if (next) Display::getDisplay()->setCurrent(std::exchange(next, nullptr));
        }
    };
    JavaPtr<AsksOnShow> asking(new AsksOnShow("asking", log));
    asking->WENDinvokeconstructor();
    asking->next = c;
    display->setCurrent(asking);
    Display::tickLCDUI(50);
    EXPECT_EQ(log.take(), (Log{"hide a", "show asking"}));
    Display::tickLCDUI(50);
    EXPECT_EQ(log.take(), (Log{"hide asking", "show c"}));
}

struct SerialCase {
    const char* name;
    int queued;              // distinct runnables queued before the repaint
    int queuedTwice;         // how many of them are passed a second time
    std::vector<std::string> expectedRuns;
};

class SerialCallTest : public DisplayTest, public ::testing::WithParamInterface<SerialCase> {};

TEST_P(SerialCallTest, RunInSlotOrderAfterTheNextRepaint) {
    const SerialCase& c = GetParam();
    auto canvas = showFirst("canvas");
    std::vector<JavaPtr<CountingRunnable>> runnables;
    for (int i = 0; i < c.queued; ++i) {
        runnables.push_back(JavaPtr<CountingRunnable>(new CountingRunnable("r" + std::to_string(i), log)));
        display->callSerially(runnables.back());
    }
    for (int i = 0; i < c.queuedTwice; ++i) display->callSerially(runnables[i]);
    EXPECT_TRUE(log.take().empty()) << "serial calls wait for a repaint";

    canvas->repaint();
    Log runs;
    for (auto& entry : log.take())
        if (entry.rfind("run ", 0) == 0) runs.push_back(entry.substr(4));
    EXPECT_EQ(runs, c.expectedRuns);

    canvas->repaint();
    for (auto& entry : log.take()) EXPECT_EQ(entry.rfind("run ", 0), std::string::npos) << "ran twice: " << entry;
}

INSTANTIATE_TEST_SUITE_P(Cases, SerialCallTest,
                         ::testing::Values(SerialCase{"one", 1, 0, {"r0"}},
                                           SerialCase{"duplicatesQueuedOnce", 3, 2, {"r0", "r1", "r2"}},
                                           SerialCase{"fifthDropped", 5, 0, {"r0", "r1", "r2", "r3"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DisplayTest, ASerialCallThatQueuesItselfRunsOncePerRepaint) {
    auto canvas = showFirst("canvas");
    JavaPtr<CountingRunnable> self(new CountingRunnable("self", log));
    self->onRun = [this, raw = self.get()] { display->callSerially(JavaPtr<CountingRunnable>(raw)); };
    display->callSerially(self);
    canvas->repaint();
    EXPECT_EQ(self->runs, 1);
    canvas->repaint();
    EXPECT_EQ(self->runs, 2);
}

TEST_F(DisplayTest, ASerialCallQueuedDuringTheDrainRunsThenOnlyIfItsSlotIsStillAhead) {
    auto canvas = showFirst("canvas");
    JavaPtr<CountingRunnable> first(new CountingRunnable("first", log));
    JavaPtr<CountingRunnable> second(new CountingRunnable("second", log));
    JavaPtr<CountingRunnable> intoEmptiedSlot(new CountingRunnable("intoEmptiedSlot", log));
    JavaPtr<CountingRunnable> intoLaterSlot(new CountingRunnable("intoLaterSlot", log));
    first->onRun = [&] {
        display->callSerially(intoEmptiedSlot);
        display->callSerially(intoLaterSlot);
    };
    display->callSerially(first);
    display->callSerially(second);
    canvas->repaint();
    EXPECT_EQ(log.take(), (Log{"setClip 0,0,320,480", "paint canvas", "run first", "run second", "run intoLaterSlot"}));
    canvas->repaint();
    EXPECT_EQ(log.take(), (Log{"setClip 0,0,320,480", "paint canvas", "run intoEmptiedSlot"}));
}

TEST_F(DisplayTest, AlertWithSuccessorRejectsBadArgumentsAndChangesNothing) {
    auto a = showFirst("a");
    Alert::Alert_staticInit();
    JavaPtr<Alert> alert(new Alert());
    alert->WENDinvokeconstructor(nullptr);
    JavaPtr<Alert> otherAlert(new Alert());
    otherAlert->WENDinvokeconstructor(nullptr);
    auto b = RecordingCanvas::make("b", log);

    EXPECT_THROW(display->setCurrent(alert, otherAlert), java::lang::IllegalArgumentException);
    EXPECT_THROW(display->setCurrent(JavaPtr<Alert>(), b), java::lang::NullPointerException);
    EXPECT_THROW(display->setCurrent(alert, JavaPtr<Displayable>()), java::lang::NullPointerException);
    EXPECT_EQ(alert->getNextDisplayable(), nullptr);
    Display::tickLCDUI(50);
    EXPECT_TRUE(display->getCurrent() == a);
    EXPECT_TRUE(log.take().empty());
}

TEST_F(DisplayTest, AFreshAlertReturnsToWhatWasCurrent) {
    Alert::Alert_staticInit();
    JavaPtr<Alert> alert(new Alert());
    alert->WENDinvokeconstructor(nullptr);
    auto a = showFirst("a");
    display->setCurrent(alert);
    EXPECT_TRUE(alert->getNextDisplayable() == a);
    Display::tickLCDUI(50);
    EXPECT_TRUE(display->getCurrent() == alert);
    EXPECT_GE(alert->getShownTime(), 0);
    const Log shown = log.take();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0], "hide a") << "then the alert paints itself";

    alert->advance();
    Display::tickLCDUI(50);
    EXPECT_TRUE(display->getCurrent() == a);
}

TEST_F(DisplayTest, AnAlertWithNothingCurrentIsShownAndItsDismissalLeavesItThere) {
    Alert::Alert_staticInit();
    JavaPtr<Alert> alert(new Alert());
    alert->WENDinvokeconstructor(nullptr);
    display->setCurrent(alert);
    EXPECT_TRUE(display->getCurrent() == alert);
    alert->advance();
    Display::tickLCDUI(50);
    EXPECT_TRUE(display->getCurrent() == alert);
}

TEST_F(DisplayTest, SetCurrentItemNeedsAnItemInAForm) {
    JavaPtr<Item> item(new Item());
    EXPECT_THROW(display->setCurrentItem(JavaPtr<Item>()), java::lang::NullPointerException);
    EXPECT_THROW(display->setCurrentItem(item), java::lang::IllegalStateException);
}

TEST_F(DisplayTest, ADroppedTickerIsReleasedByTheNextTickOfAScreen) {
    auto keptTicker = java::lang::jnew<Ticker>();
    keptTicker->WENDinvokeconstructor(JavaPtr<java::lang::String>(new java::lang::String("kept")));
    {
        auto dropped = java::lang::jnew<Ticker>();
        dropped->WENDinvokeconstructor(JavaPtr<java::lang::String>(new java::lang::String("dropped")));
    }
    const int32_t before = Display::numActiveTickers;
    JavaPtr<Form> form(new Form());
    form->WENDinvokeconstructor(nullptr);
    display->setCurrent(form);
    Display::tickLCDUI(50);
    EXPECT_EQ(Display::numActiveTickers, before - 1);
    EXPECT_EQ(keptTicker->getTotalTickedTimeMS(), 50);
}

class RecordingCoreCanvas : public DisplayableCoreCanvas {
public:
    explicit RecordingCoreCanvas(EventLog& log) : m_log(log) {}
    void paint(const JavaPtr<Graphics>& g) override {
        m_log.add(Display::lcdUITickInProgress ? "paint in tick" : "paint outside tick");
    }
    void requestRepaint() { m_needsRepaint = true; }

private:
    EventLog& m_log;
};

TEST_F(DisplayTest, TheTickRepaintsAScreensChromeCanvasOnlyWhenAskedAndNotDuringAFormEvent) {
    JavaPtr<RecordingCoreCanvas> core(new RecordingCoreCanvas(log));
    core->WENDinvokeconstructor();
    JavaPtr<Form> form(new Form());
    form->WENDinvokeconstructor(nullptr);
    form->setCorrespondingCanvas(core.get());
    display->setCurrent(form);
    EXPECT_TRUE(form->isShown());
    EXPECT_TRUE(core->getGraphics() == master);
    form->setNeedsRelayout(true);

    struct Step {
        const char* name;
        bool requestRepaint;
        int16_t eventInProgress;
        Log expected;
    };
    const Step steps[] = {
        {"laidOutWhenShown", false, 0, {"setClip 0,0,320,480", "paint in tick"}},
        {"nothingAsked", false, 0, {}},
        {"asked", true, 0, {"setClip 0,0,320,480", "paint in tick"}},
        {"flagClearedByTheRepaint", false, 0, {}},
        {"skippedDuringAFormEvent", true, 1, {}},
        {"doneAtTheNextFreeTick", false, 0, {"setClip 0,0,320,480", "paint in tick"}},
    };
    for (const Step& step : steps) {
        if (step.requestRepaint) core->requestRepaint();
        Display::lcdUIEventInProgress = step.eventInProgress;
        Display::tickLCDUI(50);
        EXPECT_EQ(log.take(), step.expected) << step.name;
        EXPECT_FALSE(Display::lcdUITickInProgress) << step.name;
    }
    EXPECT_FALSE(form->needsRelayout());
}

TEST_F(DisplayTest, DeviceQueries) {
    EXPECT_EQ(display->getBestImageWidth(Display::ALERT), 320);
    EXPECT_EQ(display->getBestImageHeight(Display::ALERT), 320);
    for (int32_t type : {Display::LIST_ELEMENT, Display::CHOICE_GROUP_ELEMENT}) {
        EXPECT_EQ(display->getBestImageWidth(type), 12);
        EXPECT_EQ(display->getBestImageHeight(type), 12);
    }
    EXPECT_THROW(display->getBestImageWidth(0), java::lang::IllegalArgumentException);
    EXPECT_THROW(display->getBestImageHeight(4), java::lang::IllegalArgumentException);
    const int32_t colours[] = {0xCCCCCC, 0x000000, 0x0000CC, 0xFFFFFF, 0x666666, 0x0000FF, 0};
    for (int32_t specifier = 0; specifier <= 6; ++specifier)
        EXPECT_EQ(display->getColor(specifier), colours[specifier]) << specifier;
    EXPECT_EQ(display->getBorderStyle(true), Graphics::SOLID);
    EXPECT_EQ(display->getBorderStyle(false), Graphics::DOTTED);

    const int before = vibrations;
    EXPECT_TRUE(display->vibrate(0));
    EXPECT_EQ(vibrations, before);
    EXPECT_TRUE(display->vibrate(-5));
    EXPECT_EQ(vibrations, before + 1);
}

// The current and pending statics are written by the requesting thread and read by the tick thread.
TEST_F(DisplayTest, SwitchesRequestedOnOneThreadAndCarriedOutOnAnotherStayPaired) {
    auto a = showFirst("a");
    auto b = RecordingCanvas::make("b", log);
    std::atomic<bool> requesting{true};
    std::thread ticker([&] {
        while (requesting) {
            Display::tickLCDUI(50);
            (void)a->isShown();
        }
    });
    for (int i = 0; i < 2000; ++i) display->setCurrent(i % 2 ? a : b);
    requesting = false;
    ticker.join();
    Display::tickLCDUI(50);

    EXPECT_FALSE(Display::setCurrentRequested);
    auto current = display->getCurrent();
    ASSERT_TRUE(current == a || current == b);
    EXPECT_NE(a->isShown(), b->isShown());
    EXPECT_TRUE((current == a ? a : b)->isShown());
    // Every switch hid what the one before had shown.
    std::string shown = "a";
    const Log entries = log.take();
    ASSERT_EQ(entries.size() % 2, 0u);
    for (size_t i = 0; i < entries.size(); i += 2) {
        EXPECT_EQ(entries[i], "hide " + shown);
        shown = entries[i + 1].substr(5);
        EXPECT_EQ(entries[i + 1].substr(0, 5), "show ");
    }
    EXPECT_EQ(shown, current == a ? "a" : "b");
}

TEST_F(DisplayTest, SerialCallsQueuedFromManyThreadsEachRunOnce) {
    auto canvas = showFirst("canvas");
    std::vector<JavaPtr<CountingRunnable>> runnables;
    for (int i = 0; i < 4; ++i) runnables.push_back(JavaPtr<CountingRunnable>(new CountingRunnable("r", log)));
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&, i] { display->callSerially(runnables[i]); });
    for (int i = 0; i < 50; ++i) canvas->repaint();
    for (auto& thread : threads) thread.join();
    canvas->repaint();
    for (auto& runnable : runnables) EXPECT_EQ(runnable->runs, 1);
}

}  // namespace
}  // namespace lcduitest
