#include "runtime/connections/Connector.h"

#include <atomic>

#include "runtime/connections/ConnectionNotFoundException.h"
#include "runtime/io/DataInputStream.h"
#include "runtime/io/DataOutputStream.h"
#include "runtime/io/InputStream.h"
#include "runtime/io/OutputStream.h"
#include "runtime/text/String.h"

namespace javax::microedition::io {

namespace {

// Filled at static set-up and read by any thread that opens a connection.
std::atomic<Connector::Handler> handlers[Connector::HANDLER_SLOTS] = {};

}  // namespace

void Connector::setHandler(HandlerSlot slot, Handler handler) {
    handlers[static_cast<int32_t>(slot)].store(handler, std::memory_order_release);
}

JavaPtr<Connection> Connector::open(const JavaPtr<String>& name) { return open(name, READ_WRITE); }

JavaPtr<Connection> Connector::open(const JavaPtr<String>& name, int32_t mode) { return open(name, mode, false); }

JavaPtr<Connection> Connector::open(const JavaPtr<String>& name, int32_t mode, bool timeouts) {
    if (!name) throw java::lang::NullPointerException();
    for (const std::atomic<Handler>& slot : handlers) {
        const Handler handler = slot.load(std::memory_order_acquire);
        if (!handler) continue;
        if (JavaPtr<Connection> connection = handler(name, mode, timeouts)) return connection;
    }
    throw ConnectionNotFoundException();
}

JavaPtr<java::io::InputStream> Connector::openInputStream(const JavaPtr<String>&) { return nullptr; }

JavaPtr<java::io::OutputStream> Connector::openOutputStream(const JavaPtr<String>&) { return nullptr; }

JavaPtr<java::io::DataInputStream> Connector::openDataInputStream(const JavaPtr<String>& name) {
    return java::lang::jnew<java::io::DataInputStream>(openInputStream(name));
}

JavaPtr<java::io::DataOutputStream> Connector::openDataOutputStream(const JavaPtr<String>& name) {
    return java::lang::jnew<java::io::DataOutputStream>(openOutputStream(name));
}

}  // namespace javax::microedition::io
