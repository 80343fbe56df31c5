#include "tools/questions/SubsectionPlan.h"

#include <stdexcept>
#include <string>

namespace questions {

std::vector<Subsection> SubsectionPlan::cut(std::vector<Question> questions) {
    const size_t total = std::min(questions.size(), mostSubsections * mostQuestions);
    if (total < fewestSubsections * fewestQuestions)
        throw std::runtime_error("only " + std::to_string(total) + " questions; a category needs " +
                                 std::to_string(fewestSubsections * fewestQuestions));
    const size_t count = std::max(fewestSubsections, (total + mostQuestions - 1) / mostQuestions);
    static const char* levels[] = {"Everyday", "Familiar", "Challenging", "Expert"};
    constexpr size_t levelCount = std::size(levels);
    // Three subsections skip the second level, so that the last still reads as the hardest.
    const auto levelOf = [count](size_t i) { return count == 3 ? (i == 0 ? 0 : i + 1) : i * levelCount / count; };
    std::vector<Subsection> out(count);
    size_t next = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t sameLevelBefore = 0, sameLevel = 0;
        for (size_t j = 0; j < count; ++j) {
            sameLevel += levelOf(j) == levelOf(i);
            sameLevelBefore += j < i && levelOf(j) == levelOf(i);
        }
        out[i].name = levels[levelOf(i)];
        if (sameLevel > 1) out[i].name += " " + std::to_string(sameLevelBefore + 1);
        const size_t size = total / count + (i < total % count ? 1 : 0);
        for (size_t k = 0; k < size; ++k) out[i].questions.push_back(std::move(questions[next++]));
    }
    return out;
}

}  // namespace questions
