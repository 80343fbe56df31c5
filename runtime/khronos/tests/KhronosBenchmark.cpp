// glVertexPointer + glDrawArrays through the bindings against the same calls made on Mesa directly,
// in one run: the bindings' share of a small draw.
#include <benchmark/benchmark.h>

#include <GLES/gl.h>

#include "platform/PlatformState.h"
#include "runtime/khronos/nio/FloatBuffer.h"
#include "runtime/khronos/opengles/GLImp.h"
#include "runtime/lcdui/PlatformBridge.h"

using namespace javax::microedition::khronos::opengles;

namespace {

constexpr float TRIANGLE[] = {-1, -1, 1, -1, -1, 1};

bool ready() {
    platform::outputWidth = 64;
    platform::outputHeight = 64;
    return EGLcontextOwnedHere() || EGLWaitNative();
}

void MesaDirect(benchmark::State& state) {
    if (!ready()) return state.SkipWithError("no GL view");
    glEnableClientState(GL_VERTEX_ARRAY);
    for (auto _ : state) {
        glVertexPointer(2, GL_FLOAT, 0, TRIANGLE);
        glDrawArrays(GL_TRIANGLES, 0, 3);
    }
    glFinish();
}

// The buffer held as a FloatBuffer and as a Buffer: both pass into the Buffer parameter uncounted.
template <class Held>
void ThroughGL11(benchmark::State& state) {
    if (!ready()) return state.SkipWithError("no GL view");
    JavaPtr<GL11> gl = java::lang::jnew<GLImp>();
    auto triangle = java::nio::FloatBuffer::allocate(6);
    for (float value : TRIANGLE) triangle->put(value);
    triangle->position(0);
    const JavaPtr<Held> vertices = triangle;
    gl->jglEnableClientState(GL_VERTEX_ARRAY);
    for (auto _ : state) {
        gl->jglVertexPointer(2, GL_FLOAT, 0, vertices);
        gl->jglDrawArrays(GL_TRIANGLES, 0, 3);
    }
    gl->jglFinish();
}

}  // namespace

BENCHMARK(MesaDirect);
BENCHMARK_TEMPLATE(ThroughGL11, java::nio::FloatBuffer);
BENCHMARK_TEMPLATE(ThroughGL11, java::nio::Buffer);
BENCHMARK_MAIN();
