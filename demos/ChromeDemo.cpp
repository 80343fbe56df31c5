#include "demos/ChromeDemo.h"

#include <array>
#include <string>

#include "demos/ChromeGeometry.h"
#include "demos/DemoEvents.h"
#include "host/MIDlet.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/CommandListener.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/KeyInternal.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/StringItem.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using java::lang::String;
using namespace javax::microedition::lcdui;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

using L = ChromeDemoLayout;
using Core = DisplayableCoreCanvas;

JavaPtr<String> text(const char* value) { return jnew<String>(value); }

// What the rows share: the text typed so far, and what the chrome looked like when last logged.
struct RowsState {
    std::string typed;
    int32_t loggedState = -1;
};

// One row: logs a touch anywhere on it and the keys typed while it is highlighted, and, when it is
// painted after the chrome changed, where the chrome put everything.
class Row : public StringItem {
    JAVA_CLASS(Row, "demo.Row", StringItem)
public:
    Row(RowsState& state, int32_t number) : m_state(state), m_number(number) {}

    // The whole box answers a touch, label included: the row registers an area over it.
    void touchscreenAreaEvent(const JavaPtr<String>&, int32_t type, int32_t, int32_t, int32_t, int32_t,
                              bool) override {
        if (type == TouchScreenAreaListener::PRESS) evt("chrome: row %d", m_number);
    }
    void rebuildTouchscreenAreas() override {
        if (!m_areaName) m_areaName = TouchScreenAreaManager::getUniqueBaseCode(text("row")) + "box";
        registerArea(-m_contentX, -m_contentY, m_width - m_contentX, m_height - m_contentY, m_areaName);
    }
    void keyPressed(int32_t code) override {
        char ch = 0;
        if (code >= Core::KEY_a && code <= Core::KEY_z) ch = static_cast<char>('a' + code - Core::KEY_a);
        if (code >= Core::KEY_A && code <= Core::KEY_Z) ch = static_cast<char>('A' + code - Core::KEY_A);
        if (code >= Core::KEY_KEYBOARD_NUM0 && code <= Core::KEY_KEYBOARD_NUM9)
            ch = static_cast<char>('0' + code - Core::KEY_KEYBOARD_NUM0);
        if (code == Core::KEY_SPACEBAR) ch = ' ';
        if (code == Core::KEY_DELETE && !m_state.typed.empty()) m_state.typed.pop_back();
        if (ch) m_state.typed += ch;
        evt("chrome: typed \"%s\"", m_state.typed.c_str());
    }
    using StringItem::paint;
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override {
        StringItem::paint(g, w, h);
        rebuildTouchscreenAreas();
        logGeometry();
    }

private:
    // The chrome registers its areas when it paints, after the items: logged once they are there.
    void logGeometry() {
        JavaPtr<FormCanvas> canvas = getFormCanvas();
        if (canvas && logChromeGeometry("chrome", *canvas, &m_state.loggedState)) evt("chrome: geometry rows %d", m_height);
    }

    RowsState& m_state;
    int32_t m_number;
    JavaPtr<String> m_areaName;
};

class ChromeForm : public Form, public CommandListener {
    JAVA_CLASS(ChromeForm, "demo.ChromeForm", Form, CommandListener)
public:
    void WENDinvokeconstructor(MIDlet* midlet) {
        Form::WENDinvokeconstructor(text("Chrome demo"));
        m_midlet = midlet;
        for (int32_t number = 1; number <= L::ROWS; ++number) {
            auto row = JavaPtr<Row>(new Row(m_rows, number));
            row->WENDinvokeconstructor(text("Row ") + number, text("Item ") + number + " of " + L::ROWS);
            row->setPreferredSize(-1, L::ROW_CONTENT_HEIGHT);
            append(JavaPtr<Item>(row));
        }
        auto ticker = jnew<Ticker>();
        ticker->WENDinvokeconstructor(text("Soft keys, a menu, a scroll bar and a keyboard"));
        setTicker(ticker);
        addCommand(make("Back", Command::BACK, 1));
        addCommand(make("First", Command::SCREEN, 1));
        addCommand(make("Second", Command::SCREEN, 2));
        addCommand(make("Exit", Command::EXIT, 3));
        addCommand(make("Delete", Command::SCREEN, 4));
        setCommandListener(JavaPtr<CommandListener>(this));
    }

    void commandAction(const JavaPtr<Command>& command, const JavaPtr<Displayable>&) override {
        evt("chrome: command %s", command->getLabel()->val());
        if (command->getCommandType() == Command::EXIT && m_midlet) m_midlet->notifyDestroyed();
        if (command->getLabel()->val() == std::string("Delete") && size() > 0) {
            deleteJ(size() - 1);
            evt("chrome: %d rows", size());
        }
    }

    // The Display may hold the screen after the MIDlet is gone.
    void forgetMIDlet() { m_midlet = nullptr; }

private:
    static JavaPtr<Command> make(const char* label, int32_t type, int32_t priority) {
        auto command = jnew<Command>();
        command->WENDinvokeconstructor(text(label), type, priority);
        return command;
    }

    MIDlet* m_midlet = nullptr;
    RowsState m_rows;
};

class ChromeDemoMIDlet : public MIDlet {
    JAVA_CLASS(ChromeDemoMIDlet, "demo.ChromeDemoMIDlet", MIDlet)
public:
    ~ChromeDemoMIDlet() override {
        if (m_screen) m_screen->forgetMIDlet();
    }
    void startApp() override {
        evt("chrome: startApp");
        if (!m_screen) {
            m_screen = jnew<ChromeForm>();
            m_screen->WENDinvokeconstructor(this);
        }
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_screen));
    }
    void pauseApp() override { evt("chrome: pauseApp"); }
    void destroyApp(bool) override {
        evt("chrome: destroyApp");
        notifyDestroyed();
    }

private:
    JavaPtr<ChromeForm> m_screen;
};

}  // namespace

JavaPtr<MIDlet> makeChromeDemoMIDlet() {
    JavaPtr<ChromeDemoMIDlet> midlet = jnew<ChromeDemoMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
