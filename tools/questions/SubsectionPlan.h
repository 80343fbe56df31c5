// Cuts a category's questions, most common first, into 3 to 8 subsections of 20 to 40 questions
// named after their level: "Everyday", "Familiar", "Challenging", "Expert", numbered when a level
// has more than one.
#pragma once

#include <vector>

#include "tools/questions/QuestionSet.h"

namespace questions {

class SubsectionPlan {
public:
    static constexpr size_t fewestSubsections = 3, mostSubsections = 8;
    static constexpr size_t fewestQuestions = 20, mostQuestions = 40;

    // Throws std::runtime_error when there are too few questions for three subsections.
    static std::vector<Subsection> cut(std::vector<Question> questions);
};

}  // namespace questions
