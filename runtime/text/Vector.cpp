#include "runtime/text/Vector.h"

#include <algorithm>

#include "runtime/lang/Exceptions.h"

namespace java::util {

using java::lang::Object;

namespace {
constexpr size_t initialCapacity = 10;
}

Vector::Vector() : m_slots(initialCapacity) {}

void Vector::addElement(const JavaPtr<Object>& element) {
    auto lock = startSync();
    if (static_cast<size_t>(m_count) == m_slots.size()) m_slots.resize(m_slots.size() * 2);
    m_slots[static_cast<size_t>(m_count++)] = element;
}

bool Vector::removeElement(const JavaPtr<Object>& element) {
    auto lock = startSync();
    for (int32_t i = 0; i < m_count; ++i) {
        if (!(m_slots[static_cast<size_t>(i)] == element)) continue;
        auto first = m_slots.begin() + i;
        std::move(first + 1, m_slots.begin() + m_count, first);
        m_slots[static_cast<size_t>(--m_count)] = nullptr;
        return true;
    }
    return false;
}

JavaPtr<Object> Vector::elementAt(int32_t index) {
    auto lock = startSync();
    if (index < 0 || static_cast<size_t>(index) >= m_slots.size()) throw java::lang::ArrayIndexOutOfBoundsException();
    return m_slots[static_cast<size_t>(index)];
}

int32_t Vector::size() {
    auto lock = startSync();
    return m_count;
}

int32_t Vector::capacity() {
    auto lock = startSync();
    return static_cast<int32_t>(m_slots.size());
}

}  // namespace java::util
