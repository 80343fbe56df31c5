#include "runtime/lcdui/chrome/Alert.h"

#include <mutex>

#include "runtime/lang/Clocks.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/LCDUIStrings.h"
#include "runtime/lcdui/chrome/AlertType.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/DefaultAlertListener.h"
#include "runtime/lcdui/forms/Form.h"
#include "runtime/lcdui/forms/FormCanvas.h"
#include "runtime/lcdui/forms/Gauge.h"
#include "runtime/lcdui/forms/ImageItem.h"
#include "runtime/lcdui/forms/StringItem.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

std::recursive_mutex& lcdui() { return Canvas::paintLock(); }

}  // namespace

void Alert::Alert_staticInit() {
    DISMISS_COMMAND = java::lang::jnew<Command>();
    DISMISS_COMMAND->WENDinvokeconstructor(LCDUI_stringsGet(LCDUI_STRINGS_SOFTKEY_DISMISS), Command::ITEM, 1);
}

void Alert::Alert_staticDestroy() { DISMISS_COMMAND = nullptr; }

void Alert::WENDinvokeconstructor(const JavaPtr<String>& title, const JavaPtr<String>& alertText,
                                  const JavaPtr<Image>& alertImage, const JavaPtr<AlertType>& alertType) {
    Screen::WENDinvokeconstructor();
    std::lock_guard lock(lcdui());
    m_form = java::lang::jnew<Form>();
    m_form->WENDinvokeconstructor(title);
    m_form->setNeverHighlightItems(true);
    if (DISMISS_COMMAND) m_form->addCommand(DISMISS_COMMAND);
    m_defaultListener = java::lang::jnew<DefaultAlertListener>();
    m_form->setCommandListener(JavaPtr<CommandListener>(m_defaultListener));
    setCorrespondingCanvas(m_form->getCorrespondingCanvas().get());
    setString(alertText);
    setImage(alertImage);
    setType(alertType);
    // After the content: what the constructor was given never makes the alert wait for a command.
    m_timeout = DEFAULT_TIMEOUT;
    m_indicator = nullptr;
    m_shownAt = -1;
    m_autoDismiss = true;
}

int32_t Alert::m_commandCount() {
    JavaPtr<JArray<Command>> commands = m_form->getCommands();
    int32_t count = 0;
    for (int32_t i = 0; commands && i < commands->length; ++i) count += (*commands)[i] ? 1 : 0;
    return count;
}

void Alert::addCommand(const JavaPtr<Command>& command) {
    if (!command) throw java::lang::NullPointerException();
    std::lock_guard lock(lcdui());
    if (command == DISMISS_COMMAND) return;
    m_form->addCommand(command);
    if (Displayable::findCommandIndex(m_form->getCommands(), command, nullptr) >= 0 && DISMISS_COMMAND)
        m_form->removeCommand(DISMISS_COMMAND);
    if (m_commandCount() > 1) m_autoDismiss = false;
}

void Alert::removeCommand(const JavaPtr<Command>& command) {
    std::lock_guard lock(lcdui());
    if (command == DISMISS_COMMAND) return;
    m_form->removeCommand(command);
    if (m_commandCount() == 0 && DISMISS_COMMAND) m_form->addCommand(DISMISS_COMMAND);
}

void Alert::setCommandListener(const JavaPtr<CommandListener>& listener) {
    std::lock_guard lock(lcdui());
    m_form->setCommandListener(listener ? listener : JavaPtr<CommandListener>(m_defaultListener));
}

JavaPtr<Ticker> Alert::getTicker() { return m_form->getTicker(); }
JavaPtr<String> Alert::getTitle() { return m_form->getTitle(); }
void Alert::setTicker(const JavaPtr<Ticker>& ticker) { m_form->setTicker(ticker); }
void Alert::setTitle(const JavaPtr<String>& title) { m_form->setTitle(title); }

JavaPtr<Image> Alert::getImage() {
    std::lock_guard lock(lcdui());
    return m_image;
}

JavaPtr<Gauge> Alert::getIndicator() {
    std::lock_guard lock(lcdui());
    return m_indicator;
}

JavaPtr<String> Alert::getString() {
    std::lock_guard lock(lcdui());
    return m_string;
}

int32_t Alert::getTimeout() {
    std::lock_guard lock(lcdui());
    return m_timeout;
}

