// A growable array of object references; synchronized on the vector's monitor, as in Java.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/lang/Object.h"

namespace java::util {

class Vector : public java::lang::Object {
    JAVA_CLASS(Vector, "java.util.Vector", java::lang::Object)
public:
    Vector();

    void addElement(const JavaPtr<java::lang::Object>& element);
    // Removes the first slot holding this very object (identity, not equals), shifting the rest down.
    bool removeElement(const JavaPtr<java::lang::Object>& element);
    // Null for an empty slot below the capacity; ArrayIndexOutOfBoundsException outside the block.
    JavaPtr<java::lang::Object> elementAt(int32_t index);
    int32_t size();
    int32_t capacity();

private:
    std::vector<JavaPtr<java::lang::Object>> m_slots;  // the element block; slots from m_count on are null
    int32_t m_count = 0;
};

}  // namespace java::util
