// Immutable text of UTF-16 code units, NUL-terminated, with a cached 8-bit copy for platform calls.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::lang {

class String : public Object {
    JAVA_CLASS(String, "java.lang.String", Object)
public:
    String();
    // Literal text: each byte one unit, backslash-u-XXXX one unit; marks the string literal.
    // A null pointer gives "null" without the mark.
    String(const char* literal);
    String(const char16_t* units, int32_t count);
    String(const String& other);
    // A copy of another string; never literal.
    explicit String(const JavaPtr<String>& other);
    explicit String(jchar unit);
    // The decimal text of the value.
    explicit String(int32_t value);
    explicit String(const JavaPtr<JArray<jchar>>& units);
    String(const JavaPtr<JArray<jchar>>& units, int32_t offset, int32_t count);
    // Each byte gives the character of the same (unsigned) value.
    String(const JavaPtr<JArray<signed char>>& bytes, int32_t offset, int32_t length);
    // Decodes in the named encoding; only "UTF-8" is known, anything else is IllegalArgumentException.
    String(const JavaPtr<JArray<signed char>>& bytes, int32_t offset, int32_t length, const JavaPtr<String>& encoding);
    ~String() override;

    static JavaPtr<String> valueOf(int32_t value);

    int32_t length() const { return m_length; }
    jchar charAt(int32_t index) const;
    bool equals(JavaPtr<Object> other) override;
    bool equals(const JavaPtr<String>& other);
    bool equalsIgnoreCase(const JavaPtr<String>& other) const;
    int32_t compareTo(const JavaPtr<String>& other) const;
    int32_t hashCode() override;
    JavaPtr<String> toString() override { return JavaPtr<String>(this); }

    int32_t indexOf(int32_t unit) const { return indexOf(unit, 0); }
    int32_t indexOf(int32_t unit, int32_t from) const;
    int32_t indexOf(const JavaPtr<String>& text) const;
    int32_t lastIndexOf(int32_t unit) const;
    // False for an empty receiver, whatever the prefix.
    bool startsWith(const JavaPtr<String>& prefix) const;

    JavaPtr<String> substring(int32_t begin) const { return substring(begin, m_length); }
    JavaPtr<String> substring(int32_t begin, int32_t end) const;
    JavaPtr<String> replace(jchar oldUnit, jchar newUnit) const;
    JavaPtr<JArray<jchar>> toCharArray() const;

    // True only when both strings were made from literal text and are equal.
    bool operator==(const JavaPtr<String>& other) const;
    bool isLiteral() const { return m_literal; }

    // One byte per unit (the unit's low byte); each call replaces the previous copy.
    const char* val();

    const char16_t* units() const { return m_units; }
    std::u16string_view view() const { return {m_units, static_cast<size_t>(m_length)}; }

    JavaPtr<String> operator+(const JavaPtr<String>& other) const;
    JavaPtr<String> operator+(const JavaPtr<Object>& other) const;
    JavaPtr<String> operator+(const char* literal) const;
    JavaPtr<String> operator+(int32_t value) const;
    JavaPtr<String> operator+(long long value) const;
    // A char appends itself, as in Java; without this it would promote to int and append digits.
    JavaPtr<String> operator+(jchar unit) const;

    // Takes ownership of a block of count + 1 units whose last is NUL.
    static JavaPtr<String> adopt(char16_t* units, int32_t count);

private:
    struct Adopt {};
    String(Adopt, char16_t* units, int32_t count);

    char16_t* m_units;
    int32_t m_length;
    bool m_literal = false;
    std::atomic<int32_t> m_hash{0};  // 0 until computed; racing threads store the same value
    char* m_val = nullptr;
};

// Concatenation on references; a null left side reads as "null", as in Java.
JavaPtr<String> operator+(const JavaPtr<String>& left, const JavaPtr<String>& right);
JavaPtr<String> operator+(const JavaPtr<String>& left, const JavaPtr<Object>& right);
JavaPtr<String> operator+(const JavaPtr<String>& left, const char* right);
JavaPtr<String> operator+(const JavaPtr<String>& left, int32_t right);
JavaPtr<String> operator+(const JavaPtr<String>& left, long long right);
JavaPtr<String> operator+(const JavaPtr<String>& left, jchar right);
template <class U>
    requires(std::is_convertible_v<U*, Object*> && !std::is_same_v<U, String> && !std::is_same_v<U, Object>)
JavaPtr<String> operator+(const JavaPtr<String>& left, const JavaPtr<U>& right) {
    return left + JavaPtr<Object>(right);
}

// Makes the reference name a new string: its old text (or "null") followed by the right side.
JavaPtr<String>& operator+=(JavaPtr<String>& left, const JavaPtr<String>& right);

}  // namespace java::lang

using java::lang::String;
