// The counted reference held by every field, local, argument and result that refers to an object.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "runtime/lang/Smart.h"

namespace java::lang {

[[noreturn]] void throwNullPointerException();

template <class T, bool Counted = true>
class JavaPtr {
    static_assert(Counted, "only counted references exist in this runtime");

public:
    using element_type = T;

    JavaPtr() noexcept = default;
    JavaPtr(std::nullptr_t) noexcept {}
    JavaPtr(T* object) noexcept { m_RtypeSetAndAcquire(object); }
    JavaPtr(const JavaPtr& other) noexcept : m_smart(other.m_smart), m_ptr(other.m_ptr) {
        if (m_smart) m_smart->acquire();
    }
    JavaPtr(JavaPtr&& other) noexcept : m_smart(other.m_smart), m_ptr(other.m_ptr) {
        other.m_smart = nullptr;
        other.m_ptr = nullptr;
    }
    // A class reference converts to a reference of any of its bases or interfaces.
    template <class U>
        requires std::is_convertible_v<U*, T*>
    JavaPtr(const JavaPtr<U, true>& other) noexcept : m_smart(other.smart()), m_ptr(other.get()) {
        if (m_smart) m_smart->acquire();
    }
    template <class U>
        requires std::is_convertible_v<U*, T*>
    JavaPtr(JavaPtr<U, true>&& other) noexcept : m_smart(other.smart()), m_ptr(other.get()) {
        other.detach();
    }
    ~JavaPtr() { m_RtypeRelease(); }

    JavaPtr& operator=(const JavaPtr& other) noexcept { return assign(other); }
    JavaPtr& operator=(JavaPtr&& other) noexcept {
        if (this != &other) {
            Smart* old = m_smart;
            m_smart = std::exchange(other.m_smart, nullptr);
            m_ptr = std::exchange(other.m_ptr, nullptr);
            if (old) old->release();
        }
        return *this;
    }
    JavaPtr& operator=(std::nullptr_t) noexcept {
        m_RtypeRelease();
        return *this;
    }

    // Replaces the referent; the new one is acquired before the old one is released,
    // so assigning a reference to itself (or to something the old referent owns) is safe.
    JavaPtr& assign(const JavaPtr& other) noexcept {
        Smart* old = m_smart;
        m_smart = other.m_smart;
        m_ptr = other.m_ptr;
        if (m_smart) m_smart->acquire();
        if (old) old->release();
        return *this;
    }
    void m_RtypeSetAndAcquire(T* object) noexcept {
        Smart* old = m_smart;
        m_ptr = object;
        m_smart = object ? static_cast<Smart*>(object) : nullptr;
        if (m_smart) m_smart->acquire();
        if (old) old->release();
    }
    void m_RtypeRelease() noexcept {
        Smart* old = std::exchange(m_smart, nullptr);
        m_ptr = nullptr;
        if (old) old->release();
    }

    T* get() const noexcept { return m_ptr; }
    Smart* smart() const noexcept { return m_smart; }
    T* operator->() const {
        if (!m_ptr) [[unlikely]]
            throwNullPointerException();
        return m_ptr;
    }
    T& operator*() const { return *operator->(); }
    explicit operator bool() const noexcept { return m_ptr != nullptr; }

    // Identity: two references name the same object when they share its Smart part.
    template <class U>
    bool operator==(const JavaPtr<U, true>& other) const noexcept { return m_smart == other.smart(); }
    bool operator==(std::nullptr_t) const noexcept { return m_smart == nullptr; }

    // Used only by jnew: the first reference to a just-constructed object.
    static JavaPtr adoptFresh(T* object) noexcept {
        JavaPtr made;
        made.m_ptr = object;
        made.m_smart = static_cast<Smart*>(object);
        made.m_smart->acquireFresh();
        return made;
    }

    // Used only by converting moves: gives up the pointers without releasing.
    void detach() noexcept {
        m_smart = nullptr;
        m_ptr = nullptr;
    }

private:
    Smart* m_smart = nullptr;
    T* m_ptr = nullptr;
};

// Creates an object held by a counted reference from its first moment.
template <class T, class... Args>
JavaPtr<T> jnew(Args&&... args) {
    return JavaPtr<T>::adoptFresh(new T(std::forward<Args>(args)...));
}

// The checked cast by type id: the object seen as T, or null when it is not one.
template <class T>
JavaPtr<T> recastObj(Smart* object) {
    if (!object) return nullptr;
    if constexpr (requires { T::isArrayType; }) {
        return JavaPtr<T>(dynamic_cast<T*>(object));
    } else {
        return JavaPtr<T>(static_cast<T*>(object->castAsTypeID(T::typeID)));
    }
}
template <class T, class U>
JavaPtr<T> recastObj(const JavaPtr<U>& object) {
    return recastObj<T>(object.smart());
}

inline void* recastObj(Smart* object, int32_t typeId) { return object ? object->castAsTypeID(typeId) : nullptr; }
inline bool instanceofObj(Smart* object, int32_t typeId) { return recastObj(object, typeId) != nullptr; }
template <class U>
bool instanceofObj(const JavaPtr<U>& object, int32_t typeId) {
    return instanceofObj(object.smart(), typeId);
}

}  // namespace java::lang

using java::lang::JavaPtr;
