// The class of an object: its name, and the way to the read-only files of the bundle.
#pragma once

#include "runtime/lang/Object.h"

namespace java::io { class InputStream; }

namespace java::lang {

class String;

class Class : public Object {
    JAVA_CLASS(Class, "java.lang.Class", Object)
public:
    explicit Class(JavaPtr<String> name) : m_name(std::move(name)) {}

    // The dotted name, as getClassTypeName gives it.
    JavaPtr<String> getName() { return m_name; }

    // A stream over the bundle file; "/name" and "name" both name it in the bundle directory,
    // and a trailing ".png" is looked up as "_png". Null when the name is empty or the file missing.
    JavaPtr<java::io::InputStream> getResourceAsStream(const JavaPtr<String>& name);

private:
    JavaPtr<String> m_name;
};

}  // namespace java::lang
