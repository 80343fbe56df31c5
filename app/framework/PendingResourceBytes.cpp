// What the sound channels need of the resources until the resource map and packs are built: no
// resource can be read yet, so no sound loads.
#include "app/framework/HookCanvas.h"

JavaPtr<JArray<signed char>> HookCanvas::getResourceByteArray(int32_t id) { return nullptr; }
