#include "runtime/khronos/opengles/ClientArrays.h"

#include <algorithm>

#include "runtime/khronos/opengles/GLImpArguments.h"

namespace javax::microedition::khronos::opengles {

constinit detail::ClientArraysStorage detail::clientArrays;

void ClientArrays::change(Held& held, java::nio::Buffer* buffer, int64_t bytes, int32_t size, int32_t type,
                          int32_t stride) {
    if (held.buffer.get() != buffer) held.buffer = JavaPtr<java::nio::Buffer>(buffer);
    held.bytes = bytes;
    held.size = size;
    held.type = type;
    held.stride = stride;
    const int64_t element = std::max<int64_t>(size, 0) * typeBytes(type);
    const int64_t step = stride > 0 ? stride : element;
    held.vertices = !buffer || bytes < element ? 0 : step > 0 ? (bytes - element) / step + 1 : INT64_MAX;
    m_changed = true;
}

void ClientArrays::recount() {
    m_drawable = INT64_MAX;
    for (const Held& held : m_fixed)
        if (held.enabled && held.buffer) m_drawable = std::min(m_drawable, held.vertices);
    for (const Held& held : m_texcoord)
        if (held.enabled && held.buffer) m_drawable = std::min(m_drawable, held.vertices);
    m_changed = false;
}

void ClientArrays::setEnabled(int32_t array, bool enabled) {
    Held* held = nullptr;
    switch (array) {
        case GL_VERTEX_ARRAY: held = &m_fixed[0]; break;
        case GL_NORMAL_ARRAY: held = &m_fixed[1]; break;
        case GL_COLOR_ARRAY: held = &m_fixed[2]; break;
        case GL_POINT_SIZE_ARRAY_OES: held = &m_fixed[3]; break;
        case GL_TEXTURE_COORD_ARRAY: held = &m_texcoord[static_cast<size_t>(m_clientActiveUnit)]; break;
        default: return;
    }
    held->enabled = enabled;
    m_changed = true;
}

void ClientArrays::setClientActiveTexture(int32_t texture) {
    const int32_t unit = texture - GL_TEXTURE0;
    if (unit >= 0 && unit < TEXTURE_UNITS) m_clientActiveUnit = unit;
}

}  // namespace javax::microedition::khronos::opengles
