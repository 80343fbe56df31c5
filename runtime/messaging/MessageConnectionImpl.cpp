#include "runtime/messaging/MessageConnectionImpl.h"

#include <string>

#include "runtime/HostBridge.h"
#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/messaging/BinaryMessageImpl.h"
#include "runtime/messaging/SmsFormat.h"
#include "runtime/messaging/TextMessageImpl.h"
#include "runtime/text/String.h"

namespace javax::wireless::messaging {

using java::lang::IllegalArgumentException;
using java::lang::jnew;
using java::lang::recastObj;

namespace {

constexpr int32_t LARGEST_PORT = 65535;

bool startsWith(const JavaPtr<java::lang::String>& text, std::u16string_view prefix) {
    return text->view().starts_with(prefix);
}

// An address a message can be sent to: "sms://" and a number, not the server form "sms://:".
bool isClientAddress(const JavaPtr<java::lang::String>& name) {
    return name && startsWith(name, u"sms://") && !startsWith(name, u"sms://:");
}

// The composer takes C strings: a NUL would silently cut the number or the text there.
bool holdsNul(const JavaPtr<java::lang::String>& text) { return text->view().find(u'\0') != std::u16string_view::npos; }

}  // namespace

JavaPtr<javax::microedition::io::Connection> MessageConnectionImpl::openConnection(const JavaPtr<String>& name,
                                                                                  int32_t, bool) {
    if (!isClientAddress(name)) return nullptr;
    return jnew<MessageConnectionImpl>(name, true);
}

JavaPtr<Message> MessageConnectionImpl::newMessage(JavaPtr<String> type) { return newMessage(std::move(type), m_url); }

JavaPtr<Message> MessageConnectionImpl::newMessage(JavaPtr<String> type, JavaPtr<String> address) {
    if (!m_isOpen.load(std::memory_order_relaxed)) return jnew<MessageImpl>(std::move(address));
    if (TEXT_MESSAGE->equals(type)) return jnew<TextMessageImpl>(std::move(address));
    if (BINARY_MESSAGE->equals(type)) return jnew<BinaryMessageImpl>(std::move(address));
    throw IllegalArgumentException();
}

int32_t MessageConnectionImpl::numberOfSegments(JavaPtr<Message> message) {
    if (!message) throw java::lang::NullPointerException();
    JavaPtr<MessageImpl> made = recastObj<MessageImpl>(message);
    if (!made) throw IllegalArgumentException();
    return made->_getNumSegments();
}

void MessageConnectionImpl::refuseUnlessOpenServer() {
    if (!m_isOpen.load(std::memory_order_relaxed) || m_isClient) throw java::io::IOException();
}

JavaPtr<Message> MessageConnectionImpl::receive() {
    refuseUnlessOpenServer();
    return nullptr;
}

void MessageConnectionImpl::setMessageListener(JavaPtr<MessageListener>) { refuseUnlessOpenServer(); }

void MessageConnectionImpl::send(JavaPtr<Message> message) {
    if (!m_isOpen.load(std::memory_order_relaxed)) throw java::io::IOException();
    if (!message) throw java::lang::NullPointerException();
    JavaPtr<MessageImpl> made = recastObj<MessageImpl>(message);
    if (!made) throw IllegalArgumentException();
    const JavaPtr<String> type = made->_messageType();
    const JavaPtr<String> address = made->getAddress();
    if (!isClientAddress(address) || holdsNul(address)) throw IllegalArgumentException();
    const JavaPtr<String> number = smsformat::recipientNumber(address);

    if (TEXT_MESSAGE->equals(type)) {
        JavaPtr<TextMessageImpl> text = recastObj<TextMessageImpl>(made);
        if (!text || !text->getPayloadText() || holdsNul(text->getPayloadText())) throw IllegalArgumentException();
        if (!sendText(number, text->getPayloadText())) throw java::io::IOException();
        return;
    }
    if (BINARY_MESSAGE->equals(type)) {
        JavaPtr<BinaryMessageImpl> binary = recastObj<BinaryMessageImpl>(made);
        if (!binary) throw IllegalArgumentException();
        const int32_t port = binary->_getPortNumber();
        if (port < 0 || port > LARGEST_PORT || !binary->_getAndroidUrl()) throw IllegalArgumentException();
        if (!binary->getPayloadData()) throw IllegalArgumentException();
        // Valid, and still not sent: the platform's composer takes text only.
        binaryMessageNotSent(java::io::toUtf8(number->view()).c_str());
        return;
    }
    throw IllegalArgumentException();
}

bool MessageConnectionImpl::sendText(const JavaPtr<String>& number, const JavaPtr<String>& text) {
    const std::string recipient = java::io::toUtf8(number->view());
    const std::string body = java::io::toUtf8(text->view());
    return sendSMS(recipient.c_str(), body.c_str()) == SMS_RESULT_SENT;
}

}  // namespace javax::wireless::messaging
