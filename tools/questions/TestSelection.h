// Chooses the test's questions from every category's practice questions: an even share per
// category, taken more densely among the common words, each in the sense players know it by.
#pragma once

#include <vector>

#include "tools/questions/QuestionSet.h"

namespace questions {

class TestSelection {
public:
    // Throws std::runtime_error when the categories hold too few questions.
    static std::vector<Question> choose(const std::vector<Category>& categories, size_t total);
};

}  // namespace questions
