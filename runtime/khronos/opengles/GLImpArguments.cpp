#include "runtime/khronos/opengles/GLImpArguments.h"

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

}  // namespace

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
    ClientArrays::current().check(highest + 1);
}

void paletteNotOffered(const char* operation) {
    static std::mutex lock;
    static std::set<std::string> reported;
    std::lock_guard guard(lock);
    if (reported.insert(operation).second)
        std::fprintf(stderr, "GL: %s does nothing: the driver offers no matrix palette\n", operation);
}

}  // namespace javax::microedition::khronos::opengles