JavaPtr<AlertType> Alert::getType() {
    std::lock_guard lock(lcdui());
    return m_type;
}

bool Alert::isModal() {
    std::lock_guard lock(lcdui());
    return !m_autoDismiss;
}

void Alert::setString(const JavaPtr<String>& text) {
    std::lock_guard lock(lcdui());
    m_string = text;
    m_recreateForm();
}

void Alert::setImage(const JavaPtr<Image>& image) {
    std::lock_guard lock(lcdui());
    m_image = image;
    m_recreateForm();
}

void Alert::setType(const JavaPtr<AlertType>& type) {
    std::lock_guard lock(lcdui());
    m_type = type;
}

void Alert::setTimeout(int32_t time) {
    if (time != FOREVER && time <= 0) throw java::lang::IllegalArgumentException();
    std::lock_guard lock(lcdui());
    m_timeout = time;
    if (time == FOREVER) m_autoDismiss = false;
}

void Alert::setIndicator(const JavaPtr<Gauge>& indicator) {
    std::lock_guard lock(lcdui());
    if (indicator) {
        JavaPtr<Form> owner = indicator->getContainingForm();
        JavaPtr<JArray<Command>> commands = indicator->getCommands();
        bool hasCommand = false;
        for (int32_t i = 0; commands && i < commands->length; ++i) hasCommand |= static_cast<bool>((*commands)[i]);
        if (indicator->isInteractive() || (owner && owner != m_form) || hasCommand ||
            indicator->getItemCommandListener() || indicator->getLabel() || indicator->isWidthLocked() ||
            indicator->getLayout() != Item::LAYOUT_DEFAULT)
            throw java::lang::IllegalArgumentException();
    }
    if (m_indicator) m_indicator->setAlertIndicator(false);
    m_indicator = indicator;
    if (indicator) indicator->setAlertIndicator(true);
    m_recreateForm();
}

void Alert::m_recreateForm() {
    if (!m_form) return;
    m_form->deleteAll();
    if (m_image) {
        auto item = java::lang::jnew<ImageItem>();
        item->WENDinvokeconstructor(nullptr, m_image, Item::LAYOUT_CENTER, nullptr);
        m_form->append(JavaPtr<Item>(item));
    }
    if (m_indicator) m_form->append(JavaPtr<Item>(m_indicator));
    if (m_string) {
        auto item = java::lang::jnew<StringItem>();
        item->WENDinvokeconstructor(nullptr, m_string);
        item->setLayout(Item::LAYOUT_NEWLINE_BEFORE);
        m_form->append(JavaPtr<Item>(item));
    }
    JavaPtr<FormCanvas> canvas = m_form->formCanvas();
    if (!canvas) return;
    canvas->relayoutFormItems();
    // Content that needs scrolling waits for a command.
    if (canvas->verticalScrollbarVisible()) m_autoDismiss = false;
}

JavaPtr<Displayable> Alert::getNextDisplayable() {
    std::lock_guard lock(lcdui());
    return m_nextDisplayable;
}

void Alert::setNextDisplayable(const JavaPtr<Displayable>& next) {
    std::lock_guard lock(lcdui());
    m_nextDisplayable = next;
}

void Alert::showNotify() {
    std::lock_guard lock(lcdui());
    m_shownAt = java::lang::clocks::monotonicMillis();
}

int64_t Alert::getShownTime() {
    std::lock_guard lock(lcdui());
    return m_shownAt;
}

void Alert::advance() {
    JavaPtr<Displayable> next = getNextDisplayable();
    if (next) Display::getDisplay()->setCurrent(next);
}

void Alert::tick(int64_t ms) {
    JavaPtr<Command> first;
    JavaPtr<FormCanvas> canvas;
    {
        std::lock_guard lock(lcdui());
        canvas = m_form->formCanvas();
        const bool due = m_shownAt != -1 && m_autoDismiss &&
                         java::lang::clocks::monotonicMillis() - m_shownAt > static_cast<int64_t>(m_timeout);
        if (canvas && due && canvas->isShown()) {
            JavaPtr<JArray<Command>> commands = m_form->getCommands();
            for (int32_t i = 0; commands && i < commands->length && !first; ++i) first = (*commands)[i];
        }
    }
    if (first) canvas->triggerCommand(first);
    Screen::tick(ms);
}

}  // namespace javax::microedition::lcdui
