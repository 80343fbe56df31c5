#include "runtime/messaging/SmsFormat.h"

#include <string>
#include <string_view>

#include "runtime/text/Integer.h"
#include "runtime/text/String.h"

namespace javax::wireless::messaging::smsformat {

using java::lang::String;
using java::lang::jnew;

namespace {

constexpr std::u16string_view SCHEME = u"sms://";

JavaPtr<String> stringOf(std::u16string_view units) {
    return jnew<String>(units.data(), static_cast<int32_t>(units.size()));
}

bool isSmsAddress(const JavaPtr<String>& address) {
    return address && address->view().starts_with(SCHEME);
}

int32_t segmentsOf(int32_t length, int32_t singleLimit, int32_t segmentLimit) {
    if (length <= singleLimit) return 1;
    return (length + segmentLimit - 1) / segmentLimit;
}

}  // namespace

PortAndUrl parsePortAndUrl(const JavaPtr<String>& address) {
    PortAndUrl parsed;
    if (!isSmsAddress(address)) return parsed;
    std::u16string url(SCHEME);
    std::u16string_view rest = address->view().substr(SCHEME.size());
    const size_t colon = rest.find(u':');
    if (colon != std::u16string_view::npos && rest.size() >= 2) {
        url += rest.substr(0, colon);
        rest = rest.substr(colon + 1);
        size_t digits = 0;
        while (digits < rest.size() && rest[digits] >= u'0' && rest[digits] <= u'9') ++digits;
        if (digits > 0) parsed.port = java::lang::Integer::parseInt(stringOf(rest.substr(0, digits)));
        url += rest.substr(digits);
    }
    if (url != SCHEME) parsed.url = stringOf(url);
    return parsed;
}

JavaPtr<String> recipientNumber(const JavaPtr<String>& address) {
    std::u16string_view rest = address->view().substr(SCHEME.size());
    return stringOf(rest.substr(0, rest.find(u':')));
}

int32_t textSegments(const JavaPtr<String>& text) {
    if (!text) return 0;
    int32_t single = 160, perSegment = 153;
    for (char16_t unit : text->view()) {
        if (unit > 0xFF) {
            single = 70;
            perSegment = 67;
            break;
        }
        if (unit >= 0x80) {
            single = 140;
            perSegment = 133;
        }
    }
    return segmentsOf(text->length(), single, perSegment);
}

int32_t binarySegments(const JavaPtr<JArray<signed char>>& data) {
    if (!data) return 0;
    return segmentsOf(data->length, 140, 133);
}

}  // namespace javax::wireless::messaging::smsformat
