// Process-wide services: clocks, array copying, standard streams and the system properties.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::io { class PrintStream; }

namespace java::lang {

class String;

void checkArrayRange(int32_t arrayLength, int32_t position, int32_t count);

class System : public Object {
    JAVA_CLASS(System, "java.lang.System", Object)
public:
    static inline JavaPtr<java::io::PrintStream> out;
    static inline JavaPtr<java::io::PrintStream> err;

    static void System_staticInit();
    static void System_staticDestroy();

    // Wall-clock milliseconds since 1970-01-01 00:00 GMT.
    static int64_t currentTimeMillis();

    // Copies as if through a temporary, so overlapping ranges of one array are safe.
    // A range outside either array throws ArrayIndexOutOfBoundsException, a null array NullPointerException.
    template <class T>
    static void arraycopy(const JavaPtr<JArray<T>>& src, int32_t srcPos, const JavaPtr<JArray<T>>& dst,
                          int32_t dstPos, int32_t length) {
        checkArrayRange(src->length, srcPos, length);
        checkArrayRange(dst->length, dstPos, length);
        if (length == 0) return;
        auto* from = src->data + srcPos;
        auto* to = dst->data + dstPos;
        if constexpr (std::is_trivially_copyable_v<typename JArray<T>::Element>) {
            std::memmove(to, from, static_cast<size_t>(length) * sizeof(*from));
        } else if (to < from || src.get() != dst.get()) {
            for (int32_t i = 0; i < length; ++i) to[i] = from[i];
        } else {
            for (int32_t i = length - 1; i >= 0; --i) to[i] = from[i];
        }
    }

    // Nothing is collected: objects go when their last reference does.
    static void gc() {}

    static JavaPtr<String> getProperty(const JavaPtr<String>& key);

    // The values that come from the device; the host sets them once at start-up.
    static void setDeviceProperties(const char* locale, const char* platform, bool retina);
};

}  // namespace java::lang
