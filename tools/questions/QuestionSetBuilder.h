// Makes the whole question set from a WordNet database: every category's subsections and the test.
#pragma once

#include "tools/questions/QuestionSet.h"

namespace questions {

class ScreenFit;
class WordNet;

class QuestionSetBuilder {
public:
    // Throws std::runtime_error when a category or the test cannot be filled.
    static QuestionSet build(const WordNet& wordNet, ScreenFit& fit);
};

}  // namespace questions
