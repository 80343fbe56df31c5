// Feeds arbitrary UTF-16 text to address parsing and segment counting; checks what a caller relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/lang/Exceptions.h"
#include "runtime/messaging/SmsFormat.h"
#include "runtime/text/String.h"

using namespace javax::wireless::messaging;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string units;
    for (size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    // Let short ASCII inputs reach the parser's interesting paths too.
    if (size % 2) units = u"sms://" + units;
    JavaPtr<java::lang::String> text = java::lang::jnew<java::lang::String>(units.data(), static_cast<int32_t>(units.size()));

    try {
        const smsformat::PortAndUrl parsed = smsformat::parsePortAndUrl(text);
        if (parsed.port < -1) std::abort();
        if (parsed.url && (!parsed.url->view().starts_with(u"sms://") || parsed.url->length() > text->length()))
            std::abort();
    } catch (java::lang::NumberFormatException&) {
    }
    if (units.starts_with(u"sms://") && smsformat::recipientNumber(text)->length() > text->length() - 6) std::abort();

    const int32_t segments = smsformat::textSegments(text);
    if (segments < 1 || segments > text->length() + 1) std::abort();
    // One message holds 70 to 160 units; beyond that, every segment 67 to 153.
    const int64_t length = text->length();
    if (segments == 1 ? length > 160 : (length <= 70 || segments * 153LL < length || segments * 67LL >= length + 67))
        std::abort();
    return 0;
}
