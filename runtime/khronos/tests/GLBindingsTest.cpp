#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <functional>
#include <string>

#include "runtime/khronos/nio/ByteBuffer.h"
#include "runtime/khronos/nio/FloatBuffer.h"
#include "runtime/khronos/nio/IntBuffer.h"
#include "runtime/khronos/nio/ShortBuffer.h"
#include "runtime/khronos/opengles/GLImp.h"
#include "runtime/khronos/opengles/GLImpArguments.h"
#include "runtime/khronos/tests/RecordingGL.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using namespace javax::microedition::khronos::opengles;
using java::lang::jnew;
using java::nio::Buffer;
using java::nio::ByteBuffer;
using java::nio::FloatBuffer;
using java::nio::IntBuffer;
using java::nio::ShortBuffer;
using khronostest::countCalls;
using khronostest::lastCall;

namespace {

// Arguments of the generated call table: every array and buffer holds 64 elements.
template <class T>
JavaPtr<JArray<T>> array() {
    return jnew<JArray<T>>(64);
}
template <class B>
JavaPtr<B> buffer() {
    if constexpr (std::is_same_v<B, Buffer>)
        return ByteBuffer::allocate(256);
    else
        return B::allocate(64);
}
JavaPtr<JArray<Buffer>> bufferArray() {
    auto buffers = jnew<JArray<Buffer>>(1);
    buffers->data[0] = ByteBuffer::allocate(4);
    return buffers;
}

struct ForwarderCall {
    const char* operation;
    const char* interface;
    const char* glFunction;  // empty: GL must not be called
    std::string rule;
    std::function<void(const JavaPtr<GLImp>&)> call;
};

#define CALL(operation, interface, glFunction, rule, ...) \
    {operation, #interface, glFunction, rule, [](const JavaPtr<GLImp>& gl) { JavaPtr<interface>(gl)->__VA_ARGS__; }},

const ForwarderCall FORWARDER_CALLS[] = {
#include "runtime/khronos/opengles/GLForwarderCalls.inc"
};
#undef CALL

class GLBindings : public ::testing::Test {
protected:
    khronostest::RecordingGL recording;
    JavaPtr<GLImp> gl = jnew<GLImp>();
};

uint64_t bits(float value) { return std::bit_cast<uint32_t>(value); }

}  // namespace

TEST_F(GLBindings, EveryForwarderThroughEachInterfaceCallsItsGLFunctionOnce) {
    int unsupported = 0;
    for (const ForwarderCall& entry : FORWARDER_CALLS) {
        if (entry.rule == "special") continue;
        SCOPED_TRACE(std::string(entry.operation) + " through " + entry.interface);
        khronostest::recordedCalls().clear();
        if (entry.rule == "unsupported") {
            EXPECT_THROW(entry.call(gl), java::lang::UnsupportedOperationException);
            ++unsupported;
        } else {
            entry.call(gl);
        }
        if (*entry.glFunction) {
            EXPECT_EQ(countCalls(entry.glFunction), 1);
        } else {
            EXPECT_TRUE(khronostest::recordedCalls().empty());
        }
    }
    EXPECT_EQ(unsupported, 18);
}

TEST_F(GLBindings, ArgumentsReachGLAsTheCallerMeantThem) {
    gl->jglColor4ub(-1, -128, 0, 127);
    EXPECT_EQ(lastCall("glColor4ub")->arguments, (std::vector<uint64_t>{255, 128, 0, 127}));

    auto floats = FloatBuffer::allocate(16);
    floats->position(3);
    gl->jglVertexPointer(3, GL_FLOAT, 0, floats);
    EXPECT_EQ(lastCall("glVertexPointer")->arguments[3], reinterpret_cast<uintptr_t>(floats->m_address()) + 12);
    gl->jglVertexPointer(3, GL_FLOAT, 0, 12);
    EXPECT_EQ(lastCall("glVertexPointer")->arguments[3], 12u);

    auto shorts = ShortBuffer::allocate(8);
    shorts->position(2);
    gl->jglDrawTexsvOES(shorts);
    EXPECT_EQ(lastCall("glDrawTexsvOES")->arguments[0], reinterpret_cast<uintptr_t>(shorts->m_address()) + 4);

    gl->jglClearColor(0.25f, 0.5f, 1, 0);
    EXPECT_EQ(lastCall("glClearColor")->arguments, (std::vector<uint64_t>{bits(0.25f), bits(0.5f), bits(1), 0}));

    auto names = jnew<JArray<int>>(8);
    gl->jglGenTextures(2, names, 5);
    EXPECT_EQ((std::vector<int>(names->data, names->data + 8)), (std::vector<int>{0, 0, 0, 0, 0, 1, 2, 0}));

    auto flags = jnew<JArray<bool>>(3);
    gl->jglGetBooleanv(GL_DEPTH_WRITEMASK, flags, 2);
    EXPECT_TRUE(flags->data[2]);
    auto ints = IntBuffer::allocate(4);
    ints->position(1);
    gl->jglGetBooleanv(GL_DEPTH_WRITEMASK, ints);
    EXPECT_EQ(ints->get(1), 1);
    EXPECT_EQ(ints->position(), 1);
}

TEST_F(GLBindings, ResultsAndFixedStrings) {
    EXPECT_FALSE(gl->jglIsEnabled(GL_BLEND));  // the recording answers 0
    const std::string extensions = gl->jglGetString(GL_EXTENSIONS)->val();
    EXPECT_EQ(extensions.back(), ' ');
    EXPECT_EQ(extensions.find("matrix_palette"), std::string::npos);
    EXPECT_NE(extensions.find("GL_IMG_texture_compression_pvrtc "), std::string::npos);
    gl->jglGetString(GL_VERSION);
    EXPECT_EQ(countCalls("glGetString"), 0);
}

TEST_F(GLBindings, ArgumentsGLWouldReadPastAreRefusedWithoutCallingGL) {
    auto four = jnew<JArray<float>>(4);
    auto twenty = jnew<JArray<float>>(20);
    auto ints = jnew<JArray<int>>(4);
    auto shortBytes = ByteBuffer::allocate(15);
    struct Case {
        const char* what;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"null array", [&] { gl->jglLoadMatrixf(nullptr, 0); }},
        {"matrix of 16 from offset 5 of 20", [&] { gl->jglLoadMatrixf(twenty, 5); }},
        {"negative offset", [&] { gl->jglFogfv(GL_FOG_DENSITY, four, -1); }},
        {"offset past the end", [&] { gl->jglFogfv(GL_FOG_DENSITY, four, 5); }},
        {"fog colour reads 4 from offset 1", [&] { gl->jglFogfv(GL_FOG_COLOR, four, 1); }},
        {"light position buffer of 3", [&] { gl->jglLightfv(GL_LIGHT0, GL_POSITION, FloatBuffer::allocate(3)); }},
        {"delete 5 names from 4", [&] { gl->jglDeleteTextures(5, ints, 0); }},
        {"generate 2 names at offset 3 of 4", [&] { gl->jglGenBuffers(2, ints, 3); }},
        {"null buffer", [&] { gl->jglVertexPointer(2, GL_FLOAT, 0, JavaPtr<Buffer>()); }},
        {"read 2 x 2 RGBA pixels into 15 bytes", [&] { gl->jglReadPixels(0, 0, 2, 2, GL_RGBA, GL_UNSIGNED_BYTE, shortBytes); }},
        {"texture of 2 x 2 RGBA from 15 bytes",
         [&] { gl->jglTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, shortBytes); }},
        {"buffer data of 16 bytes from 15", [&] { gl->jglBufferData(GL_ARRAY_BUFFER, 16, shortBytes, GL_STATIC_DRAW); }},
        {"imageSize past the buffer", [&] { gl->jglCompressedTexImage2D(GL_TEXTURE_2D, 0, 0x83F0, 4, 4, 0, 16, shortBytes); }},
        {"booleans without a backing array", [&] { gl->jglGetBooleanv(GL_COLOR_WRITEMASK, ByteBuffer::allocate(16)->asIntBuffer()); }},
        {"boolean colour mask into 3", [&] { gl->jglGetBooleanv(GL_COLOR_WRITEMASK, jnew<JArray<bool>>(3), 0); }},
        {"pointer query into an empty array", [&] { gl->jglGetPointerv(GL_VERTEX_ARRAY_POINTER, jnew<JArray<Buffer>>(0)); }},
        {"elements: 8 short indices from 15 bytes",
         [&] { gl->jglDrawElements(GL_TRIANGLES, 8, GL_UNSIGNED_SHORT, shortBytes); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        khronostest::recordedCalls().clear();
        EXPECT_THROW(c.call(), java::lang::IllegalArgumentException);
        for (const auto& call : khronostest::recordedCalls()) EXPECT_EQ(call.name, "glGetIntegerv");
    }
    // GL allows null where it only allocates.
    gl->jglTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, JavaPtr<Buffer>());
    EXPECT_EQ(lastCall("glTexImage2D")->arguments[8], 0u);
}

