// Makes the whole question set from a WordNet database: every category's subsections and the test.
#pragma once

#include "tools/questions/QuestionSet.h"

namespace questions {

class Commonness;
class ScreenFit;
class WordNet;

class QuestionSetBuilder {
public:
    // Throws std::runtime_error when a category has too few questions for its subsections or the
    // test cannot be filled.
    static QuestionSet build(const WordNet& wordNet, const Commonness& commonness, ScreenFit& fit);
};

}  // namespace questions
