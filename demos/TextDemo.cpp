#include "demos/TextDemo.h"

#include "demos/ChromeGeometry.h"
#include "demos/DemoEvents.h"
#include "host/MIDlet.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/ItemStateListener.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/lcdui/forms/TextField.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using java::lang::String;
using namespace javax::microedition::lcdui;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

JavaPtr<String> text(const char* value) { return jnew<String>(value); }

// The first field logs the chrome's places whenever the keyboard or the popup came or went.
class LoggedField : public TextField {
    JAVA_CLASS(LoggedField, "demo.LoggedField", TextField)
public:
    using TextField::paint;
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override {
        TextField::paint(g, w, h);
        if (JavaPtr<FormCanvas> canvas = getFormCanvas()) logChromeGeometry("text", *canvas, &m_loggedState);
    }

private:
    int32_t m_loggedState = -1;
};

class TextDemoMIDlet : public MIDlet, public ItemStateListener {
    JAVA_CLASS(TextDemoMIDlet, "demo.TextDemoMIDlet", MIDlet, ItemStateListener)
public:
    void startApp() override {
        evt("text: startApp");
        if (!m_form) build();
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_form));
    }
    void pauseApp() override { evt("text: pauseApp"); }
    void destroyApp(bool) override {
        evt("text: destroyApp");
        if (m_form) m_form->setItemStateListener(nullptr);
        notifyDestroyed();
    }
    void itemStateChanged(const JavaPtr<Item>& item) override {
        if (auto field = recastObj<TextField>(item))
            evt("text: %s \"%s\"", field->getLabel()->val(), field->getString()->val());
    }

private:
    void build() {
        auto name = JavaPtr<LoggedField>(new LoggedField());
        name->WENDinvokeconstructor(text("Name"), text(""), 40, TextField::ANY);
        auto secret = jnew<TextField>();
        secret->WENDinvokeconstructor(text("Secret"), text(""), 20, TextField::PASSWORD);
        auto notes = jnew<TextField>();
        notes->WENDinvokeconstructor(text("Notes"), text("A field in box mode takes most of the screen."), 500,
                                     TextField::ANY, true);
        m_form = jnew<Form>();
        m_form->WENDinvokeconstructor(text("Text demo"));
        m_form->append(JavaPtr<Item>(name));
        m_form->append(JavaPtr<Item>(secret));
        m_form->append(JavaPtr<Item>(notes));
        m_form->setItemStateListener(JavaPtr<ItemStateListener>(this));
        // A ticker keeps the frames coming, so that the chrome's places are logged soon after they change.
        auto ticker = jnew<Ticker>();
        ticker->WENDinvokeconstructor(text("Type on the keypad, or on the keyboard from the toggle below"));
        m_form->setTicker(ticker);
    }

    JavaPtr<Form> m_form;
};

}  // namespace

JavaPtr<MIDlet> makeTextDemoMIDlet() {
    JavaPtr<TextDemoMIDlet> midlet = jnew<TextDemoMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
