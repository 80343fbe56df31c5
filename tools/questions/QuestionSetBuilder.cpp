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
        // A category short of the most questions has its last subsections a question or two short.
        constexpr size_t wanted = SubsectionPlan::mostSubsections * SubsectionPlan::mostQuestions;
        try {
            category.subsections = SubsectionPlan::cut(maker.make(source, wanted));
        } catch (const std::runtime_error& error) {
            throw std::runtime_error(category.name + ": " + error.what());
        }
        set.categories.push_back(std::move(category));
    }
    set.test = TestSelection::choose(set.categories, QuestionSet::testQuestionCount);
    return set;
}

}  // namespace questions
