// Creating an image from a whole bundle or documents file.
#include "runtime/io/File.h"
#include "runtime/io/FileInputStream.h"
#include "runtime/io/IOException.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/ImageDecoders.h"

namespace javax::microedition::lcdui {

JavaPtr<Image> Image::createImage(const JavaPtr<java::lang::String>& name) {
    if (!name) throw java::lang::NullPointerException();
    auto file = java::lang::jnew<java::io::File>(name);
    const int64_t length = file->length();
    if (length <= 0 || static_cast<uint64_t>(length) > imagedecoders::MAX_PICTURE_BYTES) throw java::io::IOException();
    auto in = java::lang::jnew<java::io::FileInputStream>(file);
    if (!in->isOpened()) throw java::io::IOException();
    const auto size = static_cast<int32_t>(length);
    auto bytes = java::lang::jnew<JArray<signed char>>(size);
    int32_t filled = 0;
    while (filled < size) {
        const int32_t count = in->read(bytes, filled, size - filled);
        if (count <= 0) break;
        filled += count;
    }
    in->close();
    if (filled != size) throw java::io::IOException();
    auto image = createImage(bytes, 0, size);
    if (!image) throw java::io::IOException();
    return image;
}

}  // namespace javax::microedition::lcdui
