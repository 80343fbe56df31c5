// A readable summary of a question set: per category its subsections and their sizes, the defect
// counts of an audit, then a few questions drawn with a seed, with their answers and information
// texts; and the sample drawn for reading by hand.
#pragma once

#include <cstdint>
#include <ostream>

#include "tools/questions/QuestionSet.h"

namespace questions {

class QuestionAudit;

class QuestionReport {
public:
    static void print(const QuestionSet& set, const QuestionAudit& audit, uint64_t seed, int sampleCount, std::ostream& out);
    // 150 test and 100 practice questions at fixed strides from the seed, the rule stated first.
    static void printSample(const QuestionSet& set, uint64_t seed, std::ostream& out);
};

}  // namespace questions
