#include "runtime/lang/Class.h"

#include "runtime/io/File.h"
#include "runtime/io/FileInputStream.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

namespace java::lang {

JavaPtr<java::io::InputStream> Class::getResourceAsStream(const JavaPtr<String>& name) {
    if (!name) throw NullPointerException();
    std::u16string_view view = name->view();
    if (view.empty() || view == u"/") return nullptr;
    // The bundle is flat: a name without the leading "/" names the same file.
    std::u16string bundleName = view.front() == u'/' ? std::u16string(view) : u"/" + std::u16string(view);
    auto stream = jnew<java::io::FileInputStream>();
    stream->WENDinvokeconstructor(jnew<java::io::File>(jnew<String>(bundleName.data(),
                                                                    static_cast<int32_t>(bundleName.size()))));
    if (!stream->isOpened()) return nullptr;
    return stream;
}

}  // namespace java::lang
