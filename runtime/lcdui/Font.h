// A face, style and size packed in one byte; every font measures and draws with the one bitmap font.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace javax::microedition::lcdui {

using java::lang::jchar;

class Font : public java::lang::Object {
    JAVA_CLASS(Font, "javax.microedition.lcdui.Font", java::lang::Object)
public:
    static constexpr int32_t FACE_SYSTEM = 0;
    static constexpr int32_t FACE_MONOSPACE = 32;
    static constexpr int32_t FACE_PROPORTIONAL = 64;
    static constexpr int32_t STYLE_PLAIN = 0;
    static constexpr int32_t STYLE_BOLD = 1;
    static constexpr int32_t STYLE_ITALIC = 2;
    static constexpr int32_t STYLE_UNDERLINED = 4;
    static constexpr int32_t SIZE_MEDIUM = 0;
    static constexpr int32_t SIZE_SMALL = 8;
    static constexpr int32_t SIZE_LARGE = 16;
    static constexpr int32_t FONT_STATIC_TEXT = 0;
    static constexpr int32_t FONT_INPUT_TEXT = 1;

    explicit Font(int32_t code) : m_code(static_cast<uint8_t>(code)) {}

    // A new Font each call; IllegalArgumentException for an unknown face, style or size.
    static JavaPtr<Font> getFont(int32_t face, int32_t style, int32_t size);
    static JavaPtr<Font> getFont(int32_t specifier);
    static JavaPtr<Font> getDefaultFont();

    int32_t getFace() const { return m_code & 0x60; }
    int32_t getStyle() const { return m_code & 0x07; }
    int32_t getSize() const { return m_code & 0x18; }
    bool isBold() const { return (m_code & STYLE_BOLD) != 0; }
    bool isItalic() const { return (m_code & STYLE_ITALIC) != 0; }
    bool isUnderlined() const { return (m_code & STYLE_UNDERLINED) != 0; }
    bool isPlain() const { return (m_code & 0x07) == 0; }
    int32_t getCode() const { return m_code; }

    int32_t getBaselinePosition() const { return 0; }
    int32_t getHeight() const;
    int32_t charWidth(jchar c) const;
    // 0 for a length below 1; ArrayIndexOutOfBoundsException for a range outside the array.
    int32_t charsWidth(const JavaPtr<JArray<jchar>>& chars, int32_t offset, int32_t length) const;
    int32_t stringWidth(const JavaPtr<java::lang::String>& s) const;
    // StringIndexOutOfBoundsException for a range outside the string.
    int32_t substringWidth(const JavaPtr<java::lang::String>& s, int32_t offset, int32_t length) const;

private:
    uint8_t m_code;
};

}  // namespace javax::microedition::lcdui
