// One question database held whole: its record count, the byte offset of every record, and the
// reads that turn a record into the question, its three answers and its information text.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/JavaPtr.h"

namespace java::lang { class String; }

class QuestionDatabase {
public:
    static constexpr int32_t PARAM_NUMBER_OF_CATEGORIES = 21;
    static constexpr int32_t PARAM_SHUFFLE_GRAND_TOTAL = 575;
    // The test's 575 questions take 155 KB, a subsection's a tenth of that; a hundred times the
    // test's is no question database.
    static constexpr int32_t MAX_FILE_BYTES = 16 << 20;

    // "shuffle_db.dat", the test's database.
    static JavaPtr<java::lang::String> testFileName();
    // "cdb" + category + "_" + subsection + ".dat"; IllegalArgumentException for a category that
    // has no practice databases (21 is the test) or a negative subsection.
    static JavaPtr<java::lang::String> practiceFileName(int32_t category, int32_t subsection);

    // Takes the bytes, reads the count and indexes every record. Throws java::io::IOException when
    // it holds no record or a record runs past the end of the bytes; the database then keeps what
    // it held before.
    void load(const JavaPtr<JArray<signed char>>& bytes);
    // The record at index, as [question, answer 1 (the right one), answer 2, answer 3, information];
    // ArrayIndexOutOfBoundsException outside 0 to database_count - 1.
    JavaPtr<JArray<java::lang::String>> readRecord(int32_t index);

    // Big-endian u16 at database_read_pos; advances by 2.
    int32_t criticshortRead();
    // The UTF-8 text after the u16 length at database_read_pos; does not move.
    JavaPtr<java::lang::String> criticnameReadQuestion();
    // The UTF-8 text after the u8 length at database_read_pos; does not move.
    JavaPtr<java::lang::String> criticnameRead();

    JavaPtr<JArray<signed char>> database_bytes;
    int32_t database_read_pos = 0;
    int32_t database_count = 0;
    JavaPtr<JArray<int>> question_offsets;
};
