// Adds the OpenGL ES and EGL bindings' class statics to the launcher's set-up and tear-down.
#pragma once

// Once, before the runtime starts.
void joinKhronosStatics();
