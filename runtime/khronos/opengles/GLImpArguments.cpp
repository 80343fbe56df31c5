#include "runtime/khronos/opengles/GLImpArguments.h"

#include <array>
#include <climits>
#include <cstdio>
#include <mutex>
#include <set>
#include <string>

#include "runtime/khronos/ViewBridge.h"
#include "runtime/lang/Exceptions.h"

namespace javax::microedition::khronos::opengles {

void throwBadArgument() { throw java::lang::IllegalArgumentException(); }

int64_t parameterCount(int32_t pname) {
    switch (pname) {
        case GL_MODELVIEW_MATRIX:
        case GL_PROJECTION_MATRIX:
        case GL_TEXTURE_MATRIX:
            return 16;
        case GL_AMBIENT:
        case GL_DIFFUSE:
        case GL_SPECULAR:
        case GL_EMISSION:
        case GL_AMBIENT_AND_DIFFUSE:
        case GL_POSITION:
        case GL_FOG_COLOR:
        case GL_LIGHT_MODEL_AMBIENT:
        case GL_TEXTURE_ENV_COLOR:
        case GL_TEXTURE_CROP_RECT_OES:
        case GL_COLOR_CLEAR_VALUE:
        case GL_COLOR_WRITEMASK:
        case GL_CURRENT_COLOR:
        case GL_CURRENT_TEXTURE_COORDS:
        case GL_SCISSOR_BOX:
        case GL_VIEWPORT:
            return 4;
        case GL_SPOT_DIRECTION:
        case GL_CURRENT_NORMAL:
        case GL_POINT_DISTANCE_ATTENUATION:
            return 3;
        case GL_DEPTH_RANGE:
        case GL_ALIASED_POINT_SIZE_RANGE:
        case GL_ALIASED_LINE_WIDTH_RANGE:
        case GL_SMOOTH_POINT_SIZE_RANGE:
        case GL_SMOOTH_LINE_WIDTH_RANGE:
        case GL_MAX_VIEWPORT_DIMS:
            return 2;
        case GL_COMPRESSED_TEXTURE_FORMATS: {
            GLint formats = 0;
            glFunctions().glGetIntegerv(GL_NUM_COMPRESSED_TEXTURE_FORMATS, &formats);
            return std::max<int64_t>(formats, 1);
        }
        default:
            return 1;
    }
}

namespace {

// Bytes per pixel; an unknown combination counts as the largest GL reads, as GL refuses it anyway.
int64_t bytesPerPixel(int32_t format, int32_t type) {
    switch (type) {
        case GL_UNSIGNED_SHORT_5_6_5:
        case GL_UNSIGNED_SHORT_4_4_4_4:
        case GL_UNSIGNED_SHORT_5_5_5_1:
            return 2;
        case GL_UNSIGNED_BYTE:
            switch (format) {
                case GL_ALPHA:
                case GL_LUMINANCE:
                    return 1;
                case GL_LUMINANCE_ALPHA:
                    return 2;
                case GL_RGB:
                    return 3;
                case GL_RGBA:
                    return 4;
            }
    }
    return 16;
}

int64_t typeBytes(int32_t type) {
    switch (type) {
        case GL_BYTE:
        case GL_UNSIGNED_BYTE:
            return 1;
        case GL_SHORT:
        case GL_UNSIGNED_SHORT:
            return 2;
        default:
            return 4;
    }
}

}  // namespace

int64_t pixelBytes(int32_t width, int32_t height, int32_t format, int32_t type, int32_t alignmentName) {
    if (width <= 0 || height <= 0) return 0;
    GLint alignment = 4;
    glFunctions().glGetIntegerv(alignmentName, &alignment);
    alignment = std::clamp(alignment, 1, 8);
    const int64_t row = width * bytesPerPixel(format, type);
    const int64_t stride = (row + alignment - 1) / alignment * alignment;
    return stride * (height - 1) + row;
}

int64_t indexBytes(int32_t count, int32_t type) { return std::max<int64_t>(count, 0) * typeBytes(type); }

namespace {

constexpr int32_t TEXTURE_UNITS = 8;

struct HeldArray {
    JavaPtr<java::nio::Buffer> buffer;
    int64_t bytes = 0;
    int32_t size = 0, type = 0, stride = 0;
    int64_t vertices = 0;  // how many vertices the buffer holds, whole
    bool enabled = false;
};

// One set for the one context, read and changed only by the thread that owns the context: taking
// it passes through the view's lock, which orders one owner's changes before the next owner's.
struct ClientArrays {
    std::array<HeldArray, 4> fixed;  // vertex, normal, colour, point size
    std::array<HeldArray, TEXTURE_UNITS> texcoord;
    int32_t clientActiveUnit = 0;
    // The fewest vertices any enabled held array has; worked out again after a change, so that a
    // draw compares once.
    int64_t drawable = INT64_MAX;
    bool changed = false;

