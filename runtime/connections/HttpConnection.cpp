#include "runtime/connections/HttpConnection.h"

#include "runtime/connections/Connector.h"
#include "runtime/connections/HttpConnectionImpl.h"
#include "runtime/text/String.h"

namespace javax::microedition::io {

void HttpConnection::HttpConnection_staticInit() {
    GET = java::lang::jnew<String>("GET");
    HEAD = java::lang::jnew<String>("HEAD");
    POST = java::lang::jnew<String>("POST");
    Connector::setHandler(Connector::HandlerSlot::HTTP, &HttpConnectionImpl::openConnection);
}

void HttpConnection::HttpConnection_staticDestroy() {
    Connector::setHandler(Connector::HandlerSlot::HTTP, nullptr);
    GET = nullptr;
    HEAD = nullptr;
    POST = nullptr;
}

}  // namespace javax::microedition::io
