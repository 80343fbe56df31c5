// The SMS rules the message classes share: how an address splits into number, port and the
// address without its port, and how many segments a payload needs.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"

namespace javax::wireless::messaging::smsformat {

struct PortAndUrl {
    int32_t port = -1;                   // -1: none
    JavaPtr<java::lang::String> url;     // "sms://" number and what followed the port; null when that is all "sms://"
};

// NumberFormatException when the port's digits overflow an int.
PortAndUrl parsePortAndUrl(const JavaPtr<java::lang::String>& address);
// The number of an "sms://" address: up to its first ":" after the scheme.
JavaPtr<java::lang::String> recipientNumber(const JavaPtr<java::lang::String>& address);
// The widest character decides the limits: ASCII 160/153, Latin-1 140/133, beyond 70/67. Null: 0.
int32_t textSegments(const JavaPtr<java::lang::String>& text);
// 140 bytes fit one message, longer payloads go 133 to a segment. Null: 0.
int32_t binarySegments(const JavaPtr<JArray<signed char>>& data);

}  // namespace javax::wireless::messaging::smsformat