    HeldArray* find(ClientArray array) {
        switch (array) {
            case ClientArray::VERTEX: return &fixed[0];
            case ClientArray::NORMAL: return &fixed[1];
            case ClientArray::COLOR: return &fixed[2];
            case ClientArray::POINT_SIZE: return &fixed[3];
            case ClientArray::TEXCOORD: return &texcoord[clientActiveUnit];
        }
        return nullptr;
    }
    HeldArray* find(int32_t name) {
        switch (name) {
            case GL_VERTEX_ARRAY: return &fixed[0];
            case GL_NORMAL_ARRAY: return &fixed[1];
            case GL_COLOR_ARRAY: return &fixed[2];
            case GL_POINT_SIZE_ARRAY_OES: return &fixed[3];
            case GL_TEXTURE_COORD_ARRAY: return &texcoord[clientActiveUnit];
        }
        return nullptr;
    }
    void check(int64_t vertices) {
        if (changed) {
            drawable = INT64_MAX;
            for (const HeldArray& held : fixed)
                if (held.enabled && held.buffer) drawable = std::min(drawable, held.vertices);
            for (const HeldArray& held : texcoord)
                if (held.enabled && held.buffer) drawable = std::min(drawable, held.vertices);
            changed = false;
        }
        if (vertices > drawable) throwBadArgument();
    }
};

ClientArrays& clientArrays() {
    static ClientArrays* arrays = new ClientArrays;  // GL threads may outlive static teardown
    return *arrays;
}

}  // namespace

void holdClientArray(ClientArray array, java::nio::Buffer* buffer, int32_t size, int32_t type, int32_t stride) {
    ClientArrays& arrays = clientArrays();
    HeldArray& held = *arrays.find(array);
    const int64_t bytes = buffer ? static_cast<int64_t>(buffer->remaining()) * buffer->m_elementSize() : 0;
    // Pointing an array at the same buffer again, as a frame loop does, changes nothing.
    if (held.buffer.get() == buffer && held.bytes == bytes && held.size == size && held.type == type &&
        held.stride == stride)
        return;
    if (held.buffer.get() != buffer) held.buffer = JavaPtr<java::nio::Buffer>(buffer);
    held.bytes = bytes;
    held.size = size;
    held.type = type;
    held.stride = stride;
    const int64_t element = std::max<int64_t>(size, 0) * typeBytes(type);
    const int64_t step = stride > 0 ? stride : element;
    held.vertices = !buffer || bytes < element ? 0 : step > 0 ? (bytes - element) / step + 1 : INT64_MAX;
    arrays.changed = true;
}

void noteClientState(int32_t array, bool enabled) {
    ClientArrays& arrays = clientArrays();
    if (HeldArray* held = arrays.find(array)) {
        held->enabled = enabled;
        arrays.changed = true;
    }
}

void noteClientActiveTexture(int32_t texture) {
    const int32_t unit = texture - GL_TEXTURE0;
    if (unit >= 0 && unit < TEXTURE_UNITS) clientArrays().clientActiveUnit = unit;
}

void checkClientArrays(int32_t first, int32_t count) {
    if (first < 0 || count <= 0) return;  // GL refuses or draws nothing
    clientArrays().check(static_cast<int64_t>(first) + count);
}

void checkClientArrays(const void* indices, int32_t count, int32_t type) {
    if (!indices || count <= 0) return;
    int64_t highest = -1;
    for (int32_t i = 0; i < count; ++i) {
        if (type == GL_UNSIGNED_BYTE)
            highest = std::max<int64_t>(highest, static_cast<const uint8_t*>(indices)[i]);
        else if (type == GL_UNSIGNED_SHORT)
            highest = std::max<int64_t>(highest, static_cast<const uint16_t*>(indices)[i]);
        else
            return;  // GL refuses other types
    }
    clientArrays().check(highest + 1);
}

void paletteNotOffered(const char* operation) {
    static std::mutex lock;
    static std::set<std::string> reported;
    std::lock_guard guard(lock);
    if (reported.insert(operation).second)
        std::fprintf(stderr, "GL: %s does nothing: the driver offers no matrix palette\n", operation);
}

}  // namespace javax::microedition::khronos::opengles
