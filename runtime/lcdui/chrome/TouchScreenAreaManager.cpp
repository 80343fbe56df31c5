#include "runtime/lcdui/chrome/TouchScreenAreaManager.h"

#include <mutex>

#include "runtime/lcdui/Canvas.h"
#include "runtime/lcdui/chrome/TouchScreenArea.h"
#include "runtime/lcdui/chrome/TouchScreenAreaListener.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

using java::lang::String;

namespace {

std::unique_lock<std::recursive_mutex> lcduiLock() { return std::unique_lock(Canvas::paintLock()); }

}  // namespace

TouchScreenAreaManager::TouchScreenAreaManager()
    : m_areas(new JArray<TouchScreenArea>(0)),
      m_listeners(new JArray<TouchScreenAreaListener>(0)),
      m_names(new JArray<String>(0)) {}

TouchScreenAreaManager& TouchScreenAreaManager::m_getInstance() {
    if (!m_instance) m_instance = new TouchScreenAreaManager();
    return *m_instance;
}

int32_t TouchScreenAreaManager::m_getNearestIndex(const JavaPtr<String>& name) const {
    for (int32_t i = 0; i < m_count; ++i)
        if (name->compareTo((*m_names)[i]) < 0) return i;
    return m_count;
}

int32_t TouchScreenAreaManager::m_indexOfName(const JavaPtr<String>& name) const {
    for (int32_t i = 0; i < m_count; ++i)
        if (name->equals((*m_names)[i])) return i;
    return -1;
}

void TouchScreenAreaManager::m_insertAtIndex(int32_t index, const JavaPtr<TouchScreenArea>& area,
                                             const JavaPtr<TouchScreenAreaListener>& listener,
                                             const JavaPtr<String>& name) {
    // New arrays rather than in-place growth: a caller iterating the old ones keeps a whole copy.
    JavaPtr<JArray<TouchScreenArea>> areas(new JArray<TouchScreenArea>(m_count + 1));
    JavaPtr<JArray<TouchScreenAreaListener>> listeners(new JArray<TouchScreenAreaListener>(m_count + 1));
    JavaPtr<JArray<String>> names(new JArray<String>(m_count + 1));
    for (int32_t from = 0, to = 0; to <= m_count; ++to) {
        if (to == index) {
            (*areas)[to] = area;
            (*listeners)[to] = listener;
            (*names)[to] = name;
            continue;
        }
        (*areas)[to] = (*m_areas)[from];
        (*listeners)[to] = (*m_listeners)[from];
        (*names)[to] = (*m_names)[from];
        ++from;
    }
    m_areas = areas;
    m_listeners = listeners;
    m_names = names;
    ++m_count;
}

template <class Keep>
void TouchScreenAreaManager::m_keepOnly(Keep&& keep) {
    int32_t kept = 0;
    for (int32_t i = 0; i < m_count; ++i) kept += keep(i) ? 1 : 0;
    if (kept == m_count) return;
    JavaPtr<JArray<TouchScreenArea>> areas(new JArray<TouchScreenArea>(kept));
    JavaPtr<JArray<TouchScreenAreaListener>> listeners(new JArray<TouchScreenAreaListener>(kept));
    JavaPtr<JArray<String>> names(new JArray<String>(kept));
    for (int32_t i = 0, to = 0; i < m_count; ++i) {
        if (!keep(i)) continue;
        (*areas)[to] = (*m_areas)[i];
        (*listeners)[to] = (*m_listeners)[i];
        (*names)[to] = (*m_names)[i];
        ++to;
    }
    m_areas = areas;
    m_listeners = listeners;
    m_names = names;
    m_count = kept;
}

void TouchScreenAreaManager::m_dropPress() {
    m_pressedName = nullptr;
    m_pressedArea = nullptr;
    m_pressedListener = nullptr;
}

// Asked when the gesture goes on, not when areas change: a widget re-laid out under the finger
// unregisters its areas and registers them again at its next paint, and its press must survive that.
// A listener whose area is not registered at that moment hears nothing: its owner may be gone.
bool TouchScreenAreaManager::m_heldAreaIsRegistered() const {
    const int32_t index = m_indexOfName(m_pressedName);
    return index >= 0 && (*m_listeners)[index] == m_pressedListener;
}

void TouchScreenAreaManager::registerArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const JavaPtr<String>& name,
                                          const JavaPtr<TouchScreenAreaListener>& listener, AreaGroup group) {
    if (!name || !listener) return;
    auto lock = lcduiLock();
    TouchScreenAreaManager& self = m_getInstance();
    JavaPtr<TouchScreenArea> area = java::lang::jnew<TouchScreenArea>(x0, y0, x1, y1, group);
    if (const int32_t index = self.m_indexOfName(name); index >= 0) {
        // Replaced in place; a gesture under way keeps measuring against the area it pressed.
        (*self.m_areas)[index] = area;
        (*self.m_listeners)[index] = listener;
        return;
    }
    self.m_insertAtIndex(self.m_getNearestIndex(name), area, listener, name);
}

void TouchScreenAreaManager::unregisterArea(const JavaPtr<String>& name) {
    auto lock = lcduiLock();
    // Nothing to remove: no registry is made for it (a canvas may go after the teardown).
    if (!name || !m_instance) return;
    TouchScreenAreaManager& self = m_getInstance();
    self.m_keepOnly([&](int32_t i) { return !name->equals((*self.m_names)[i]); });
}

