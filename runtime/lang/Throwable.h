// Base of every exception: keeps the message, prints itself. Thrown by value, caught by type.
#pragma once

#include "runtime/lang/Object.h"

namespace java::lang {

class Throwable : public Object {
    JAVA_CLASS(Throwable, "java.lang.Throwable", Object)
public:
    Throwable() = default;
    explicit Throwable(JavaPtr<String> message) : m_message(std::move(message)) {}
    explicit Throwable(const char* message);

    virtual JavaPtr<String> getMessage() { return m_message; }
    virtual void printStackTrace();
    JavaPtr<String> toString() override;

protected:
    JavaPtr<String> m_message;
};

}  // namespace java::lang

// Declares an exception class that adds nothing but its name and place in the hierarchy.
#define JAVA_EXCEPTION_CLASS(Name, Base, dottedName)                                 \
    class Name : public Base {                                                       \
        JAVA_CLASS(Name, dottedName, Base)                                           \
    public:                                                                          \
        Name() = default;                                                            \
        explicit Name(::java::lang::JavaPtr<::java::lang::String> message)          \
            : Base(std::move(message)) {}                                            \
        explicit Name(const char* message) : Base(message) {}                        \
    };
