#include "demos/ChromeDemo.h"

#include <array>
#include <string>

#include "demos/DemoEvents.h"
#include "host/MIDlet.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/CommandListener.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/chrome/KeyInternal.h"
#include "runtime/lcdui/chrome/OnScreenKeyboard.h"
#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"
#include "runtime/lcdui/forms/Screen.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using java::lang::String;
using namespace javax::microedition::lcdui;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

using L = ChromeDemoLayout;

JavaPtr<String> text(const char* value) { return jnew<String>(value); }

// The content until forms exist: numbered rows inside the chrome, scrolled by its bar.
class RowsCanvas : public DisplayableCoreCanvas {
    JAVA_CLASS(RowsCanvas, "demo.RowsCanvas", DisplayableCoreCanvas)
public:
    void showNotify() override {
        DisplayableCoreCanvas::showNotify();
        setVerticalScrollbarVisible(true);
        setVerticalHeight(L::ROWS * L::ROW_HEIGHT);
        m_loggedState = -1;
    }

    void paint(const JavaPtr<Graphics>& g) override {
        const auto area = unreservedArea();
        const int32_t scroll = getVerticalScrollPos();
        g->setClip(area[0], area[1], area[2] - area[0], area[3] - area[1]);
        g->setColor(L::ROW_BACKGROUND);
        g->fillRect(area[0], area[1], area[2] - area[0], area[3] - area[1]);
        for (int32_t row = 0; row < L::ROWS; ++row) {
            const int32_t y = area[1] + row * L::ROW_HEIGHT - scroll;
            if (y + L::ROW_HEIGHT < area[1] || y > area[3]) continue;
            if (row == m_touchedRow) {
                g->setColor(L::ROW_TOUCHED);
                g->fillRect(area[0], y, area[2] - area[0], L::ROW_HEIGHT);
            }
            g->setColor(0x000000);
            g->drawLine(area[0], y + L::ROW_HEIGHT - 1, area[2], y + L::ROW_HEIGHT - 1);
            g->drawString(text("Row ") + (row + 1), area[0] + 4, y + 4, Graphics::TOP | Graphics::LEFT);
        }
        DisplayableCoreCanvas::paint(g);
        // Again whenever the popup or the keyboard comes or goes, since they bring areas of their own.
        const int32_t state = (isPopupOpen() ? 1 : 0) | (OnScreenKeyboard::isShown() ? 2 : 0);
        if (state != m_loggedState) {
            m_loggedState = state;
            logGeometry(unreservedArea());
        }
    }

protected:
    bool dispatchInput(InputEvent::EventType type, int32_t a, int32_t b) override {
        if (DisplayableCoreCanvas::dispatchInput(type, a, b)) return true;
        if (type == InputEvent::KEY_PRESSED) typed(a);
        if (type != InputEvent::POINTER_RELEASED) return false;
        const auto area = unreservedArea();
        if (a < area[0] || a >= area[2] || b < area[1] || b >= area[3]) return false;
        const int32_t row = (b - area[1] + getVerticalScrollPos()) / L::ROW_HEIGHT;
        if (row >= L::ROWS) return false;
        m_touchedRow = row;
        evt("chrome: row %d", row + 1);
        setNeedsRepaint();
        return true;
    }

private:
    std::array<int32_t, 4> unreservedArea() {
        auto out = jnew<JArray<int32_t>>(4);
        getUnreservedArea(out);
        return {(*out)[0], (*out)[1], (*out)[2], (*out)[3]};
    }

    void typed(int32_t code) {
        char ch = 0;
        if (code >= KEY_a && code <= KEY_z) ch = static_cast<char>('a' + code - KEY_a);
        if (code >= KEY_A && code <= KEY_Z) ch = static_cast<char>('A' + code - KEY_A);
        if (code >= KEY_KEYBOARD_NUM0 && code <= KEY_KEYBOARD_NUM9)
            ch = static_cast<char>('0' + code - KEY_KEYBOARD_NUM0);
        if (code == KEY_SPACEBAR) ch = ' ';
        if (code == KEY_DELETE && !m_typed.empty()) m_typed.pop_back();
        if (ch) m_typed += ch;
        evt("chrome: typed \"%s\"", m_typed.c_str());
    }

    // One line an area, in screen pixels: what the scripts and tests aim at.
    void logGeometry(const std::array<int32_t, 4>& area) {
        evt("chrome: geometry content %d,%d,%d,%d", area[0], area[1], area[2], area[3]);
        for (const char* name : {"backsoft", "fwdsoft", "osktoggle", "scrollup", "scrolldown", "scrollbarbox"}) {
            int32_t r[4];
            if (TouchScreenAreaManager::areaFor(getAreaBaseCode() + name, r))
                evt("chrome: area %s %d,%d,%d,%d", name, r[0], r[1], r[2], r[3]);
        }
        for (int32_t row = 0; isPopupOpen(); ++row) {
            int32_t r[4];
            if (!TouchScreenAreaManager::areaFor(getAreaBaseCode() + "popup" + row, r)) break;
            evt("chrome: area popup%d %d,%d,%d,%d", row, r[0], r[1], r[2], r[3]);
        }
        if (!OnScreenKeyboard::isShown()) return;
        for (int32_t index = 0; index < OnScreenKeyboard::NUM_KEYS; ++index) {
            JavaPtr<KeyInternal> key = OnScreenKeyboard::keyAt(index);
            if (!key) continue;
            evt("chrome: key %d %s %d,%d,%d,%d", index, key->label->val(), key->x, key->y, key->width, key->height);
        }
    }

    int32_t m_loggedState = -1;
    int32_t m_touchedRow = -1;
    std::string m_typed;
};

class ChromeScreen : public Screen, public CommandListener {
    JAVA_CLASS(ChromeScreen, "demo.ChromeScreen", Screen, CommandListener)
public:
    void WENDinvokeconstructor(MIDlet* midlet) {
        Screen::WENDinvokeconstructor();
        m_midlet = midlet;
        m_canvas = jnew<RowsCanvas>();
        m_canvas->WENDinvokeconstructor(this);
        setCorrespondingCanvas(m_canvas.get());
        setTitle(text("Chrome demo"));
        auto ticker = jnew<Ticker>();
        ticker->WENDinvokeconstructor(text("Soft keys, a menu, a scroll bar and a keyboard"));
        setTicker(ticker);
        addCommand(make("Back", Command::BACK, 1));
        addCommand(make("First", Command::SCREEN, 1));
        addCommand(make("Second", Command::SCREEN, 2));
        addCommand(make("Exit", Command::EXIT, 3));
        setCommandListener(JavaPtr<CommandListener>(this));
    }

    void commandAction(const JavaPtr<Command>& command, const JavaPtr<Displayable>&) override {
        evt("chrome: command %s", command->getLabel()->val());
        if (command->getCommandType() == Command::EXIT && m_midlet) m_midlet->notifyDestroyed();
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
    JavaPtr<RowsCanvas> m_canvas;
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
            m_screen = jnew<ChromeScreen>();
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
    JavaPtr<ChromeScreen> m_screen;
};

}  // namespace

JavaPtr<MIDlet> makeChromeDemoMIDlet() {
    JavaPtr<ChromeDemoMIDlet> midlet = jnew<ChromeDemoMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
