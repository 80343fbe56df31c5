// An argument that refers to an object for the length of one call, without counting: the caller's
// counted reference keeps the object alive until the call returns. Taking it from a reference to a
// subclass costs nothing, where a JavaPtr of the base would count up and down around the call.
// Only for parameters; what must outlive the call is kept in a JavaPtr of its own.
#pragma once

#include <cstddef>
#include <type_traits>

#include "runtime/lang/JavaPtr.h"

namespace java::lang {

template <class T>
class BorrowedPtr {
public:
    BorrowedPtr(std::nullptr_t) noexcept {}
    template <class U>
        requires std::is_convertible_v<U*, T*>
    BorrowedPtr(const JavaPtr<U, true>& reference) noexcept : m_ptr(reference.get()) {}
    BorrowedPtr& operator=(const BorrowedPtr&) = delete;

    T* get() const noexcept { return m_ptr; }
    T* operator->() const {
        if (!m_ptr) [[unlikely]]
            throwNullPointerException();
        return m_ptr;
    }
    explicit operator bool() const noexcept { return m_ptr != nullptr; }

private:
    T* m_ptr = nullptr;
};

}  // namespace java::lang

using java::lang::BorrowedPtr;
