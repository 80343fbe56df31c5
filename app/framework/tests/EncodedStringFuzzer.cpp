// Fuzzes the encoded string reader, the wrap over its guides and substitution into it.
#include <cstddef>
#include <cstdint>

#include "app/framework/BundleBytes.h"
#include "app/framework/EncodedStrings.h"
#include "app/framework/ResourceHandler.h"
#include "runtime/io/IOException.h"
#include "runtime/text/String.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static ResourceHandler none;
    static JavaPtr<JArray<JArray<signed char>>> table;
    static EncodedStrings strings(none, table);
    strings.charWidth = [](int32_t, char16_t c) { return static_cast<int32_t>(c % 13); };
    const auto text = BundleBytes::copy({data + 1, size - 1});
    try {
        strings.splitENCString(text, 0, data[0]);
        const auto insert = EncodedStrings::getENCStringFromString(java::lang::jnew<java::lang::String>("<x>"));
        const auto merged =
            EncodedStrings::insertENCStringIntoENCString(text, java::lang::jnew<java::lang::String>("a"), insert);
        EncodedStrings::decode(BundleBytes::of(merged));
        EncodedStrings::getStringFromENCString(merged);
    } catch (const java::io::IOException&) {
    }
    return 0;
}
