#include "tools/questions/TestSelection.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

namespace questions {

std::vector<Question> TestSelection::choose(const std::vector<Category>& categories, size_t total) {
    std::vector<Question> chosen;
    std::set<std::string> askedTexts, askedWords;
    for (size_t c = 0; c < categories.size(); ++c) {
        std::vector<std::pair<size_t, const Question*>> ranked;  // rank in the category, question
        for (const Subsection& subsection : categories[c].subsections)
            for (const Question& question : subsection.questions) ranked.emplace_back(ranked.size(), &question);
        const size_t share = total / categories.size() + (c < total % categories.size() ? 1 : 0);
        const size_t categorySize = ranked.size();
        if (categorySize < share) throw std::runtime_error("category " + categories[c].name + " is too small for the test");
        // Once asked in the test, a text or a word (in any sense or category) is not asked again. A
        // word is asked only in the sense players know it by: at thirty levels a riddle costs a climb.
        std::erase_if(ranked, [&](const auto& entry) {
            const Question& question = *entry.second;
            return !question.clearlyUsual || askedTexts.contains(question.question) || askedWords.contains(question.word);
        });
        if (ranked.size() < share) throw std::runtime_error("category " + categories[c].name + " is too small for the test");
        // The rank picked grows with the square of the pick number: common words are picked most densely.
        size_t position = 0;
        for (size_t k = 0; k < share; ++k) {
            const size_t spread = k * k * categorySize / (share * share);
            const auto at = static_cast<size_t>(
                std::partition_point(ranked.begin(), ranked.end(), [spread](const auto& entry) { return entry.first < spread; }) -
                ranked.begin());
            position = std::max(k == 0 ? 0 : position + 1, at);
            position = std::min(position, ranked.size() - (share - k));
            const auto asked = [&](const Question& question) {
                return askedWords.contains(question.word) || askedTexts.contains(question.question);
            };
            while (asked(*ranked[position].second) && position < ranked.size() - (share - k)) ++position;
            const Question& picked = *ranked[position].second;
            if (asked(picked)) throw std::runtime_error("category " + categories[c].name + " repeats what the test has asked");
            askedTexts.insert(picked.question);
            askedWords.insert(picked.word);
            chosen.push_back(picked);
        }
    }
    return chosen;
}

}  // namespace questions
