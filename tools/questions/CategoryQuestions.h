// Makes one category's questions: its usable senses from most to least common, each asked as
// "Which word means ...?" (or, for some, "What does <word> mean?") with two wrong answers of the
// same category and a similar commonness.
#pragma once

#include <string>
#include <vector>

#include "tools/questions/QuestionSet.h"

namespace questions {

class ScreenFit;
class WordNet;
struct CategorySource;

class CategoryQuestions {
public:
    CategoryQuestions(const WordNet& wordNet, ScreenFit& fit) : m_wordNet(wordNet), m_fit(fit) {}

    // At most `wanted` questions, most common sense first.
    std::vector<Question> make(const CategorySource& source, size_t wanted);

private:
    struct Sense {
        int synset;
        std::string lemma;
        std::string word;
        int tagCount;
        int senseCount;
        size_t poolPosition = 0;  // among the category's senses of its part of speech
    };

    std::vector<Sense> rankedSenses(const CategorySource& source) const;
    bool askWord(const Sense& sense, const std::vector<const Sense*>& pool, Question& out);
    bool askMeaning(const Sense& sense, const std::vector<const Sense*>& pool, Question& out);
    bool describe(const Sense& sense, Question& out);
    // Two senses near the given pool position that `accept` takes, tried in a seeded order.
    template <class Accept>
    std::vector<const Sense*> pickWrong(const Sense& sense, const std::vector<const Sense*>& pool, Accept accept);

    const WordNet& m_wordNet;
    ScreenFit& m_fit;
};

}  // namespace questions
