#include "tools/questions/QuestionSetBuilder.h"

#include "tools/questions/CategoryQuestions.h"
#include "tools/questions/CategoryTable.h"
#include "tools/questions/SubsectionPlan.h"
#include "tools/questions/TestSelection.h"

namespace questions {

QuestionSet QuestionSetBuilder::build(const WordNet& wordNet, ScreenFit& fit) {
    QuestionSet set;
    CategoryQuestions maker(wordNet, fit);
    for (const CategorySource& source : categorySources()) {
        Category category{std::string(source.name), {}};
        category.subsections =
            SubsectionPlan::cut(maker.make(source, SubsectionPlan::mostSubsections * SubsectionPlan::mostQuestions));
        set.categories.push_back(std::move(category));
    }
    set.test = TestSelection::choose(set.categories, QuestionSet::testQuestionCount);
    return set;
}

}  // namespace questions
