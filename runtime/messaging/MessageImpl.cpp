#include "runtime/messaging/MessageImpl.h"

#include "runtime/text/String.h"

namespace javax::wireless::messaging {

using java::lang::jnew;

MessageImpl::MessageImpl() : m_timestamp(jnew<Date>()) {}

MessageImpl::MessageImpl(JavaPtr<String> address) : m_address(std::move(address)), m_timestamp(jnew<Date>()) {}

JavaPtr<java::util::Date> MessageImpl::getTimestamp() {
    if (!m_timestamp) return nullptr;
    return jnew<Date>(m_timestamp->getTime());
}

}  // namespace javax::wireless::messaging
