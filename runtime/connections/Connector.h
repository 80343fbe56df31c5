// Turns a connection name into a connection by asking the scheme handlers in a fixed order.
#pragma once

#include <cstdint>

#include "runtime/connections/Connection.h"
#include "runtime/lang/Object.h"

namespace java::io {
class DataInputStream;
class DataOutputStream;
class InputStream;
class OutputStream;
}  // namespace java::io

namespace javax::microedition::io {

class Connector : public java::lang::Object {
    JAVA_CLASS(Connector, "javax.microedition.io.Connector", java::lang::Object)
public:
    using String = java::lang::String;

    static constexpr int32_t READ = 1;
    static constexpr int32_t WRITE = 2;
    static constexpr int32_t READ_WRITE = 3;

    // A scheme handler: the new connection when the name is its own, else null. What it throws
    // passes out of open, and no later handler is asked.
    using Handler = JavaPtr<Connection> (*)(const JavaPtr<String>& name, int32_t mode, bool timeouts);
    // The handlers in the order open asks them; each library fills its own at static set-up.
    enum class HandlerSlot : int32_t { HTTP, MESSAGES, SENSORS };
    static constexpr int32_t HANDLER_SLOTS = 3;
    // A null handler empties the slot, which open then skips.
    static void setHandler(HandlerSlot slot, Handler handler);

    static JavaPtr<Connection> open(const JavaPtr<String>& name);
    static JavaPtr<Connection> open(const JavaPtr<String>& name, int32_t mode);
    // Never null: ConnectionNotFoundException when no handler takes the name, and
    // NullPointerException for a null name.
    static JavaPtr<Connection> open(const JavaPtr<String>& name, int32_t mode, bool timeouts);

    // Open nothing: null whatever the name.
    static JavaPtr<java::io::InputStream> openInputStream(const JavaPtr<String>& name);
    static JavaPtr<java::io::OutputStream> openOutputStream(const JavaPtr<String>& name);
    // Data streams over those nulls.
    static JavaPtr<java::io::DataInputStream> openDataInputStream(const JavaPtr<String>& name);
    static JavaPtr<java::io::DataOutputStream> openDataOutputStream(const JavaPtr<String>& name);
};

}  // namespace javax::microedition::io
