// The client arrays a later draw reads: each pointer operation's buffer is held until its array is
// pointed elsewhere, and a draw checks that the enabled held arrays cover the vertices it reads.
// There is one set for the one context, read and changed only by the thread that owns the context:
// taking it passes through the view's lock, which orders one owner's changes before the next one's.
// The per-call paths are inline: a frame loop points and draws with the same buffers every frame.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/khronos/nio/Buffer.h"

namespace javax::microedition::khronos::opengles {

[[noreturn]] void throwBadArgument();

enum class ClientArray { VERTEX, NORMAL, COLOR, TEXCOORD, POINT_SIZE };

class ClientArrays {
public:
    static constexpr int32_t TEXTURE_UNITS = 8;

    static ClientArrays& current();

    // Keeps the buffer, bytes long from its position, alive until the array is pointed elsewhere
    // (null: a buffer object or nothing).
    void hold(ClientArray array, java::nio::Buffer* buffer, int64_t bytes, int32_t size, int32_t type,
              int32_t stride) {
        Held& held = find(array);
        // Pointing an array at the same buffer again, as a frame loop does, changes nothing.
        if (held.buffer.get() != buffer || held.bytes != bytes || held.size != size || held.type != type ||
            held.stride != stride)
            change(held, buffer, bytes, size, type, stride);
    }
    // IllegalArgumentException unless the enabled held arrays cover vertices 0 .. vertices - 1.
    void check(int64_t vertices) {
        if (m_changed) recount();
        if (vertices > m_drawable) throwBadArgument();
    }
    void setEnabled(int32_t array, bool enabled);
    void setClientActiveTexture(int32_t texture);

private:
    struct Held {
        JavaPtr<java::nio::Buffer> buffer;
        int64_t bytes = 0;
        int32_t size = 0, type = 0, stride = 0;
        int64_t vertices = 0;  // how many vertices the buffer holds, whole
        bool enabled = false;
    };

    Held& find(ClientArray array) {
        switch (array) {
            case ClientArray::VERTEX: return m_fixed[0];
            case ClientArray::NORMAL: return m_fixed[1];
            case ClientArray::COLOR: return m_fixed[2];
            case ClientArray::POINT_SIZE: return m_fixed[3];
            case ClientArray::TEXCOORD: break;
        }
        return m_texcoord[static_cast<size_t>(m_clientActiveUnit)];
    }
    void change(Held& held, java::nio::Buffer* buffer, int64_t bytes, int32_t size, int32_t type, int32_t stride);
    // Works out the fewest vertices any enabled held array has again.
    void recount();

    std::array<Held, 4> m_fixed;  // vertex, normal, colour, point size
    std::array<Held, TEXTURE_UNITS> m_texcoord;
    int32_t m_clientActiveUnit = 0;
    int64_t m_drawable = INT64_MAX;
    bool m_changed = false;
};

namespace detail {
// Built before any code runs and never destroyed: GL threads may outlive static teardown.
union ClientArraysStorage {
    ClientArrays arrays;
    constexpr ClientArraysStorage() : arrays() {}
    ~ClientArraysStorage() {}
};
extern constinit ClientArraysStorage clientArrays;
}  // namespace detail

inline ClientArrays& ClientArrays::current() { return detail::clientArrays.arrays; }

}  // namespace javax::microedition::khronos::opengles
