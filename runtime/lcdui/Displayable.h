// The base of everything that can be made current: title, ticker, commands, listener, and the
// link to the canvas that actually draws it (itself for a Canvas, a chrome canvas for a screen).
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class Canvas;
class Command;
class CommandListener;
class Graphics;
class Ticker;

class Displayable : public java::lang::Object {
    JAVA_CLASS(Displayable, "javax.microedition.lcdui.Displayable", java::lang::Object)
public:
    // Set while the platform has paused or is ending the application: nothing counts as shown.
    static inline std::atomic<bool> isInterrupted{false};

    Displayable();
    ~Displayable() override;
    void WENDinvokeconstructor() { Object::WENDinvokeconstructor(); }

    virtual void addCommand(const JavaPtr<Command>& command);
    virtual int32_t getHeight();
    virtual int32_t getWidth();
    virtual JavaPtr<Ticker> getTicker();
    virtual JavaPtr<java::lang::String> getTitle();
    virtual bool isShown();
    virtual void removeCommand(const JavaPtr<Command>& command);
    virtual void setCommandListener(const JavaPtr<CommandListener>& listener);
    virtual void setTicker(const JavaPtr<Ticker>& ticker);
    virtual void setTitle(const JavaPtr<java::lang::String>& title);
    virtual void sizeChanged(int32_t w, int32_t h) {}

    // Null until the first command is added; the chrome reads no commands from a null set.
    JavaPtr<JArray<Command>> getCommands();
    JavaPtr<CommandListener> getCommandListener();
    void setCorrespondingCanvas(Canvas* canvas);
    JavaPtr<Canvas> getCorrespondingCanvas();
    void reLayout();

    // The drawing context the Display hands over; read and written under Canvas's paint lock,
    // because the tick thread hands it over while the application may be painting.
    JavaPtr<Graphics> getGraphicsField();
    void setGraphicsField(const JavaPtr<Graphics>& graphics);

    // Command sets compared by identity; a removed command leaves a hole that the next add reuses.
    // A null command throws NullPointerException, and so does a null set (it cannot grow in place).
    static bool addCommand(const JavaPtr<JArray<Command>>& commands, const JavaPtr<Command>& command);
    static bool removeCommand(const JavaPtr<JArray<Command>>& commands, const JavaPtr<Command>& command);
    static int32_t findCommandIndex(const JavaPtr<JArray<Command>>& commands, const JavaPtr<Command>& command,
                                    int32_t* freeSlot);

private:
    JavaPtr<Graphics> m_graphics;
    JavaPtr<java::lang::String> m_title;
    JavaPtr<Ticker> m_ticker;
    JavaPtr<JArray<Command>> m_commands;
    JavaPtr<Object> m_reserved;
    JavaPtr<CommandListener> m_commandListener;
    bool m_listenerIsSelf = false;
    // A canvas is its own canvas; holding a counted reference to itself would keep it alive for ever.
    JavaPtr<Canvas> m_correspondingCanvas;
    bool m_canvasIsSelf = false;
};

}  // namespace javax::microedition::lcdui
