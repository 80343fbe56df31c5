// The quiz's categories and their subsections as "topics.dat" names them, with the per-subsection
// and per-category tables that are sized by it.
#pragma once

#include <cstdint>

#include "runtime/lang/JArray.h"
#include "runtime/lang/JavaPtr.h"

namespace java::lang { class String; }

class TopicsFile {
public:
    static constexpr int32_t PARAM_NUMBER_OF_CATEGORIES = 21;
    // The names of 21 categories and their subsections take 2.4 KB; four hundred times that is no topics file.
    static constexpr int32_t MAX_FILE_BYTES = 1 << 20;

    // Replaces every table from the whole file's bytes. Throws java::io::IOException when the file
    // ends before its last category, a subsection count is impossible or 0, or every category's
    // name is empty; the tables then keep what they held before.
    void read(const JavaPtr<JArray<signed char>>& bytes);

    JavaPtr<JArray<java::lang::String>> categoryStrings;
    JavaPtr<JArray<JArray<java::lang::String>>> subsectionStrings;
    JavaPtr<JArray<JArray<bool>>> practicedDBs;
    JavaPtr<JArray<int>> boxesToShow;
};
