#include "runtime/lcdui/Font.h"

#include <algorithm>
#include <limits>

#include "runtime/lang/Exceptions.h"
#include "runtime/lcdui/BitmapFontSystem.h"
#include "runtime/text/String.h"

namespace javax::microedition::lcdui {

namespace {

// Without a loaded font every character counts as one the font lacks.
int32_t measureUnits(const jchar* units, int32_t count) {
    if (count <= 0) return 0;
    const auto tables = BitmapFontSystem::tables();
    const int64_t width = tables ? tables->measure(units, count) : int64_t{10} * count;
    return static_cast<int32_t>(std::min<int64_t>(width, std::numeric_limits<int32_t>::max()));
}

}  // namespace

JavaPtr<Font> Font::getFont(int32_t face, int32_t style, int32_t size) {
    const bool faceKnown = face == FACE_SYSTEM || face == FACE_MONOSPACE || face == FACE_PROPORTIONAL;
    const bool sizeKnown = size == SIZE_MEDIUM || size == SIZE_SMALL || size == SIZE_LARGE;
    if (!faceKnown || style < 0 || style > 7 || !sizeKnown) throw java::lang::IllegalArgumentException();
    return java::lang::jnew<Font>(face | style | size);
}

JavaPtr<Font> Font::getFont(int32_t specifier) { return getFont(FACE_SYSTEM, STYLE_PLAIN, SIZE_MEDIUM); }
JavaPtr<Font> Font::getDefaultFont() { return getFont(FACE_SYSTEM, STYLE_PLAIN, SIZE_MEDIUM); }

int32_t Font::getHeight() const {
    const auto tables = BitmapFontSystem::tables();
    return tables ? tables->m_fontHeight : 0;
}

int32_t Font::charWidth(jchar c) const { return measureUnits(&c, 1); }

int32_t Font::charsWidth(const JavaPtr<JArray<jchar>>& chars, int32_t offset, int32_t length) const {
    if (length < 1) return 0;
    if (!chars) throw java::lang::NullPointerException();
    if (offset < 0 || static_cast<int64_t>(offset) + length > chars->length)
        throw java::lang::ArrayIndexOutOfBoundsException();
    return measureUnits(chars->data + offset, length);
}

int32_t Font::stringWidth(const JavaPtr<java::lang::String>& s) const {
    if (!s) throw java::lang::NullPointerException();
    return substringWidth(s, 0, s->length());
}

int32_t Font::substringWidth(const JavaPtr<java::lang::String>& s, int32_t offset, int32_t length) const {
    if (!s) throw java::lang::NullPointerException();
    if (offset < 0 || offset > s->length() || length < 0 || static_cast<int64_t>(offset) + length > s->length())
        throw java::lang::StringIndexOutOfBoundsException();
    return measureUnits(s->units() + offset, length);
}

}  // namespace javax::microedition::lcdui
