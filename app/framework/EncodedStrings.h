// Encoded strings (one or two bytes per character, optional hyphenation guides) and the language
// table of them: loading a language, converting to and from String, substituting a placeholder and
// wrapping a text into lines that fit a width.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "runtime/lang/JArray.h"

namespace java::lang { class String; }
class ResourceHandler;

class EncodedStrings {
public:
    using String = java::lang::String;
    using Bytes = JavaPtr<JArray<signed char>>;

    static constexpr int32_t TEXTFLAG_CONTAINS_HYPHENATION_GUIDELINES = 4;
    static constexpr int32_t WL_TEXT_GUIDELINE_TYPE_MASK = static_cast<int32_t>(0xFF000000u);

    // A string taken apart: its characters and its guides (position | type << 24), sorted by position.
    struct Decoded {
        std::u16string characters;
        std::vector<int32_t> guides;
        static int32_t position(int32_t guide) { return guide & ~WL_TEXT_GUIDELINE_TYPE_MASK; }
        static int32_t type(int32_t guide) { return static_cast<int32_t>(static_cast<uint32_t>(guide) >> 24); }
    };
    // IOException for a width other than 1 or 2, counts the bytes do not hold, guides out of order or
    // past the end, and a guide flag with no guides. size, when given, receives the bytes used.
    static Decoded decode(std::span<const uint8_t> bytes, size_t* size = nullptr);
    // Two bytes per character; guides in the width the count needs; flags 2, or 6 with guides.
    static Bytes encode(const Decoded& text);

    // table is where the language's strings are kept: the canvas's class static, which the text code
    // reads through these operations.
    EncodedStrings(ResourceHandler& resources, JavaPtr<JArray<JArray<signed char>>>& table)
        : m_resources(resources), enc_strings(table) {}

    // The two-letter code of the resource map's language slot; empty for a slot it does not have.
    JavaPtr<String> getLanguageIDString(int32_t language);
    // The same from a language table (two bytes per language).
    static JavaPtr<String> getLanguageIDString(const JavaPtr<JArray<signed char>>& languages, int32_t language);
    // Replaces the table with the language's file; no table when the file is missing, IOException
    // (and no table) when it is damaged.
    void loadLanguage(int32_t language);
    // Null for a missing string, an id outside the table, or no table.
    Bytes getENCString(int32_t id);
    JavaPtr<String> getString(int32_t id);

    static JavaPtr<String> getStringFromENCString(const Bytes& text);
    static Bytes getENCStringFromString(const JavaPtr<String>& text);
    static JavaPtr<String> insertStringIntoString(const JavaPtr<String>& text, const JavaPtr<String>& placeholder,
                                                  const JavaPtr<String>& insert);
    static JavaPtr<String> insertString(const JavaPtr<String>& text, const JavaPtr<String>& placeholder,
                                        const JavaPtr<String>& insert) {
        return insertStringIntoString(text, placeholder, insert);
    }
    static JavaPtr<String> insertENCStringIntoString(const JavaPtr<String>& text, const JavaPtr<String>& placeholder,
                                                     const Bytes& insert);
    static Bytes insertStringIntoENCString(const Bytes& text, const JavaPtr<String>& placeholder,
                                           const JavaPtr<String>& insert);
    // Replaces the last occurrence; guides of the insert move with it, guides inside the replaced
    // placeholder go, and the result's guides stay sorted.
    static Bytes insertENCStringIntoENCString(const Bytes& text, const JavaPtr<String>& placeholder,
                                              const Bytes& insert);
    static JavaPtr<String> replaceHardSpaces(const JavaPtr<String>& text);

    // The width of a character in a font slot, as the text drawing measures it.
    std::function<int32_t(int32_t font, char16_t c)> charWidth;
    // Lines no wider than maxWidth (a single word wider than that stays whole); null for a null text.
    JavaPtr<JArray<String>> splitENCString(const Bytes& text, int32_t font, int32_t maxWidth);
    JavaPtr<JArray<String>> splitString(const JavaPtr<String>& text, int32_t font, int32_t maxWidth) {
        return splitENCString(getENCStringFromString(text), font, maxWidth);
    }

private:
    ResourceHandler& m_resources;
    // The table is replaced on the loading thread while drawing reads strings.
    std::mutex m_lock;
    JavaPtr<JArray<JArray<signed char>>>& enc_strings;
};
