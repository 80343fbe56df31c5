// A readable summary of a question set: per category its subsections and their sizes, then a few
// questions drawn with a seed, with their answers and information texts.
#pragma once

#include <cstdint>
#include <ostream>

#include "tools/questions/QuestionSet.h"

namespace questions {

class QuestionReport {
public:
    static void print(const QuestionSet& set, uint64_t seed, int sampleCount, std::ostream& out);
};

}  // namespace questions