void TouchScreenAreaManager::unregisterAllAreas(const JavaPtr<TouchScreenAreaListener>& listener) {
    auto lock = lcduiLock();
    if (!m_instance || m_instance->m_count == 0) return;
    TouchScreenAreaManager& self = *m_instance;
    self.m_keepOnly([&](int32_t i) { return (*self.m_listeners)[i] != listener; });
}

void TouchScreenAreaManager::setAreaGroup(AreaGroup group) {
    auto lock = lcduiLock();
    m_getInstance().m_areaGroup = group;
}

int32_t TouchScreenAreaManager::numInGroup(AreaGroup group) {
    auto lock = lcduiLock();
    TouchScreenAreaManager& self = m_getInstance();
    int32_t found = 0;
    for (int32_t i = 0; i < self.m_count; ++i) found += (*self.m_areas)[i]->group == group ? 1 : 0;
    return found;
}

int32_t TouchScreenAreaManager::areaIndexForPoint(int32_t x, int32_t y) {
    auto lock = lcduiLock();
    TouchScreenAreaManager& self = m_getInstance();
    int32_t hit = -1;
    for (int32_t i = 0; i < self.m_count; ++i) {
        const TouchScreenArea& area = *(*self.m_areas)[i];
        if (area.group == self.m_areaGroup && area.contains(x, y)) hit = i;
    }
    return hit;
}

bool TouchScreenAreaManager::pointerPressed(int32_t x, int32_t y) {
    auto lock = lcduiLock();
    TouchScreenAreaManager& self = m_getInstance();
    self.m_pressX = x;
    self.m_pressY = y;
    const int32_t index = areaIndexForPoint(x, y);
    if (index < 0) {
        self.m_dropPress();
        return false;
    }
    self.m_pressedName = (*self.m_names)[index];
    self.m_pressedArea = (*self.m_areas)[index];
    self.m_pressedListener = (*self.m_listeners)[index];
    // Locals: the listener may change the registry, or destroy it, while it handles the event.
    JavaPtr<TouchScreenAreaListener> listener = self.m_pressedListener;
    JavaPtr<TouchScreenArea> area = self.m_pressedArea;
    listener->dispatchEvent(self.m_pressedName, TouchScreenAreaListener::PRESS, x - area->x0, y - area->y0, -1, -1,
                            true);
    return true;
}

bool TouchScreenAreaManager::pointerDragged(int32_t x, int32_t y) {
    auto lock = lcduiLock();
    TouchScreenAreaManager& self = m_getInstance();
    if (!self.m_pressedListener || !self.m_pressedName || !self.m_pressedArea) return false;
    if (self.m_pressedArea->group != self.m_areaGroup || !self.m_heldAreaIsRegistered()) return false;
    JavaPtr<TouchScreenAreaListener> listener = self.m_pressedListener;
    JavaPtr<TouchScreenArea> area = self.m_pressedArea;
    JavaPtr<String> name = self.m_pressedName;
    listener->dispatchEvent(name, TouchScreenAreaListener::DRAG, x - area->x0, y - area->y0, x - self.m_pressX,
                            y - self.m_pressY, area->contains(x, y));
    return true;
}

bool TouchScreenAreaManager::pointerReleased(int32_t x, int32_t y) {
    auto lock = lcduiLock();
    TouchScreenAreaManager& self = m_getInstance();
    if (!self.m_pressedListener || !self.m_pressedName || !self.m_pressedArea) return false;
    if (self.m_pressedArea->group != self.m_areaGroup) return false;
    if (!self.m_heldAreaIsRegistered()) {
        self.m_dropPress();
        return false;
    }
    JavaPtr<TouchScreenAreaListener> listener = self.m_pressedListener;
    JavaPtr<TouchScreenArea> area = self.m_pressedArea;
    JavaPtr<String> name = self.m_pressedName;
    // Dropped before the listener runs, so that a press it causes is not wiped afterwards.
    self.m_dropPress();
    listener->dispatchEvent(name, TouchScreenAreaListener::RELEASE, x - area->x0, y - area->y0, -1, -1,
                            area->contains(x, y));
    return true;
}

JavaPtr<String> TouchScreenAreaManager::getUniqueBaseCode(const JavaPtr<String>& prefix) {
    auto lock = lcduiLock();
    TouchScreenAreaManager& self = m_getInstance();
    for (;;) {
        JavaPtr<String> candidate = prefix + self.m_uniqueCounter + "_";
        const int32_t index = self.m_getNearestIndex(candidate);
        if (index == self.m_count || (*self.m_names)[index]->indexOf(candidate) == -1) {
            ++self.m_uniqueCounter;
            return candidate;
        }
        ++self.m_uniqueCounter;
    }
}

void TouchScreenAreaManager::destroy() {
    auto lock = lcduiLock();
    delete m_instance;
    m_instance = nullptr;
}

bool TouchScreenAreaManager::areaFor(const JavaPtr<String>& name, int32_t (&rectangle)[4]) {
    auto lock = lcduiLock();
    TouchScreenAreaManager& self = m_getInstance();
    const int32_t index = name ? self.m_indexOfName(name) : -1;
    if (index < 0) return false;
    const TouchScreenArea& area = *(*self.m_areas)[index];
    rectangle[0] = area.x0;
    rectangle[1] = area.y0;
    rectangle[2] = area.x1;
    rectangle[3] = area.y1;
    return true;
}

int32_t TouchScreenAreaManager::count() {
    auto lock = lcduiLock();
    return m_getInstance().m_count;
}

}  // namespace javax::microedition::lcdui
