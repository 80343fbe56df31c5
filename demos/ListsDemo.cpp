#include "demos/ListsDemo.h"

#include <string>

#include "demos/DemoEvents.h"
#include "host/MIDlet.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/chrome/Alert.h"
#include "runtime/lcdui/chrome/AlertType.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/CommandListener.h"
#include "runtime/lcdui/forms/Gauge.h"
#include "runtime/lcdui/forms/List.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using java::lang::String;
using namespace javax::microedition::lcdui;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

JavaPtr<String> text(const char* value) { return jnew<String>(value); }

JavaPtr<JArray<String>> strings(std::initializer_list<const char*> values) {
    auto array = jnew<JArray<String>>(static_cast<int32_t>(values.size()));
    int32_t i = 0;
    for (const char* value : values) (*array)[i++] = text(value);
    return array;
}

JavaPtr<Command> command(const char* label, int32_t type) {
    auto made = jnew<Command>();
    made->WENDinvokeconstructor(text(label), type, 1);
    return made;
}

class ListsDemoMIDlet : public MIDlet, public CommandListener {
    JAVA_CLASS(ListsDemoMIDlet, "demo.ListsDemoMIDlet", MIDlet, CommandListener)
public:
    void startApp() override {
        evt("lists: startApp");
        if (!m_menu) build();
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_menu));
    }
    void pauseApp() override { evt("lists: pauseApp"); }
    void destroyApp(bool) override {
        evt("lists: destroyApp");
        // The screens hold this MIDlet as their listener: let go of them.
        for (JavaPtr<Displayable> screen : {JavaPtr<Displayable>(m_menu), JavaPtr<Displayable>(m_choice),
                                            JavaPtr<Displayable>(m_busy), JavaPtr<Displayable>(m_question)})
            if (screen) screen->setCommandListener(nullptr);
        notifyDestroyed();
    }

    void commandAction(const JavaPtr<Command>& command, const JavaPtr<Displayable>& source) override {
        JavaPtr<Display> display = Display::getDisplay();
        if (source == m_menu && command == List::SELECT_COMMAND) {
            const int32_t row = m_menu->getSelectedIndex();
            evt("lists: picked %d", row);
            if (row == 0) {
                evt("lists: alert busy");
                display->setCurrent(m_busy, JavaPtr<Displayable>(m_menu));
            } else if (row == 1) {
                evt("lists: alert question");
                display->setCurrent(m_question, JavaPtr<Displayable>(m_menu));
            } else {
                evt("lists: exclusive list");
                display->setCurrent(JavaPtr<Displayable>(m_choice));
            }
            return;
        }
        if (command == m_exit) {
            notifyDestroyed();
            return;
        }
        if (source == m_busy || source == m_question) evt("lists: alert answered %s", command->getLabel()->val());
        if (source == m_choice) evt("lists: chose %d", m_choice->getSelectedIndex());
        evt("lists: back to the list");
        display->setCurrent(JavaPtr<Displayable>(m_menu));
    }

private:
    void build() {
        JavaPtr<CommandListener> self(this);
        m_menu = jnew<List>();
        m_menu->WENDinvokeconstructor(text("Lists demo"), Choice::IMPLICIT,
                                      strings({"An alert with an indicator", "A question", "An exclusive list"}),
                                      nullptr);
        // A back command, so that the select command has the other soft key to itself.
        m_exit = command("Exit", Command::BACK);
        m_menu->addCommand(m_exit);
        m_menu->setCommandListener(self);

        m_busy = jnew<Alert>();
        m_busy->WENDinvokeconstructor(text("Working"), text("The first row was picked."), nullptr, AlertType::INFO);
        auto gauge = jnew<Gauge>();
        gauge->WENDinvokeconstructor(nullptr, false, Gauge::INDEFINITE, Gauge::CONTINUOUS_RUNNING);
        m_busy->setIndicator(gauge);
        m_busy->setCommandListener(self);

        m_question = jnew<Alert>();
        m_question->WENDinvokeconstructor(text("Question"), text("Keep this answer?"), nullptr,
                                          AlertType::CONFIRMATION);
        m_question->addCommand(command("Yes", Command::OK));
        m_question->addCommand(command("No", Command::CANCEL));
        m_question->setCommandListener(self);

        m_choice = jnew<List>();
        m_choice->WENDinvokeconstructor(text("Pick one"), Choice::EXCLUSIVE, strings({"Red", "Green", "Blue"}), nullptr);
        m_choice->setSelectCommand(nullptr);
        m_choice->addCommand(command("Done", Command::BACK));
        m_choice->setCommandListener(self);
    }

    JavaPtr<List> m_menu;
    JavaPtr<List> m_choice;
    JavaPtr<Alert> m_busy;
    JavaPtr<Alert> m_question;
    JavaPtr<Command> m_exit;
};

}  // namespace

JavaPtr<MIDlet> makeListsDemoMIDlet() {
    JavaPtr<ListsDemoMIDlet> midlet = jnew<ListsDemoMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
