// The element access shared by the typed buffers: absolute and relative get and put of single
// elements and of arrays, over storage that a wrapped array or a byte buffer provides.
#pragma once

#include <cstring>

#include "runtime/khronos/nio/Buffer.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/JArray.h"

namespace java::nio {

template <class T>
class TypedBuffer : public Buffer {
public:
    T get() { return load(advance(1)); }
    T get(int32_t index) const { return load(elementAt(index, 1)); }
    void put(T value) { store(advance(1), value); }
    void put(int32_t index, T value) { store(elementAt(index, 1), value); }
    // Copies the array's elements from offset on at the position, which moves past them.
    void put(const JavaPtr<JArray<T>>& source, int32_t offset, int32_t length) {
        checkRange(source, offset, length);
        if (length > 0) std::memcpy(advance(length), source->data + offset, sizeof(T) * static_cast<size_t>(length));
    }
    void put(const JavaPtr<JArray<T>>& source) { put(source, 0, source ? source->length : 0); }
    void get(const JavaPtr<JArray<T>>& destination, int32_t offset, int32_t length) {
        checkRange(destination, offset, length);
        if (length > 0) std::memcpy(destination->data + offset, advance(length), sizeof(T) * static_cast<size_t>(length));
    }
    // The wrapped array, or null for a buffer made over other storage.
    JavaPtr<JArray<T>> array() const { return m_wrapped; }
    bool hasArray() const { return m_wrapped != nullptr; }

protected:
    TypedBuffer(JavaPtr<java::lang::Object> storage, uint8_t* base, int32_t capacity)
        : Buffer(std::move(storage), base, capacity, sizeof(T)) {}
    explicit TypedBuffer(const JavaPtr<JArray<T>>& wrapped)
        : Buffer(wrapped, reinterpret_cast<uint8_t*>(wrapped ? wrapped->data : nullptr), wrapped ? wrapped->length : 0,
                 sizeof(T)),
          m_wrapped(wrapped) {
        if (!wrapped) java::lang::throwNullPointerException();
    }

private:
    static T load(const uint8_t* at) {
        T value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    static void store(uint8_t* at, T value) { std::memcpy(at, &value, sizeof value); }
    static void checkRange(const JavaPtr<JArray<T>>& array, int32_t offset, int32_t length) {
        if (!array) java::lang::throwNullPointerException();
        if (offset < 0 || length < 0 || offset > array->length - length)
            throw java::lang::IndexOutOfBoundsException();
    }

    JavaPtr<JArray<T>> m_wrapped;
};

}  // namespace java::nio
