#include "tools/questions/TestSelection.h"

#include <set>
#include <stdexcept>
#include <string>

namespace questions {

std::vector<Question> TestSelection::choose(const std::vector<Category>& categories, size_t total) {
    std::vector<Question> chosen;
    std::set<std::string> askedTexts, askedWords;
    for (size_t c = 0; c < categories.size(); ++c) {
        std::vector<const Question*> ranked;
        for (const Subsection& subsection : categories[c].subsections)
            for (const Question& question : subsection.questions) ranked.push_back(&question);
        const size_t share = total / categories.size() + (c < total % categories.size() ? 1 : 0);
        if (ranked.size() < share) throw std::runtime_error("category " + categories[c].name + " is too small for the test");
        // Once asked in the test, a text or a word (in any sense or category) is not asked again.
        std::erase_if(ranked, [&](const Question* question) {
            return askedTexts.contains(question->question) || askedWords.contains(question->word);
        });
        if (ranked.size() < share) throw std::runtime_error("category " + categories[c].name + " is too small for the test");
        // Position grows with the square of the pick number: common words are picked most densely.
        size_t position = 0;
        for (size_t k = 0; k < share; ++k) {
            const size_t spread = k * k * ranked.size() / (share * share);
            position = k == 0 ? 0 : std::max(position + 1, spread);
            position = std::min(position, ranked.size() - (share - k));
            const auto asked = [&](const Question* question) {
                return askedWords.contains(question->word) || askedTexts.contains(question->question);
            };
            while (asked(ranked[position]) && position < ranked.size() - (share - k)) ++position;
            if (asked(ranked[position]))
                throw std::runtime_error("category " + categories[c].name + " repeats what the test has asked");
            askedTexts.insert(ranked[position]->question);
            askedWords.insert(ranked[position]->word);
            chosen.push_back(*ranked[position]);
        }
    }
    return chosen;
}

}  // namespace questions
