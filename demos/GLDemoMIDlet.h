// A demonstration MIDlet that draws with OpenGL ES on its own thread through EGL: a triangle,
// then compressed textures, then hands the screen to a 2D canvas, then draws GL again; each tap
// moves on. It logs the EGL and GL error codes it provokes on the way.
#pragma once

#include "runtime/lang/Object.h"

namespace javax::microedition::midlet { class MIDlet; }

namespace demo {

JavaPtr<javax::microedition::midlet::MIDlet> makeGLDemoMIDlet();

// What the program plays headless for this MIDlet.
inline constexpr const char* GL_DEMO_SCRIPT =
    "# Each phase shows for a few frames, a tap moves on; the captures show every phase.\n"
    "expect_log gl: triangle drawn 5\n"
    "capture gl-triangle.png\n"
    "tap 160 240\n"
    "expect_log gl: textures drawn 5\n"
    "capture gl-textures.png\n"
    "tap 160 240\n"
    "expect_log gl: canvas painted 5\n"
    "capture gl-canvas.png\n"
    "tap 160 240\n"
    "expect_log gl: triangle again drawn 5\n"
    "capture gl-again.png\n"
    "expect_log gl: EGL error 0x3008 for a replaced display\n"
    "expect_log gl: EGL error 0x3006 for a context that is not current\n"
    "expect_log gl: EGL error 0x300C for a short version array\n"
    "expect_log gl: GL error 0x500 for an unknown capability\n"
    "terminate\n";

}  // namespace demo
