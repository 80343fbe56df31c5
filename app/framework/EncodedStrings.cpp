#include "app/framework/EncodedStrings.h"

#include <algorithm>

#include "app/framework/BundleBytes.h"
#include "app/framework/ResourceHandler.h"
#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/text/String.h"

using java::io::IOException;
using java::lang::jnew;

EncodedStrings::Decoded EncodedStrings::decode(std::span<const uint8_t> bytes, size_t* size) {
    const BundleBytes data(bytes);
    const uint8_t flags = data.u8(0);
    const int32_t width = flags & 3;
    if (width != 1 && width != 2) throw IOException("encoded string has no valid character width");
    const int32_t count = data.i16(1);
    const bool hasGuides = (flags & TEXTFLAG_CONTAINS_HYPHENATION_GUIDELINES) != 0;
    const int32_t guideCount = hasGuides ? data.i16(3) : 0;
    if (count < 0 || guideCount < 0 || (hasGuides && guideCount == 0))
        throw IOException("encoded string counts out of range");
    int64_t pos = hasGuides ? 5 : 3;
    const std::span<const uint8_t> units = data.slice(pos, int64_t{count} * width);
    Decoded text;
    text.characters.resize(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
        text.characters[i] = width == 1 ? units[i] : static_cast<char16_t>(units[2 * i] << 8 | units[2 * i + 1]);
    pos += int64_t{count} * width;
    const int32_t guideWidth = count <= 255 ? 2 : 3;
    data.slice(pos, int64_t{guideCount} * guideWidth);
    for (int32_t g = 0; g < guideCount; ++g, pos += guideWidth) {
        const int32_t position = guideWidth == 2 ? data.u8(pos) : data.u16(pos);
        const int32_t type = data.u8(pos + guideWidth - 1);
        if (position > count || (!text.guides.empty() && position <= Decoded::position(text.guides.back())))
            throw IOException("encoded string guides out of order or past its end");
        text.guides.push_back(position | type << 24);
    }
    if (size) *size = static_cast<size_t>(pos);
    return text;
}

EncodedStrings::Bytes EncodedStrings::encode(const Decoded& text) {
    const int64_t count = static_cast<int64_t>(text.characters.size());
    const int64_t guides = static_cast<int64_t>(text.guides.size());
    if (count > 32767 || guides > 32767) throw IOException("encoded string longer than its count can say");
    const int64_t guideWidth = count <= 255 ? 2 : 3;
    const int64_t length = 3 + 2 * count + (guides > 0 ? 2 + guideWidth * guides : 0);
    auto out = jnew<JArray<signed char>>(static_cast<int32_t>(length));
    uint8_t* p = reinterpret_cast<uint8_t*>(out->data);
    *p++ = static_cast<uint8_t>(guides > 0 ? 2 | TEXTFLAG_CONTAINS_HYPHENATION_GUIDELINES : 2);
    *p++ = static_cast<uint8_t>(count >> 8), *p++ = static_cast<uint8_t>(count);
    if (guides > 0) *p++ = static_cast<uint8_t>(guides >> 8), *p++ = static_cast<uint8_t>(guides);
    for (const char16_t c : text.characters) *p++ = static_cast<uint8_t>(c >> 8), *p++ = static_cast<uint8_t>(c);
    for (const int32_t guide : text.guides) {
        const int32_t position = Decoded::position(guide);
        if (guideWidth == 3) *p++ = static_cast<uint8_t>(position >> 8);
        *p++ = static_cast<uint8_t>(position);
        *p++ = static_cast<uint8_t>(Decoded::type(guide));
    }
    return out;
}

JavaPtr<java::lang::String> EncodedStrings::getLanguageIDString(int32_t language) {
    return getLanguageIDString(m_resources.languages, language);
}

JavaPtr<java::lang::String> EncodedStrings::getLanguageIDString(const JavaPtr<JArray<signed char>>& languages,
                                                                int32_t language) {
    if (!languages || language < 0 || 2 * language + 1 >= languages->length) return jnew<String>("");
    const auto first = static_cast<uint8_t>(languages->data[2 * language]);
    const auto second = static_cast<uint8_t>(languages->data[2 * language + 1]);
    const char16_t code[2] = {first, second};
    return jnew<String>(code, first == 0 ? 0 : second == 0 ? 1 : 2);
}

namespace {

// The language file's strings, each still encoded; an empty one stays null.
JavaPtr<JArray<JArray<signed char>>> languageStrings(const BundleBytes& file) {
    const int32_t count = file.i16(0);
    if (count < 0) throw IOException("language file counts fewer than no strings");
    auto table = jnew<JArray<JArray<signed char>>>(count);
    int64_t pos = 2;
    for (int32_t i = 0; i < count; ++i) {
        if (file.u8(pos) == 0) {
            ++pos;
            continue;
        }
        const std::span<const uint8_t> rest = file.slice(pos, static_cast<int64_t>(file.size()) - pos);
        size_t length = 0;
        EncodedStrings::decode(rest, &length);
        table->data[i] = BundleBytes::copy(rest.first(length));
        pos += static_cast<int64_t>(length);
    }
    return table;
}

}  // namespace

void EncodedStrings::loadLanguage(int32_t language) {
    {
        std::lock_guard guard(m_lock);
        enc_strings = nullptr;
    }
    const JavaPtr<String> name = getLanguageIDString(language);
    const Bytes data = ResourceHandler::loadFileFromJar(name, -1);
    if (!data) return;
    JavaPtr<JArray<JArray<signed char>>> table;
    try {
        table = languageStrings(BundleBytes(BundleBytes::of(data)));
    } catch (IOException& damaged) {
        throw ResourceHandler::damagedFile(java::io::toUtf8(name->view()), damaged);
    }
    std::lock_guard guard(m_lock);
    enc_strings = table;
}

EncodedStrings::Bytes EncodedStrings::getENCString(int32_t id) {
    std::lock_guard guard(m_lock);
    if (!enc_strings || id < 0 || id >= enc_strings->length) return nullptr;
    return enc_strings->data[id];
}

JavaPtr<java::lang::String> EncodedStrings::getString(int32_t id) {
    const Bytes text = getENCString(id);
    return text ? getStringFromENCString(text) : nullptr;
}

JavaPtr<java::lang::String> EncodedStrings::getStringFromENCString(const Bytes& text) {
    if (!text) throw java::lang::NullPointerException();
    const Decoded decoded = decode(BundleBytes::of(text));
    return jnew<String>(decoded.characters.data(), static_cast<int32_t>(decoded.characters.size()));
}

EncodedStrings::Bytes EncodedStrings::getENCStringFromString(const JavaPtr<String>& text) {
    if (!text) throw java::lang::NullPointerException();
    return encode({std::u16string(text->view()), {}});
}

JavaPtr<java::lang::String> EncodedStrings::insertStringIntoString(const JavaPtr<String>& text,
                                                                   const JavaPtr<String>& placeholder,
                                                                   const JavaPtr<String>& insert) {
    if (!text || !placeholder) throw java::lang::NullPointerException();
    const int32_t at = text->indexOf(placeholder);
    if (at < 0) return text;
    return text->substring(0, at) + insert + text->substring(at + placeholder->length());
}

JavaPtr<java::lang::String> EncodedStrings::insertENCStringIntoString(const JavaPtr<String>& text,
                                                                      const JavaPtr<String>& placeholder,
                                                                      const Bytes& insert) {
    return insertStringIntoString(text, placeholder, getStringFromENCString(insert));
}

EncodedStrings::Bytes EncodedStrings::insertStringIntoENCString(const Bytes& text, const JavaPtr<String>& placeholder,
                                                                const JavaPtr<String>& insert) {
    return insertENCStringIntoENCString(text, placeholder, getENCStringFromString(insert));
}

EncodedStrings::Bytes EncodedStrings::insertENCStringIntoENCString(const Bytes& text,
                                                                   const JavaPtr<String>& placeholder,
                                                                   const Bytes& insert) {
    if (!text || !placeholder || !insert) throw java::lang::NullPointerException();
    const Decoded into = decode(BundleBytes::of(text));
    const Decoded added = decode(BundleBytes::of(insert));
    const std::u16string_view wanted = placeholder->view();
    const size_t found = std::u16string_view(into.characters).rfind(wanted);
    if (found == std::u16string_view::npos) return text;
    const int32_t at = static_cast<int32_t>(found), length = static_cast<int32_t>(wanted.size());
    const int32_t shift = static_cast<int32_t>(added.characters.size()) - length;

    Decoded result;
    result.characters = into.characters.substr(0, found) + added.characters + into.characters.substr(found + wanted.size());
    auto keep = [&](int32_t position, int32_t type) {
        // One guide per position: the wrap takes guides in order and would never reach a second one.
        if (!result.guides.empty() && Decoded::position(result.guides.back()) >= position) return;
        result.guides.push_back(position | type << 24);
    };
    for (const int32_t guide : into.guides)
        if (Decoded::position(guide) <= at) keep(Decoded::position(guide), Decoded::type(guide));
    for (const int32_t guide : added.guides) keep(Decoded::position(guide) + at, Decoded::type(guide));
    // Guides inside the replaced placeholder pointed into text that is gone.
    for (const int32_t guide : into.guides)
        if (Decoded::position(guide) >= at + length && Decoded::position(guide) > at)
            keep(Decoded::position(guide) + shift, Decoded::type(guide));
    return encode(result);
}

JavaPtr<java::lang::String> EncodedStrings::replaceHardSpaces(const JavaPtr<String>& text) {
    if (!text) throw java::lang::NullPointerException();
    return text->replace(u'\u00AC', u' ')->replace(u'\u00A0', u' ');
}
