// Alerts: the timeout on the fake clock, dismissal, commands that make an alert wait, the
// indicator's rules, and content that needs scrolling.
#include <functional>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/chrome/Alert.h"
#include "runtime/lcdui/chrome/CommandListener.h"
#include "runtime/lcdui/forms/Gauge.h"
#include "runtime/lcdui/tests/FormFixture.h"

namespace formtest {
namespace {

class Fired : public CommandListener {
    JAVA_CLASS(Fired, "formtest.Fired", CommandListener)
public:
    void commandAction(const JavaPtr<Command>& command, const JavaPtr<Displayable>&) override {
        events.push_back(std::string(command->getLabel()->val()) + " at " + std::to_string(formMillis.load()));
    }
    std::vector<std::string> events;
};

JavaPtr<Gauge> indicator(bool interactive = false, const char* label = nullptr) {
    auto made = jnew<Gauge>();
    made->WENDinvokeconstructor(str(label), interactive, interactive ? 10 : Gauge::INDEFINITE, 0);
    return made;
}

std::string longText() {
    std::string text;
    for (int i = 0; i < 80; ++i) text += "dd\n";
    return text;
}

class AlertTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        Alert::Alert_staticInit();
        show();
        fired = JavaPtr<Fired>(new Fired());
    }
    void TearDown() override {
        alert = nullptr;
        fired = nullptr;
        FormFixture::TearDown();
    }
    JavaPtr<Alert> makeAlert(const char* text = nullptr) {
        auto made = jnew<Alert>();
        made->WENDinvokeconstructor(str("Note"), str(text), nullptr, nullptr);
        return made;
    }
    // Shows the alert in front of the form; the clock starts at 0 when it shows.
    void showAlert() {
        formMillis = -10;
        display->setCurrent(alert, JavaPtr<Displayable>(form));
        tick();
        ASSERT_TRUE(display->getCurrent() == alert);
    }
    void tickUntil(int64_t millis) {
        while (formMillis < millis) tick();
    }
    std::string softKey() {
        JavaPtr<Command> forward = alert->getForm()->formCanvas()->getForwardCommand();
        return forward ? forward->getLabel()->val() : "";
    }
    JavaPtr<Alert> alert;
    JavaPtr<Fired> fired;
};

TEST_F(AlertTest, TheNextScreenComesAtTheFirstTickAfterTheTimeout) {
    alert = makeAlert("Saved");
    showAlert();
    EXPECT_EQ(softKey(), "Dismiss");
    tickUntil(2000);
    EXPECT_TRUE(display->getCurrent() == alert) << "2000 ms are not yet more than the timeout";
    tick();
    tick();
    EXPECT_TRUE(display->getCurrent() == form);
}

TEST_F(AlertTest, TheDismissKeyShowsTheNextScreenAtOnce) {
    alert = makeAlert("Saved");
    showAlert();
    alert->getForm()->formCanvas()->keyPressed(Core::KEY_SOFTKEY_RIGHT);
    alert->getForm()->formCanvas()->keyReleased(Core::KEY_SOFTKEY_RIGHT);
    tick();
    EXPECT_TRUE(display->getCurrent() == form);
}

TEST_F(AlertTest, OneCommandKeepsTheTimeoutTwoMakeTheAlertWaitAndDismissReturnsAlone) {
    alert = makeAlert("Saved");
    alert->setCommandListener(JavaPtr<CommandListener>(fired));
    auto ok = command("OK", Command::OK), more = command("More", Command::SCREEN);
    alert->addCommand(ok);
    EXPECT_EQ(softKey(), "OK");
    showAlert();
    tickUntil(2010);
    EXPECT_EQ(fired->events, std::vector<std::string>{"OK at 2010"}) << "the timeout fires the one command";

    alert->addCommand(more);
    EXPECT_TRUE(alert->isModal());
    alert->removeCommand(ok);
    alert->removeCommand(more);
    EXPECT_EQ(softKey(), "Dismiss");
    EXPECT_TRUE(alert->isModal()) << "the timeout does not come back";
    fired->events.clear();
    showAlert();
    tickUntil(5000);
    EXPECT_TRUE(fired->events.empty());
}

TEST_F(AlertTest, ARefusedIndicatorLeavesTheOldOne) {
    alert = makeAlert("Working");
    JavaPtr<Gauge> kept = indicator();
    alert->setIndicator(kept);
    auto withCommand = indicator();
    withCommand->addCommand(command("Stop"));
    const struct {
        const char* name;
        JavaPtr<Gauge> gauge;
    } cases[] = {{"interactive", indicator(true)}, {"labelled", indicator(false, "L")}, {"with a command", withCommand}};
    for (const auto& c : cases) {
        EXPECT_THROW(alert->setIndicator(c.gauge), java::lang::IllegalArgumentException) << c.name;
        EXPECT_EQ(alert->getIndicator(), kept) << c.name;
    }
    EXPECT_THROW(kept->setLabel(str("x")), java::lang::IllegalStateException) << "an indicator's label is fixed";
    alert->setIndicator(nullptr);
    EXPECT_NO_THROW(kept->setLabel(str("x")));
    EXPECT_EQ(alert->getForm()->size(), 1) << "only the text is left";
}

TEST_F(AlertTest, TextThatNeedsScrollingMakesTheAlertWaitUnlessTheConstructorGaveIt) {
    alert = makeAlert(longText().c_str());
    EXPECT_FALSE(alert->isModal());
    alert->setString(str(longText().c_str()));
    EXPECT_TRUE(alert->isModal());
    EXPECT_THROW(alert->setTimeout(0), java::lang::IllegalArgumentException);
    alert->setTimeout(1);
    EXPECT_EQ(alert->getTimeout(), 1);
}

}  // namespace
}  // namespace formtest
