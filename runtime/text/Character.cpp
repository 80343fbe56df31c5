#include "runtime/text/Character.h"

#include "runtime/text/String.h"

namespace java::lang {

namespace {

// Latin-1 letters outside ASCII: U+00C0-U+00DE and U+00E0-U+00FE pair up, except the
// multiplication and division signs. U+00DF and U+00FF have no Latin-1 upper case.
bool isLatinUpper(jchar unit) {
    return (unit >= u'A' && unit <= u'Z') || (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7);
}
bool isLatinLower(jchar unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7);
}

}  // namespace

bool Character::equals(JavaPtr<Object> other) {
    JavaPtr<Character> character = recastObj<Character>(other);
    return character && character->m_value == m_value;
}

JavaPtr<String> Character::toString() { return jnew<String>(m_value); }

jchar Character::toUpperCase(jchar unit) { return isLatinLower(unit) ? static_cast<jchar>(unit - 0x20) : unit; }

jchar Character::toLowerCase(jchar unit) { return isLatinUpper(unit) ? static_cast<jchar>(unit + 0x20) : unit; }

int32_t Character::digit(jchar unit, int32_t radix) {
    if (radix < MIN_RADIX || radix > MAX_RADIX) return -1;
    int32_t value = -1;
    if (unit >= u'0' && unit <= u'9') value = unit - u'0';
    else if (unit >= u'A' && unit <= u'Z') value = unit - u'A' + 10;
    else if (unit >= u'a' && unit <= u'z') value = unit - u'a' + 10;
    return value < radix ? value : -1;
}

}  // namespace java::lang
