// What the GL forwarders do around the call: check that what GL will read or write lies inside
// the caller's array or buffer (IllegalArgumentException otherwise, GL not called), hold the
// buffers of the client arrays a later draw reads, and take the view's context for this thread.
#pragma once

#include <algorithm>
#include <cstdint>

#include "runtime/khronos/ViewBridge.h"
#include "runtime/khronos/opengles/ClientArrays.h"
#include "runtime/khronos/nio/Buffer.h"
#include "runtime/khronos/nio/FloatBuffer.h"
#include "runtime/khronos/nio/IntBuffer.h"
#include "runtime/khronos/nio/ShortBuffer.h"
#include "runtime/khronos/opengles/GLFunctions.h"
#include "runtime/lang/JArray.h"

namespace javax::microedition::khronos::opengles {

// Converts to whatever pointer type the GL function takes.
struct PointerArgument {
    void* address;
    template <class T>
    operator T*() const {
        return static_cast<T*>(address);
    }
};

// Element offset of the array; at least need elements from there.
template <class T>
void* arrayPointer(const JavaPtr<JArray<T>>& array, int32_t offset, int64_t need) {
    if (!array || offset < 0 || offset > array->length || array->length - offset < need) throwBadArgument();
    return array->data + offset;
}

// The buffer's position; at least needBytes bytes from there to its limit. A null buffer is
// refused unless GL takes null there.
inline void* bufferPointer(java::nio::Buffer* buffer, int64_t needBytes, bool nullAllowed) {
    if (!buffer) {
        if (nullAllowed) return nullptr;
        throwBadArgument();
    }
    if (static_cast<int64_t>(buffer->remaining()) * buffer->m_elementSize() < needBytes) throwBadArgument();
    return buffer->m_positionAddress();
}

// The int form of the pointer operations: a byte offset into the bound buffer object.
inline void* offsetPointer(int32_t offset) { return reinterpret_cast<void*>(static_cast<intptr_t>(offset)); }

// How many values GL reads or writes for the parameter (1 for those not listed).
int64_t parameterCount(int32_t pname);
// Bytes of a width x height image in format and type with rows aligned as GL's pixel storage says.
int64_t pixelBytes(int32_t width, int32_t height, int32_t format, int32_t type, int32_t alignmentName);
// Bytes of one value of a GL vertex or index type.
int64_t typeBytes(int32_t type);
// Bytes of count indices of the type.
int64_t indexBytes(int32_t count, int32_t type);

// Keeps the buffer alive until the array is pointed elsewhere (null: a buffer object or nothing).
inline void holdClientArray(ClientArray array, java::nio::Buffer* buffer, int32_t size, int32_t type,
                            int32_t stride) {
    const int64_t bytes = buffer ? static_cast<int64_t>(buffer->remaining()) * buffer->m_elementSize() : 0;
    ClientArrays::current().hold(array, buffer, bytes, size, type, stride);
}
inline void noteClientState(int32_t array, bool enabled) { ClientArrays::current().setEnabled(array, enabled); }
inline void noteClientActiveTexture(int32_t texture) { ClientArrays::current().setClientActiveTexture(texture); }
// The enabled client arrays held from buffers cover vertices first .. first + count - 1.
inline void checkClientArrays(int32_t first, int32_t count) {
    if (first < 0 || count <= 0) return;  // GL refuses or draws nothing
    ClientArrays::current().check(static_cast<int64_t>(first) + count);
}
// The same for the vertices the indices name.
void checkClientArrays(const void* indices, int32_t count, int32_t type);

// The matrix palette is not offered by the driver: its operations log once and do nothing.
void paletteNotOffered(const char* operation);

// Makes the view's context current on this thread unless this thread already has it; false when it
// cannot be taken (another thread kept it beyond the bound), and the operation then does nothing.
inline bool enterGL() {
    const ViewBridge& bridge = viewBridge();
    return bridge.ownedHere() || bridge.waitNative();
}

}  // namespace javax::microedition::khronos::opengles
