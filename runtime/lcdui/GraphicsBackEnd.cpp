#include "runtime/lcdui/GraphicsBackEnd.h"

#include <atomic>

namespace javax::microedition::lcdui {

namespace {
std::atomic<GraphicsBackEnd*> installedBackEnd{nullptr};
}

GraphicsBackEnd* GraphicsBackEnd::installed() { return installedBackEnd.load(std::memory_order_acquire); }
void GraphicsBackEnd::install(GraphicsBackEnd* backEnd) { installedBackEnd.store(backEnd, std::memory_order_release); }

}  // namespace javax::microedition::lcdui
