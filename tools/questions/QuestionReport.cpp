#include "tools/questions/QuestionReport.h"

#include <vector>

#include "tools/questions/SeededOrder.h"

namespace questions {

namespace {

void printQuestion(const Question& question, const std::string& where, std::ostream& out) {
    out << "[" << where << "] " << question.question << "\n";
    for (size_t a = 0; a < question.answers.size(); ++a)
        out << (a == 0 ? "   right: " : "   wrong: ") << question.answers[a] << "\n";
    std::string information = question.information;
    for (size_t at = 0; (at = information.find('\n', at)) != std::string::npos;) information.replace(at, 1, " | ");
    out << "   info:  " << information << "\n";
}

}  // namespace

void QuestionReport::print(const QuestionSet& set, uint64_t seed, int sampleCount, std::ostream& out) {
    struct Placed {
        const Question* question;
        std::string where;
    };
    std::vector<Placed> all;
    size_t practiceTotal = 0;
    for (size_t c = 0; c < set.categories.size(); ++c) {
        const Category& category = set.categories[c];
        out << c << " " << category.name << ":";
        for (size_t s = 0; s < category.subsections.size(); ++s) {
            const Subsection& subsection = category.subsections[s];
            out << (s == 0 ? " " : ", ") << subsection.name << " (" << subsection.questions.size() << ")";
            practiceTotal += subsection.questions.size();
            for (const Question& question : subsection.questions)
                all.push_back({&question, category.name + " / " + subsection.name});
        }
        out << "\n";
    }
    out << "practice questions: " << practiceTotal << ", test questions: " << set.test.size() << "\n\n";
    SeededOrder order(seed);
    for (int i = 0; i < sampleCount && !all.empty(); ++i) {
        const Placed& placed = all[order.below(all.size())];
        printQuestion(*placed.question, placed.where, out);
    }
}

}  // namespace questions
