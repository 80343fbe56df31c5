// Text built up one unit at a time, turned into a String when done; synchronized on its monitor, as in Java.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::lang {

class String;

class StringBuffer : public Object {
    JAVA_CLASS(StringBuffer, "java.lang.StringBuffer", Object)
public:
    StringBuffer() : StringBuffer(16) {}
    // A negative capacity throws IllegalArgumentException.
    explicit StringBuffer(int32_t capacity);

    JavaPtr<StringBuffer> append(jchar unit);
    int32_t length();
    JavaPtr<String> toString() override;

private:
    std::u16string m_units;
};

}  // namespace java::lang
