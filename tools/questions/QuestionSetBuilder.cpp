#include "tools/questions/QuestionSetBuilder.h"

#include <stdexcept>
#include <string>

#include "tools/questions/CategoryQuestions.h"
#include "tools/questions/CategoryTable.h"
#include "tools/questions/SubsectionPlan.h"
#include "tools/questions/TestSelection.h"

namespace questions {

QuestionSet QuestionSetBuilder::build(const WordNet& wordNet, const Commonness& commonness, ScreenFit& fit) {
    QuestionSet set;
    CategoryQuestions maker(wordNet, commonness, fit);
    for (const CategorySource& source : categorySources()) {
        Category category{std::string(source.name), {}};
        constexpr size_t wanted = SubsectionPlan::mostSubsections * SubsectionPlan::mostQuestions;
        std::vector<Question> made = maker.make(source, wanted);
        if (made.size() < wanted)
            throw std::runtime_error(category.name + ": only " + std::to_string(made.size()) + " of " +
                                     std::to_string(wanted) + " questions");
        category.subsections = SubsectionPlan::cut(std::move(made));
        set.categories.push_back(std::move(category));
    }
    set.test = TestSelection::choose(set.categories, QuestionSet::testQuestionCount);
    return set;
}

}  // namespace questions
