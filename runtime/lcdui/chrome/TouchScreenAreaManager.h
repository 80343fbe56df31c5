// The process-wide registry of named touch areas: widgets register rectangles with a listener while
// they paint, and the screen's canvas feeds it each press, drag and release after choosing the live
// area group. Every operation takes the LCDUI lock, so painting and input never meet mid-change.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/JavaPtr.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

class TouchScreenArea;
class TouchScreenAreaListener;

class TouchScreenAreaManager {
public:
    // 0 the screen chrome, 1 form items (form coordinates), 2 item overlays (screen coordinates).
    using AreaGroup = int32_t;

    // Registering a name again replaces its rectangle and listener in place; null name or listener: nothing.
    static void registerArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const JavaPtr<java::lang::String>& name,
                             const JavaPtr<TouchScreenAreaListener>& listener, AreaGroup group);
    static void unregisterArea(const JavaPtr<java::lang::String>& name);
    // Removes every area of that very listener.
    static void unregisterAllAreas(const JavaPtr<TouchScreenAreaListener>& listener);
    static void setAreaGroup(AreaGroup group);
    static int32_t numInGroup(AreaGroup group);
    // The area a press there would hit (the last of the current group holding the point), or -1.
    static int32_t areaIndexForPoint(int32_t x, int32_t y);
    static bool pointerPressed(int32_t x, int32_t y);
    static bool pointerDragged(int32_t x, int32_t y);
    static bool pointerReleased(int32_t x, int32_t y);
    // prefix + running number + "_", not the start of any registered name.
    static JavaPtr<java::lang::String> getUniqueBaseCode(const JavaPtr<java::lang::String>& prefix);
    // Deletes the registry; the next call starts an empty one whose counter starts again at 0.
    static void destroy();

    // For tests and the harness: the rectangle {x0, y0, x1, y1} of a registered name.
    static bool areaFor(const JavaPtr<java::lang::String>& name, int32_t (&rectangle)[4]);
    static int32_t count();

    static inline TouchScreenAreaManager* m_instance = nullptr;

private:
    TouchScreenAreaManager();
    static TouchScreenAreaManager& m_getInstance();
    int32_t m_getNearestIndex(const JavaPtr<java::lang::String>& name) const;
    int32_t m_indexOfName(const JavaPtr<java::lang::String>& name) const;
    void m_insertAtIndex(int32_t index, const JavaPtr<TouchScreenArea>& area,
                         const JavaPtr<TouchScreenAreaListener>& listener, const JavaPtr<java::lang::String>& name);
    template <class Keep>
    void m_keepOnly(Keep&& keep);
    bool m_heldAreaIsRegistered() const;
    void m_dropPress();

    JavaPtr<JArray<TouchScreenArea>> m_areas;
    JavaPtr<JArray<TouchScreenAreaListener>> m_listeners;
    JavaPtr<JArray<java::lang::String>> m_names;
    int32_t m_count = 0;
    int32_t m_uniqueCounter = 0;
    AreaGroup m_areaGroup = 0;
    int32_t m_pressX = 0;
    int32_t m_pressY = 0;
    JavaPtr<java::lang::String> m_pressedName;
    JavaPtr<TouchScreenArea> m_pressedArea;
    JavaPtr<TouchScreenAreaListener> m_pressedListener;
};

}  // namespace javax::microedition::lcdui
