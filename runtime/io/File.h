// A named file: "/name" lies in the bundle directory, any other name in the documents directory.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/lang/Object.h"

namespace java::lang { class String; }

namespace java::io {

class File : public java::lang::Object {
    JAVA_CLASS(File, "java.io.File", Object)
public:
    File() = default;
    explicit File(const JavaPtr<java::lang::String>& name) { WENDinvokeconstructor(name); }
    void WENDinvokeconstructor(const JavaPtr<java::lang::String>& name);

    // The size in bytes; -1 when the file is missing or is not a regular file.
    int64_t length();

    // Empty when the directory the name needs has not been set.
    const std::string& nativePath() const { return m_path; }

    // The path of a name as File resolves it, with a trailing ".png" looked up as "_png".
    static std::string pathOf(std::u16string_view name);

private:
    std::string m_path;
};

}  // namespace java::io
