// The OpenGL ES 1.1 view: an EGL context on Mesa's surfaceless display drawing into a framebuffer
// object of outputWidth x outputHeight. The painting thread takes the context when a frame starts
// and gives it up when the frame is presented, which reads the frame back into the front buffer.
// The runtime reaches it through the EGL bridge functions; hosts and tests use what is declared here.
#pragma once

#include <string>

namespace platform {

// Why the view last failed to draw or present; empty while it works.
std::string glViewError();

// Releases framebuffer and context, from any thread; the next EGLstart builds them again.
void glViewShutdown();

}  // namespace platform
