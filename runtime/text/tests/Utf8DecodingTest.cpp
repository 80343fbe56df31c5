#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using namespace java::lang;

namespace {

// Decodes exactly the given bytes, placed at the very end of a larger array so that a read
// past the range would be a read past the array (which the address sanitizer reports).
std::u16string decode(const std::vector<uint8_t>& bytes) {
    const auto size = static_cast<int32_t>(bytes.size());
    auto array = jnew<JArray<signed char>>(size + 2);
    for (int32_t i = 0; i < size; ++i) (*array)[i + 2] = static_cast<signed char>(bytes[static_cast<size_t>(i)]);
    auto text = jnew<String>(array, 2, size, jnew<String>("UTF-8"));
    return std::u16string(text->view());
}

}  // namespace

TEST(Utf8Decoding, WellFormedTextSurvives) {
    struct Case {
        std::vector<uint8_t> bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {{}, u""},
        {{'q', 'u', 'i', 'z'}, u"quiz"},
        {{0xC3, 0xA9, 't', 0xC3, 0xA9}, u"\u00e9t\u00e9"},
        {{0xE4, 0xB8, 0xAD, 0xE6, 0x96, 0x87}, u"\u4e2d\u6587"},
        {{0xEF, 0xBF, 0xBF}, u"\uffff"},
        {{0xF0, 0x9F, 0x98, 0x80, '!'}, u"\U0001F600!"},
        {{0xF4, 0x8F, 0xBF, 0xBF}, u"\U0010FFFF"},
        {{0xF0, 0x90, 0x80, 0x80}, u"\U00010000"},
    };
    for (const Case& c : cases) EXPECT_EQ(decode(c.bytes), c.expected);
}

TEST(Utf8Decoding, MalformedInputGivesReplacementsAndNeverOverreads) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::u16string expected;
    };
    const Case cases[] = {
        {"stray continuation", {0x80, 'a'}, u"\ufffda"},
        {"two stray continuations", {'a', 0xBF, 0x80}, u"a\ufffd\ufffd"},
        {"overlong two-byte", {0xC0, 0xAF}, u"\ufffd\ufffd"},
        {"overlong three-byte", {0xE0, 0x80, 0xAF}, u"\ufffd\ufffd\ufffd"},
        {"overlong four-byte", {0xF0, 0x8F, 0xBF, 0xBF}, u"\ufffd\ufffd\ufffd\ufffd"},
        {"surrogate", {0xED, 0xA0, 0x80}, u"\ufffd\ufffd\ufffd"},
        {"above U+10FFFF", {0xF4, 0x90, 0x80, 0x80}, u"\ufffd\ufffd\ufffd\ufffd"},
        {"invalid lead bytes", {0xF5, 0xFE, 0xFF}, u"\ufffd\ufffd\ufffd"},
        {"lead at the end", {'a', 0xC3}, u"a\ufffd"},
        {"truncated three-byte at the end", {'a', 0xE4, 0xB8}, u"a\ufffd"},
        {"truncated four-byte at the end", {0xF0, 0x9F, 0x98}, u"\ufffd"},
        {"truncated then ASCII", {0xE4, 0xB8, 'z'}, u"\ufffdz"},
        {"lead followed by lead", {0xC3, 0xC3, 0xA9}, u"\ufffd\u00e9"},
        {"invalid byte at the end", {'o', 'k', 0xFF}, u"ok\ufffd"},
    };
    for (const Case& c : cases) EXPECT_EQ(decode(c.bytes), c.expected) << c.what;
}

TEST(Utf8Decoding, EncodingNameIsCaseInsensitiveAndRangeChecked) {
    auto bytes = jnew<JArray<signed char>>(2);
    (*bytes)[0] = static_cast<signed char>(0xC3);
    (*bytes)[1] = static_cast<signed char>(0xA9);
    EXPECT_EQ(jnew<String>(bytes, 0, 2, jnew<String>("utf-8"))->view(), u"\u00e9");
    EXPECT_THROW(jnew<String>(bytes, 1, 2, jnew<String>("UTF-8")), IndexOutOfBoundsException);
}
