#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/questions/SubsectionPlan.h"

namespace {

std::vector<questions::Question> numbered(size_t count) {
    std::vector<questions::Question> out(count);
    for (size_t i = 0; i < count; ++i) out[i].question = std::to_string(i);
    return out;
}

TEST(SubsectionPlan, CutsInOrderIntoNamedLevelsOfTwentyToForty) {
    struct Case {
        size_t questions;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {60, {"Everyday", "Challenging", "Expert"}},
        {120, {"Everyday", "Challenging", "Expert"}},
        {121, {"Everyday", "Familiar", "Challenging", "Expert"}},
        {230, {"Everyday 1", "Everyday 2", "Familiar", "Challenging 1", "Challenging 2", "Expert"}},
        {400, {"Everyday 1", "Everyday 2", "Familiar 1", "Familiar 2", "Challenging 1", "Challenging 2", "Expert 1",
               "Expert 2"}},
    };
    for (const Case& c : cases) {
        const auto subsections = questions::SubsectionPlan::cut(numbered(c.questions));
        std::vector<std::string> names;
        size_t next = 0;
        for (const auto& subsection : subsections) {
            names.push_back(subsection.name);
            EXPECT_GE(subsection.questions.size(), 20u) << c.questions;
            EXPECT_LE(subsection.questions.size(), 40u) << c.questions;
            for (const auto& question : subsection.questions) EXPECT_EQ(question.question, std::to_string(next++));
        }
        EXPECT_EQ(names, c.names) << c.questions;
        EXPECT_EQ(next, std::min<size_t>(c.questions, 320)) << "the most common questions are kept, in order";
    }
    EXPECT_THROW(questions::SubsectionPlan::cut(numbered(59)), std::runtime_error);
}

}  // namespace
