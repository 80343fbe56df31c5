// The GL operations that do more than check and forward.
#include <GLES/gl.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "runtime/khronos/nio/IntBuffer.h"
#include "runtime/khronos/opengles/GLImp.h"
#include "runtime/khronos/opengles/GLImpArguments.h"
#include "runtime/khronos/textures/CompressedUpload.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

namespace javax::microedition::khronos::opengles {

namespace {

// The matrix palette is left out: the driver has none, and its operations do nothing here.
constexpr const char* EXTENSIONS =
    "GL_OES_byte_coordinates GL_OES_fixed_point GL_OES_point_size_array GL_OES_draw_texture "
    "GL_OES_framebuffer_object GL_OES_stencil_wrap GL_OES_texture_env_crossbar GL_OES_texture_mirrored_repeat "
    "GL_IMG_texture_compression_pvrtc ";

// GL writes one byte per value; the caller's ints or booleans receive them afterwards.
template <class Store>
void getBooleans(int32_t pname, int64_t available, Store store) {
    const int64_t count = parameterCount(pname);
    if (available < count) throwBadArgument();
    std::vector<GLboolean> values(static_cast<size_t>(count));
    glFunctions().glGetBooleanv(pname, values.data());
    for (int64_t i = 0; i < count; ++i) store(i, values[static_cast<size_t>(i)] != 0);
}

}  // namespace

JavaPtr<java::lang::String> GLImp::jglGetString(int32_t name) {
    switch (name) {
        case GL_VENDOR: return java::lang::jnew<java::lang::String>("Pellmar");
        case GL_RENDERER: return java::lang::jnew<java::lang::String>("Wendrel");
        case GL_VERSION: return java::lang::jnew<java::lang::String>("OpenGL ES-CL 1.1");
        case GL_EXTENSIONS: return java::lang::jnew<java::lang::String>(EXTENSIONS);
        default: return java::lang::jnew<java::lang::String>(static_cast<int32_t>(GL_INVALID_ENUM));
    }
}

void GLImp::jglGetBooleanv(int32_t pname, BorrowedPtr<java::nio::IntBuffer> params) {
    if (!enterGL()) return;
    // Without a backing array there is nowhere the count could be checked against.
    if (!params || !params->hasArray()) throwBadArgument();
    const int32_t from = params->position();
    getBooleans(pname, std::min(params->array()->length, params->limit()) - from,
                [&](int64_t i, bool value) { params->put(from + static_cast<int32_t>(i), value ? 1 : 0); });
}

void GLImp::jglGetBooleanv(int32_t pname, const JavaPtr<JArray<bool>>& params, int32_t offset) {
    if (!enterGL()) return;
    if (!params || offset < 0 || offset > params->length) throwBadArgument();
    getBooleans(pname, params->length - offset,
                [&](int64_t i, bool value) { params->data[offset + i] = value; });
}

void GLImp::jglGetPointerv(int32_t pname, const JavaPtr<JArray<java::nio::Buffer>>& params) {
    if (!enterGL()) return;
    if (!params || params->length < 1) throwBadArgument();
    std::vector<void*> pointers(static_cast<size_t>(params->length));
    for (int32_t i = 0; i < params->length; ++i)
        pointers[static_cast<size_t>(i)] = params->data[i] ? params->data[i]->m_positionAddress() : nullptr;
    glFunctions().glGetPointerv(pname, pointers.data());
}

void GLImp::jglCompressedTexImage2D(int32_t target, int32_t level, int32_t internalformat, int32_t width,
                                    int32_t height, int32_t border, int32_t imageSize,
                                    BorrowedPtr<java::nio::Buffer> data) {
    if (!enterGL()) return;
    const auto* bytes = static_cast<const uint8_t*>(bufferPointer(data.get(), std::max(imageSize, 0), false));
    const GLFunctionTable& gl = glFunctions();
    GLint maxTextureSize = 0;
    gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
    GLint unpackAlignment = 4;
    gl.glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    // Decoded and file levels have tight rows.
    gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    textures::uploadCompressed(
        {level, internalformat, width, height, border}, std::span(bytes, static_cast<size_t>(std::max(imageSize, 0))),
        maxTextureSize, [&](const textures::TextureLevel& upload) {
            if (upload.compressed)
                gl.glCompressedTexImage2D(target, upload.level, upload.internalformat, upload.width, upload.height,
                                          upload.border, static_cast<GLsizei>(upload.pixels.size()),
                                          upload.pixels.data());
            else
                gl.glTexImage2D(target, upload.level, upload.format, upload.width, upload.height, 0, upload.format,
                                upload.type, upload.pixels.data());
        });
    gl.glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
}

}  // namespace javax::microedition::khronos::opengles
