#include "demos/FormsDemo.h"

#include <string>
#include <vector>

#include "demos/DemoEvents.h"
#include "host/MIDlet.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/CommandListener.h"
#include "runtime/lcdui/forms/ChoiceGroup.h"
#include "runtime/lcdui/forms/CustomItem.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/Gauge.h"
#include "runtime/lcdui/forms/ImageItem.h"
#include "runtime/lcdui/forms/StringItem.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using java::lang::String;
using namespace javax::microedition::lcdui;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

JavaPtr<String> text(const char* value) { return jnew<String>(value); }

JavaPtr<ChoiceGroup> choiceGroup(const char* label, int32_t type, std::initializer_list<const char*> values) {
    auto strings = jnew<JArray<String>>(static_cast<int32_t>(values.size()));
    int32_t i = 0;
    for (const char* value : values) (*strings)[i++] = text(value);
    auto group = jnew<ChoiceGroup>();
    group->WENDinvokeconstructor(text(label), type, strings, nullptr);
    return group;
}

JavaPtr<Gauge> gauge(const char* label, bool interactive, int32_t maxValue, int32_t value) {
    auto made = jnew<Gauge>();
    made->WENDinvokeconstructor(text(label), interactive, maxValue, value);
    return made;
}

JavaPtr<StringItem> stringItem(const char* label, const char* value, int32_t layout = 0) {
    auto item = jnew<StringItem>();
    item->WENDinvokeconstructor(label ? text(label) : nullptr, text(value));
    item->setLayout(layout);
    return item;
}

// Draws a cross over its whole content, logs its touches, and logs the form's geometry and
// highlight whenever they changed since the last frame it was painted in.
class Cross : public CustomItem {
    JAVA_CLASS(Cross, "demo.Cross", CustomItem)
public:
    int32_t getMinContentWidth() override { return 60; }
    int32_t getMinContentHeight() override { return 40; }
    int32_t getPrefContentWidth(int32_t) override { return 60; }
    int32_t getPrefContentHeight(int32_t) override { return 40; }
    using CustomItem::paint;
    void paint(const JavaPtr<Graphics>& g, int32_t w, int32_t h) override {
        g->setColor(0x000000);
        g->drawLine(0, 0, w - 1, h - 1);
        g->drawLine(w - 1, 0, 0, h - 1);
        g->drawLine(w / 2, 0, w / 2, h - 1);
        g->drawLine(0, h / 2, w - 1, h / 2);
        logForm();
    }
    void pointerReleased(int32_t x, int32_t y) override { evt("forms: cross touched %d,%d", x, y); }

private:
    void logForm() {
        JavaPtr<Form> form = getContainingForm();
        JavaPtr<FormCanvas> canvas = getFormCanvas();
        if (!form || !canvas) return;
        auto area = jnew<JArray<int32_t>>(4);
        canvas->getUnreservedArea(area);
        const int32_t dy = (*area)[1] - canvas->getVerticalScrollPos();
        std::vector<std::string> lines;
        for (int32_t i = 0; i < form->size(); ++i) {
            JavaPtr<Item> item = form->get(i);
            lines.push_back("forms: item " + std::to_string(i) + " " + std::to_string(item->m_x) + "," +
                            std::to_string(item->m_y + dy) + "," + std::to_string(item->m_x + item->m_width) + "," +
                            std::to_string(item->m_y + dy + item->m_height));
        }
        lines.push_back("forms: cross " + std::to_string(m_x + m_contentX) + "," + std::to_string(m_y + m_contentY + dy) +
                        "," + std::to_string(m_contentWidth) + "," + std::to_string(m_contentHeight));
        JavaPtr<Item> highlighted = form->highlightedItem();
        lines.push_back("forms: highlighted " + std::to_string(highlighted ? form->m_indexForItem(highlighted) : -1));
        if (lines == m_logged) return;
        m_logged = lines;
        for (const std::string& line : lines) evt("%s", line.c_str());
    }

    std::vector<std::string> m_logged;
};

class FormsDemoMIDlet : public MIDlet, public CommandListener {
    JAVA_CLASS(FormsDemoMIDlet, "demo.FormsDemoMIDlet", MIDlet, CommandListener)
public:
    void startApp() override {
        evt("forms: startApp");
        if (!m_form) m_form = makeForm();
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_form));
    }
    void pauseApp() override { evt("forms: pauseApp"); }
    void destroyApp(bool) override {
        evt("forms: destroyApp");
        if (m_form) m_form->setCommandListener(nullptr);
        notifyDestroyed();
    }
    void commandAction(const JavaPtr<Command>& command, const JavaPtr<Displayable>&) override {
        evt("forms: command %s", command->getLabel()->val());
        if (command->getCommandType() == Command::EXIT) notifyDestroyed();
    }

private:
    JavaPtr<Form> makeForm() {
        auto image = Image::createImage(48, 24);
        JavaPtr<Graphics> g = image->getGraphics();
        g->setColor(0x30A050);
        g->fillRect(0, 0, 48, 24);
        g->setColor(0xFFFFFF);
        g->drawRect(4, 4, 39, 15);
        auto imageItem = jnew<ImageItem>();
        imageItem->WENDinvokeconstructor(text("Image"), image, Item::LAYOUT_DEFAULT, text("a green box"));
        auto cross = jnew<Cross>();
        cross->WENDinvokeconstructor(text("Cross"));
        cross->setLayout(Item::LAYOUT_EXPAND);
        const JavaPtr<Item> parts[] = {
            stringItem(nullptr, "Start:"),
            stringItem(nullptr, "This text is long enough to flow from the end of one row over the whole of the "
                                "next one and on into a third, where the items after it follow."),
            stringItem(nullptr, "after"),
            stringItem("Label", "labelled text"),
            stringItem(nullptr, "right", Item::LAYOUT_RIGHT),
            stringItem(nullptr, "centre", Item::LAYOUT_CENTER),
            imageItem,
            cross,
            choiceGroup("Size", Choice::EXCLUSIVE, {"Small", "Medium", "Large"}),
            choiceGroup("Extras", Choice::MULTIPLE, {"Cheese", "Olives"}),
            gauge("Volume", true, 10, 5),
            gauge("Progress", false, 100, 40),
            gauge("Busy", false, Gauge::INDEFINITE, Gauge::CONTINUOUS_RUNNING),
        };
        auto items = jnew<JArray<Item>>(static_cast<int32_t>(std::size(parts)));
        for (int32_t i = 0; i < items->length; ++i) (*items)[i] = parts[i];
        auto form = jnew<Form>();
        form->WENDinvokeconstructor(text("Forms demo"), items);
        auto exit = jnew<Command>();
        exit->WENDinvokeconstructor(text("Exit"), Command::EXIT, 1);
        form->addCommand(exit);
        form->setCommandListener(JavaPtr<CommandListener>(this));
        return form;
    }

    JavaPtr<Form> m_form;
};

}  // namespace

JavaPtr<MIDlet> makeFormsDemoMIDlet() {
    JavaPtr<FormsDemoMIDlet> midlet = jnew<FormsDemoMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
