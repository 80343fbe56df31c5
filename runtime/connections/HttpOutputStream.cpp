#include "runtime/connections/HttpOutputStream.h"

#include "runtime/connections/HttpConnectionImpl.h"

namespace javax::microedition::io {

HttpOutputStream::HttpOutputStream(JavaPtr<HttpConnectionImpl> connection) : m_connection(std::move(connection)) {}

HttpOutputStream::~HttpOutputStream() = default;

void HttpOutputStream::flush() {
    if (size() == 0 || !m_connection) return;
    if (m_connection->sendData(toByteArray()) != 0) reset();
}

}  // namespace javax::microedition::io
