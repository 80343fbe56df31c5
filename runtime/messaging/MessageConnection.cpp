#include "runtime/messaging/MessageConnection.h"

#include "runtime/connections/Connector.h"
#include "runtime/messaging/MessageConnectionImpl.h"
#include "runtime/text/String.h"

namespace javax::wireless::messaging {

using javax::microedition::io::Connector;

void MessageConnection::MessageConnection_staticInit() {
    TEXT_MESSAGE = java::lang::jnew<String>("text");
    BINARY_MESSAGE = java::lang::jnew<String>("binary");
    MULTIPART_MESSAGE = java::lang::jnew<String>("multipart");
    Connector::setHandler(Connector::HandlerSlot::MESSAGES, &MessageConnectionImpl::openConnection);
}

void MessageConnection::MessageConnection_staticDestroy() {
    Connector::setHandler(Connector::HandlerSlot::MESSAGES, nullptr);
    TEXT_MESSAGE = nullptr;
    BINARY_MESSAGE = nullptr;
    MULTIPART_MESSAGE = nullptr;
}

}  // namespace javax::wireless::messaging
