#include "tools/questions/QuestionReport.h"

#include <vector>

#include "tools/questions/QuestionAudit.h"
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

void QuestionReport::print(const QuestionSet& set, const QuestionAudit& audit, uint64_t seed, int sampleCount,
                           std::ostream& out) {
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
    audit.print(set, out);
    out << "\n";
    SeededOrder order(seed);
    for (int i = 0; i < sampleCount && !all.empty(); ++i) {
        const Placed& placed = all[order.below(all.size())];
        printQuestion(*placed.question, placed.where, out);
    }
}

void QuestionReport::printSample(const QuestionSet& set, uint64_t seed, std::ostream& out) {
    constexpr size_t testCount = 150, testStride = 4, practiceCount = 100, practiceStride = 67;
    std::vector<std::pair<const Question*, std::string>> practice;
    for (const Category& category : set.categories)
        for (const Subsection& subsection : category.subsections)
            for (const Question& question : subsection.questions) practice.emplace_back(&question, category.name + " / " + subsection.name);
    out << "Rule, fixed before reading: seed " << seed << "; test record (seed + " << testStride << " i) mod "
        << set.test.size() << " for i = 0.." << testCount - 1 << "; practice record (seed + " << practiceStride
        << " i) mod " << practice.size() << " for i = 0.." << practiceCount - 1
        << ", practice records counted in category and subsection order.\n\n";
    for (size_t i = 0; i < testCount && !set.test.empty(); ++i) {
        const size_t at = (seed + testStride * i) % set.test.size();
        printQuestion(set.test[at], "T" + std::to_string(i + 1) + " test " + std::to_string(at), out);
    }
    for (size_t i = 0; i < practiceCount && !practice.empty(); ++i) {
        const size_t at = (seed + practiceStride * i) % practice.size();
        printQuestion(*practice[at].first, "P" + std::to_string(i + 1) + " " + practice[at].second, out);
    }
}

}  // namespace questions
