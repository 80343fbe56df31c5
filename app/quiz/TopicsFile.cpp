#include "app/quiz/TopicsFile.h"

#include <algorithm>
#include <string>

#include "runtime/io/ByteArrayInputStream.h"
#include "runtime/io/DataInputStream.h"
#include "runtime/io/EOFException.h"
#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/text/String.h"

using java::io::IOException;
using java::lang::jnew;
using java::lang::String;

namespace {

[[noreturn]] void malformed(const std::string& what) { throw IOException(java::io::stringFromUtf8("topics file " + what)); }

}  // namespace

void TopicsFile::read(const JavaPtr<JArray<signed char>>& bytes) {
    auto source = jnew<java::io::ByteArrayInputStream>(bytes);
    auto in = jnew<java::io::DataInputStream>(source);
    auto categories = jnew<JArray<String>>(PARAM_NUMBER_OF_CATEGORIES);
    auto subsections = jnew<JArray<JArray<String>>>(PARAM_NUMBER_OF_CATEGORIES);
    auto practiced = jnew<JArray<JArray<bool>>>(PARAM_NUMBER_OF_CATEGORIES);
    try {
        for (int32_t c = 0; c < PARAM_NUMBER_OF_CATEGORIES; ++c) {
            categories->data[c] = in->readUTF();
            // The stream's readInt gives -1 at the end instead of failing, so the count is checked
            // against what is left: every name takes at least its two length bytes.
            if (source->available() < 4) malformed("ends inside category " + std::to_string(c));
            const int32_t count = in->readInt();
            if (count < 0 || count > source->available() / 2)
                malformed("claims " + std::to_string(count) + " subsections for category " + std::to_string(c));
            // A category without subsections offers nothing to practise: a file of zeros reads so.
            if (count == 0) malformed("has no subsection for category " + std::to_string(c));
            subsections->data[c] = jnew<JArray<String>>(count);
            practiced->data[c] = jnew<JArray<bool>>(count);
            for (int32_t s = 0; s < count; ++s) subsections->data[c]->data[s] = in->readUTF();
        }
    } catch (const java::io::EOFException&) {
        malformed("ends before its last category");
    }
    // Lists of nameless categories could not be told apart: the names were wiped, not written so.
    if (std::all_of(categories->data, categories->data + PARAM_NUMBER_OF_CATEGORIES,
                    [](const JavaPtr<String>& name) { return name->length() == 0; }))
        malformed("names none of its categories");
    categoryStrings = categories;
    subsectionStrings = subsections;
    practicedDBs = practiced;
    boxesToShow = jnew<JArray<int>>(PARAM_NUMBER_OF_CATEGORIES);
}