TEST_F(GLBindings, ClientArraysAreHeldAndDrawsMustStayInsideThem) {
    auto vertices = FloatBuffer::allocate(6);  // three 2-D vertices
    Buffer* held = vertices.get();
    gl->jglVertexPointer(2, GL_FLOAT, 0, vertices);
    gl->jglEnableClientState(GL_VERTEX_ARRAY);
    vertices = nullptr;
    // The binding still holds the dropped buffer, which GL reads at the draw.
    EXPECT_EQ(held->referenceCount(), 1);
    gl->jglDrawArrays(GL_TRIANGLES, 0, 3);
    EXPECT_EQ(countCalls("glDrawArrays"), 1);
    EXPECT_THROW(gl->jglDrawArrays(GL_TRIANGLES, 1, 3), java::lang::IllegalArgumentException);
    auto indices = ShortBuffer::wrap(jnew<JArray<short>>(3));
    indices->put(2, 3);
    EXPECT_THROW(gl->jglDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, indices), java::lang::IllegalArgumentException);
    EXPECT_EQ(countCalls("glDrawArrays") + countCalls("glDrawElements"), 1);
    // Disabled, or pointed at a buffer object, the array is no longer checked.
    gl->jglDisableClientState(GL_VERTEX_ARRAY);
    gl->jglDrawArrays(GL_TRIANGLES, 1, 3);
    gl->jglEnableClientState(GL_VERTEX_ARRAY);
    gl->jglVertexPointer(2, GL_FLOAT, 0, 0);
    gl->jglDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_SHORT, indices);
    EXPECT_EQ(countCalls("glDrawArrays") + countCalls("glDrawElements"), 3);
    gl->jglDisableClientState(GL_VERTEX_ARRAY);
}

TEST(NioBuffers, ViewsShareTheBytesFromThePositionAndChecksKeepInsideTheLimit) {
    auto bytes = ByteBuffer::allocateDirect(12);
    bytes->position(4);
    auto floats = bytes->asFloatBuffer();
    EXPECT_EQ(floats->capacity(), 2);
    floats->put(1.5f);
    float stored = 0;
    std::memcpy(&stored, static_cast<uint8_t*>(bytes->m_address()) + 4, 4);
    EXPECT_EQ(stored, 1.5f);
    floats->put(2.5f);
    EXPECT_THROW(floats->put(3.5f), java::lang::IndexOutOfBoundsException);
    EXPECT_THROW(floats->get(2), java::lang::IndexOutOfBoundsException);
    EXPECT_THROW(bytes->position(13), java::lang::IllegalArgumentException);
    auto wrapped = IntBuffer::wrap(jnew<JArray<int>>(3));
    wrapped->put(jnew<JArray<int>>(2));
    EXPECT_EQ(wrapped->position(), 2);
    EXPECT_TRUE(wrapped->hasArray());
    EXPECT_FALSE(bytes->asIntBuffer()->hasArray());
}
