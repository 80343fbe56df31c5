#include "app/quiz/QuestionDatabase.h"

#include <string>

#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using java::lang::String;

namespace {

int32_t byteAt(const JArray<signed char>& bytes, int32_t position) { return static_cast<unsigned char>(bytes.data[position]); }

JavaPtr<String> utf8Text(const JArray<signed char>& bytes, int32_t position, int32_t length) {
    return java::io::stringFromUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data) + position,
                                                     static_cast<size_t>(length)));
}

}  // namespace

JavaPtr<String> QuestionDatabase::testFileName() { return jnew<String>("shuffle_db.dat"); }

JavaPtr<String> QuestionDatabase::practiceFileName(int32_t category, int32_t subsection) {
    if (category < 0 || category >= PARAM_NUMBER_OF_CATEGORIES || subsection < 0)
        throw java::lang::IllegalArgumentException("no practice database for that category and subsection");
    return java::io::stringFromUtf8("cdb" + std::to_string(category) + "_" + std::to_string(subsection) + ".dat");
}

void QuestionDatabase::load(const JavaPtr<JArray<signed char>>& bytes) {
    const int32_t size = bytes ? bytes->length : 0;
    const auto cutShort = [](int32_t record) {
        throw java::io::IOException(java::io::stringFromUtf8("question database ends inside record " + std::to_string(record)));
    };
    if (size < 2) throw java::io::IOException("question database is missing or has no record count");
    const int32_t count = byteAt(*bytes, 0) << 8 | byteAt(*bytes, 1);
    // A file of zeros reads as one without records, which would show a blank question.
    if (count == 0) throw java::io::IOException("question database holds no question");
    auto offsets = jnew<JArray<int>>(count);
    int32_t position = 2;
    for (int32_t i = 0; i < count; ++i) {
        offsets->data[i] = position;
        if (position + 2 > size) cutShort(i);
        position += 2 + (byteAt(*bytes, position) << 8 | byteAt(*bytes, position + 1));
        for (int k = 0; k < 4; ++k) {
            if (position + 1 > size) cutShort(i);
            position += 1 + byteAt(*bytes, position);
        }
        if (position > size) cutShort(i);
    }
    database_bytes = bytes;
    database_read_pos = 0;
    database_count = count;
    question_offsets = offsets;
}

int32_t QuestionDatabase::criticshortRead() {
    const int32_t value = byteAt(*database_bytes, database_read_pos) << 8 | byteAt(*database_bytes, database_read_pos + 1);
    database_read_pos += 2;
    return value;
}

JavaPtr<String> QuestionDatabase::criticnameReadQuestion() {
    const int32_t length = byteAt(*database_bytes, database_read_pos) << 8 | byteAt(*database_bytes, database_read_pos + 1);
    return utf8Text(*database_bytes, database_read_pos + 2, length);
}

JavaPtr<String> QuestionDatabase::criticnameRead() {
    return utf8Text(*database_bytes, database_read_pos + 1, byteAt(*database_bytes, database_read_pos));
}

JavaPtr<JArray<String>> QuestionDatabase::readRecord(int32_t index) {
    database_read_pos = question_offsets->at(index);
    auto record = jnew<JArray<String>>(5);
    record->data[0] = criticnameReadQuestion();
    database_read_pos += 2 + (byteAt(*database_bytes, database_read_pos) << 8 | byteAt(*database_bytes, database_read_pos + 1));
    for (int32_t k = 1; k <= 3; ++k) {
        record->data[k] = criticnameRead();
        database_read_pos += 1 + byteAt(*database_bytes, database_read_pos);
    }
    record->data[4] = criticnameRead();
    return record;
}
