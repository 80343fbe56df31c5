// Gauges: value limits, boxes and fill, the running animation on the fake clock, and user input by
// key and touch only on gauges the user may change.
#include <functional>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/forms/Gauge.h"
#include "runtime/lcdui/forms/ItemStateListener.h"
#include "runtime/lcdui/tests/FormFixture.h"

namespace formtest {
namespace {

JavaPtr<Gauge> gauge(bool interactive, int32_t maxValue, int32_t value) {
    auto made = jnew<Gauge>();
    made->WENDinvokeconstructor(str("G"), interactive, maxValue, value);
    return made;
}

class Changes : public ItemStateListener {
    JAVA_CLASS(Changes, "formtest.Changes", ItemStateListener)
public:
    void itemStateChanged(const JavaPtr<Item>&) override { ++count; }
    int32_t count = 0;
};

class GaugeTest : public FormFixture {
protected:
    // Shows the gauge alone in the form and answers where its boxes start on the screen.
    std::pair<int32_t, int32_t> showAlone(const JavaPtr<Gauge>& g) {
        form->append(JavaPtr<Item>(g));
        form->setItemStateListener(JavaPtr<ItemStateListener>(changes));
        show();
        const int32_t w = g->m_contentWidth;
        const int32_t boxes = std::min((w - 20) / 10, g->getMaxValue());
        const int32_t x0 = (w - 20 - 10 * boxes) / 2;
        return {g->m_x + g->m_contentX + x0, g->m_y + g->m_contentY};
    }
    JavaPtr<Changes> changes = JavaPtr<Changes>(new Changes());
};

TEST_F(GaugeTest, ValuesAreLimitedOnlyWhereTheKindOfGaugeSaysSo) {
    const struct {
        bool interactive;
        int32_t maxValue, value;
        const char* outcome;
    } cases[] = {
        {true, 10, 12, "10"}, {true, 10, -3, "0"}, {false, 10, 15, "15"}, {false, -1, 3, "3"},
        {false, -1, 4, "refused"}, {false, -1, -1, "refused"},
    };
    for (const auto& c : cases) {
        JavaPtr<Gauge> made = gauge(c.interactive, c.maxValue, 0);
        std::string outcome;
        try {
            made->setValue(c.value);
            outcome = std::to_string(made->getValue());
        } catch (const java::lang::IllegalArgumentException&) {
            outcome = "refused";
        }
        EXPECT_EQ(outcome, c.outcome) << c.interactive << " " << c.maxValue << " " << c.value;
    }
    EXPECT_THROW(gauge(true, 10, 5)->setMaxValue(-1), java::lang::IllegalArgumentException);
    JavaPtr<Gauge> idle = gauge(false, 10, 5);
    idle->setMaxValue(Gauge::INDEFINITE);
    EXPECT_EQ(idle->getMaxValue(), Gauge::INDEFINITE);
    EXPECT_EQ(idle->getValue(), Gauge::CONTINUOUS_IDLE);
}

TEST_F(GaugeTest, TheWidthDecidesTheBoxesAndTheValueHowManyAreFilled) {
    const struct {
        int32_t width, maxValue, value, boxes, filled;
    } cases[] = {{140, 100, 0, 12, 0}, {60, 100, 0, 5, 0}, {60, 10, 5, 5, 2}, {140, 10, 15, 10, 10}};
    for (const auto& c : cases) {
        JavaPtr<Gauge> made = gauge(c.value <= c.maxValue, c.maxValue, c.value);
        log.take();
        made->paint(master, c.width, 8);
        const auto calls = lcduitest::callsNamed(log.take(), {"drawRect", "fillRect"});
        const auto filled = std::count_if(calls.begin(), calls.end(), [](auto& e) { return e.rfind("fill", 0) == 0; });
        EXPECT_EQ(static_cast<int32_t>(calls.size()), c.boxes) << c.width << " wide, maximum " << c.maxValue;
        EXPECT_EQ(filled, c.filled) << c.value << " of " << c.maxValue;
    }
}

TEST_F(GaugeTest, ARunningIndicatorStepsAboutEvery350MsOfFiftyMsTicksAndStopsWhenIdle) {
    JavaPtr<Gauge> running = gauge(false, Gauge::INDEFINITE, Gauge::CONTINUOUS_RUNNING);
    std::vector<int64_t> steps;
    for (int i = 1; i <= 40; ++i) {
        formMillis += 50;
        const int32_t before = running->animationFrame();
        running->tick(50);
        if (running->animationFrame() != before) steps.push_back(formMillis.load());
    }
    ASSERT_GE(steps.size(), 2u);
    for (size_t i = 1; i < steps.size(); ++i) EXPECT_EQ(steps[i] - steps[i - 1], 350);
    running->setValue(Gauge::CONTINUOUS_IDLE);
    const int32_t frame = running->animationFrame();
    formMillis += 1000;
    running->tick(50);
    EXPECT_EQ(running->animationFrame(), frame);
    running->setValue(Gauge::INCREMENTAL_UPDATING);
    EXPECT_EQ(running->animationFrame(), (frame + 1) % Gauge::FRAMES) << "each update moves the ball";
}

TEST_F(GaugeTest, TouchingTheThirdBoxSetsThreeAndTellsTheListener) {
    JavaPtr<Gauge> made = gauge(true, 100, 0);
    const auto [x, y] = showAlone(made);
    tap(x + 10 + 2 * 10 + 4, y + 4);
    EXPECT_EQ(made->getValue(), 3);
    EXPECT_EQ(changes->count, 1);
}

TEST_F(GaugeTest, AGaugeTheUserMayNotChangeIgnoresKeysAndTouches) {
    JavaPtr<Gauge> made = gauge(false, 10, 5);
    const auto [x, y] = showAlone(made);
    EXPECT_FALSE(made->traverse(Canvas::RIGHT, 100, 100, nullptr)) << "the form may move on";
    tap(x + 10 + 8 * 10 + 4, y + 4);
    tap(x + 4, y + 4);
    EXPECT_EQ(made->getValue(), 5);
    EXPECT_EQ(changes->count, 0);
}

TEST_F(GaugeTest, AnArrowAnswersTouchesExactlyWhileItIsDrawn) {
    JavaPtr<Gauge> made = gauge(true, 10, 0);
    const auto [x, y] = showAlone(made);
    tap(x + 4, y + 4);
    EXPECT_EQ(made->getValue(), 0) << "no left arrow at 0";
    made->setValue(5);
    made->repaint();
    tick();
    tap(x + 4, y + 4);
    EXPECT_EQ(made->getValue(), 4);
    made->setValue(0);
    made->repaint();
    tick();
    made->setValue(1);
    tap(x + 4, y + 4);
    EXPECT_EQ(made->getValue(), 1) << "the arrow was gone when last painted";
}

}  // namespace
}  // namespace formtest
