// The array object: a signed 32-bit length and one element block, zero-filled or holding
// counted references; arrays of arrays record their dimension count.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

#include "runtime/lang/Object.h"

namespace java::lang {

[[noreturn]] void throwArrayIndexOutOfBounds();

template <class T> class JArray;

namespace detail {
template <class T> struct ArrayTraits {
    // An element of class type is a counted reference to it.
    using Element = JavaPtr<T>;
    static constexpr int32_t typeCode = 0;
    static constexpr int32_t dimensions = 1;
    static constexpr const char* elementName = T::className;
};
template <class T> struct ArrayTraits<JArray<T>> {
    using Element = JavaPtr<JArray<T>>;
    static constexpr int32_t typeCode = ArrayTraits<T>::typeCode;
    static constexpr int32_t dimensions = ArrayTraits<T>::dimensions + 1;
    static constexpr const char* elementName = ArrayTraits<T>::elementName;
};
#define JARRAY_PRIMITIVE(Type, code, name)                   \
    template <> struct ArrayTraits<Type> {                   \
        using Element = Type;                                \
        static constexpr int32_t typeCode = code;            \
        static constexpr int32_t dimensions = 1;             \
        static constexpr const char* elementName = name;     \
    };
JARRAY_PRIMITIVE(bool, 1, "boolean")
JARRAY_PRIMITIVE(signed char, 2, "byte")
JARRAY_PRIMITIVE(char16_t, 3, "char")
JARRAY_PRIMITIVE(short, 4, "short")
JARRAY_PRIMITIVE(int, 5, "int")
JARRAY_PRIMITIVE(long long, 6, "long")
JARRAY_PRIMITIVE(float, 7, "float")
JARRAY_PRIMITIVE(double, 8, "double")
JARRAY_PRIMITIVE(unsigned char, 9, "unsigned byte")
JARRAY_PRIMITIVE(unsigned int, 12, "unsigned int")
JARRAY_PRIMITIVE(unsigned long long, 13, "unsigned long")
#undef JARRAY_PRIMITIVE
}  // namespace detail

// What every array type shares, so that membership can be tested without knowing the type.
class ArrayBase : public Object {
public:
    int32_t elementTypeCode() const { return m_elementTypeCode; }
    int32_t elementClassId() const { return m_elementClassId; }

protected:
    ArrayBase(int32_t typeCode, int32_t classId) : m_elementTypeCode(typeCode), m_elementClassId(classId) {}

private:
    int32_t m_elementTypeCode;
    int32_t m_elementClassId;
};

// Java's char: one UTF-16 code unit.
using jchar = char16_t;

template <class T>
class JArray : public ArrayBase {
    using Traits = detail::ArrayTraits<T>;

public:
    using Element = typename Traits::Element;
    static constexpr int32_t elementTypeCode = Traits::typeCode;
    static constexpr const char* className = Traits::elementName;
    static constexpr int32_t typeID = typeIdOf(Traits::elementName);
    // An array type shares its type id with its element class, so casts to it check the C++ type.
    static constexpr bool isArrayType = true;

    // A length below 1 gives a valid empty array with no element block.
    explicit JArray(int32_t n = 0) : ArrayBase(Traits::typeCode, typeID) {
        setArrayDimensions(Traits::dimensions);
        if (n > 0) {
            data = new Element[n]();
            length = n;
        }
    }
    ~JArray() override { delete[] data; }
    // Arrays are shared by reference; a copied object would free the element block twice.
    JArray(const JArray&) = delete;
    JArray& operator=(const JArray&) = delete;

    JavaPtr<String> getClassTypeName() override { return detail::classNameString(className); }
    void* castAsTypeID(int32_t id) override { return Object::castAsTypeID(id); }

    Element& operator[](int32_t i) {
#ifdef LEXIVO_CHECKED
        if (i < 0 || i >= length) throwArrayIndexOutOfBounds();
#endif
        return data[i];
    }
    // Checked access, for callers whose index comes from outside.
    Element& at(int32_t i) {
        if (i < 0 || i >= length) throwArrayIndexOutOfBounds();
        return data[i];
    }

    // Grows this array itself by one element, keeping its identity; unchanged when memory runs out.
    void append(const Element& value) {
        Element* grown = new (std::nothrow) Element[static_cast<size_t>(length) + 1]();
        if (!grown) return;
        // Stored first: the value may be one of this array's own elements, which the moves empty.
        grown[length] = value;
        for (int32_t i = 0; i < length; ++i) grown[i] = std::move(data[i]);
        delete[] data;
        data = grown;
        ++length;
    }

    int32_t length = 0;
    Element* data = nullptr;
};

// True when the object is an array of the element type code (or element class type id) and dimensions.
bool instanceofArray(Smart* object, int32_t elementTypeCodeOrId, int32_t dimensions);

}  // namespace java::lang

using java::lang::JArray;
