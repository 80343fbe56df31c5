// Type ids and the declarative mechanism that gives every class its generated members.
#pragma once

#include <cstdint>

namespace java::lang {

// Java's String.hashCode over the dotted class name; class names are ASCII, so bytes are UTF-16 units.
constexpr int32_t typeIdOf(const char* dottedName) {
    uint32_t hash = 0;
    for (const char* c = dottedName; *c; ++c) hash = hash * 31u + static_cast<unsigned char>(*c);
    return static_cast<int32_t>(hash);
}

class Smart;
class String;
template <class T, bool Counted> class JavaPtr;

namespace detail {
// Asks each base in turn; the first that knows the id answers.
template <class Self, class... Bases>
void* castThroughBases(Self* self, int32_t id) {
    void* found = nullptr;
    (..., (found = found ? found : static_cast<Bases*>(self)->Bases::castAsTypeID(id)));
    return found;
}
JavaPtr<String, true> classNameString(const char* name);
}  // namespace detail

}  // namespace java::lang

// Declares the generated members of a class: its name and type-id statics, getClassTypeName,
// castAsTypeID (answering for the class and, through them, for each listed base and interface)
// and the static castAsTypeIDS. Place it first in the class body.
#define JAVA_CLASS(Self, dottedName, ...) JAVA_CLASS_NAMED(Self, dottedName, dottedName, __VA_ARGS__)

// The same, for a class whose reported name differs from the name its type id is hashed from.
#define JAVA_CLASS_NAMED(Self, reportedName, idName, ...)                                        \
public:                                                                                          \
    static constexpr const char* className = reportedName;                                       \
    static constexpr int32_t typeID = ::java::lang::typeIdOf(idName);                            \
    ::java::lang::JavaPtr<::java::lang::String, true> getClassTypeName() override {              \
        return ::java::lang::detail::classNameString(className);                                 \
    }                                                                                            \
    void* castAsTypeID(int32_t id) override {                                                    \
        if (id == typeID) return static_cast<Self*>(this);                                       \
        return ::java::lang::detail::castThroughBases<Self, __VA_ARGS__>(this, id);              \
    }                                                                                            \
    static void* castAsTypeIDS(::java::lang::Smart* object, int32_t id) {                        \
        return object ? object->castAsTypeID(id) : nullptr;                                      \
    }                                                                                            \
                                                                                                 \
private:
