#include "runtime/lcdui/Displayable.h"

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/chrome/Command.h"
#include "runtime/lcdui/chrome/CommandListener.h"
#include "runtime/lcdui/chrome/DisplayableCoreCanvas.h"
#include "runtime/lcdui/forms/Ticker.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

Displayable::Displayable() = default;

Displayable::~Displayable() {
    if (!m_canvasIsSelf) {
        if (auto core = recastObj<DisplayableCoreCanvas>(m_correspondingCanvas)) core->notifyParentDestroyed();
    }
}

int32_t Displayable::getWidth() { return Display::screenWidth.load(std::memory_order_relaxed); }
int32_t Displayable::getHeight() { return Display::screenHeight.load(std::memory_order_relaxed); }
// The screen's title, ticker, commands and listener change on the MIDlet's threads while the
// tick thread lays out and paints them and the UI thread fires commands: all under the LCDUI lock.
JavaPtr<Ticker> Displayable::getTicker() {
    std::lock_guard lock(Canvas::paintLock());
    return m_ticker;
}

JavaPtr<java::lang::String> Displayable::getTitle() {
    std::lock_guard lock(Canvas::paintLock());
    return m_title;
}

JavaPtr<JArray<Command>> Displayable::getCommands() {
    std::lock_guard lock(Canvas::paintLock());
    return m_commands;
}

void Displayable::setTitle(const JavaPtr<java::lang::String>& title) {
    std::lock_guard lock(Canvas::paintLock());
    m_title = title;
    reLayout();
}

void Displayable::setTicker(const JavaPtr<Ticker>& ticker) {
    std::lock_guard lock(Canvas::paintLock());
    m_ticker = ticker;
    reLayout();
}

void Displayable::addCommand(const JavaPtr<Command>& command) {
    if (!command) throw java::lang::NullPointerException();
    std::lock_guard lock(Canvas::paintLock());
    if (!m_commands) m_commands = JavaPtr<JArray<Command>>(new JArray<Command>(0));
    if (addCommand(m_commands, command)) reLayout();
}

void Displayable::removeCommand(const JavaPtr<Command>& command) {
    std::lock_guard lock(Canvas::paintLock());
    if (removeCommand(m_commands, command)) reLayout();
}

void Displayable::setCommandListener(const JavaPtr<CommandListener>& listener) {
    std::lock_guard lock(Canvas::paintLock());
    m_listenerIsSelf = listener && listener.smart() == static_cast<java::lang::Smart*>(this);
    m_commandListener = m_listenerIsSelf ? nullptr : listener;
}

JavaPtr<CommandListener> Displayable::getCommandListener() {
    std::lock_guard lock(Canvas::paintLock());
    if (m_listenerIsSelf) return recastObj<CommandListener>(static_cast<java::lang::Smart*>(this));
    return m_commandListener;
}

void Displayable::setCorrespondingCanvas(Canvas* canvas) {
    m_canvasIsSelf = canvas && static_cast<java::lang::Smart*>(canvas) == static_cast<java::lang::Smart*>(this);
    m_correspondingCanvas = m_canvasIsSelf ? nullptr : JavaPtr<Canvas>(canvas);
}

JavaPtr<Canvas> Displayable::getCorrespondingCanvas() {
    if (m_canvasIsSelf) return recastObj<Canvas>(static_cast<java::lang::Smart*>(this));
    return m_correspondingCanvas;
}

bool Displayable::isShown() {
    if (isInterrupted.load(std::memory_order_relaxed)) return false;
    JavaPtr<Canvas> canvas = getCorrespondingCanvas();
    return canvas && canvas == Display::currentCanvas();
}

void Displayable::reLayout() {
    if (auto core = recastObj<DisplayableCoreCanvas>(getCorrespondingCanvas())) core->reLayout();
}

JavaPtr<Graphics> Displayable::getGraphicsField() {
    std::lock_guard guard(Canvas::paintLock());
    return m_graphics;
}

void Displayable::setGraphicsField(const JavaPtr<Graphics>& graphics) {
    std::lock_guard guard(Canvas::paintLock());
    m_graphics = graphics;
}

bool Displayable::addCommand(const JavaPtr<JArray<Command>>& commands, const JavaPtr<Command>& command) {
    if (!command) throw java::lang::NullPointerException();
    int32_t freeSlot = -1;
    if (findCommandIndex(commands, command, &freeSlot) >= 0) return false;
    if (freeSlot >= 0) {
        (*commands)[freeSlot] = command;
        return true;
    }
    const int32_t before = commands->length;
    commands->append(command);
    return commands->length != before;
}

bool Displayable::removeCommand(const JavaPtr<JArray<Command>>& commands, const JavaPtr<Command>& command) {
    const int32_t index = findCommandIndex(commands, command, nullptr);
    if (index < 0) return false;
    (*commands)[index] = nullptr;
    return true;
}

int32_t Displayable::findCommandIndex(const JavaPtr<JArray<Command>>& commands, const JavaPtr<Command>& command,
                                      int32_t* freeSlot) {
    if (freeSlot) *freeSlot = -1;
    if (!commands) return -1;
    int32_t found = -1;
    for (int32_t i = 0; i < commands->length; ++i) {
        const JavaPtr<Command>& entry = (*commands)[i];
        if (!entry) {
            if (freeSlot) *freeSlot = i;
        } else if (entry == command) {
            found = i;
        }
    }
    return found;
}

}  // namespace javax::microedition::lcdui
