// Makes one category's questions: its usable senses from most to least common, each asked as
// "Which word means ...?" among cousins of the right word (a shared grandparent of a narrow kind),
// or else as "What does <word> mean?", with wrong answers of the same category, part of speech and
// commonness, as close in kind as the category allows. The stages it runs have files of their own:
// sense choice (SenseChoice), the giveaway (WordNetGiveaway, SpellingGiveaway.cpp) and the wrong
// answers (WrongAnswers); here stay the search for wrong answers, in named tiers, and the two
// question forms and the panel, each with its few rules in named lists.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/questions/QuestionSet.h"
#include "tools/questions/SenseChoice.h"
#include "tools/questions/Senses.h"
#include "tools/questions/WordNetGiveaway.h"

namespace questions {

class Commonness;
class ScreenFit;
class WordNet;
struct CategorySource;

class CategoryQuestions {
public:
    CategoryQuestions(const WordNet& wordNet, const Commonness& commonness, ScreenFit& fit);

    // At most `wanted` questions, most common sense first: senses in their usual meaning whose wrong
    // answers can all be close kin first; others only when the category would fall short.
    std::vector<Question> make(const CategorySource& source, size_t wanted);

private:
    // The question forms: each asks the sense if its rules and the wrong answers' allow.
    bool askWord(const Sense& sense, const Pool& pool, Question& out);
    bool askMeaning(const Sense& sense, const Pool& pool, Question& out);
    // The panel shown after the answer: the word, its definition, an example and its synonyms.
    bool describe(const Sense& sense, Question& out);
    // Two senses that `accept` takes, about as common, as close as the reach allows: the search's
    // tiers are a named list in CategoryQuestions.cpp.
    Chosen pickWrong(const Sense& sense, const Pool& pool, const std::function<bool(const Sense&, const Chosen&)>& accept);

    const WordNet& m_wordNet;
    ScreenFit& m_fit;
    WordNetGiveaway m_giveaway;
    SenseChoice m_senseChoice;
    std::function<std::string(std::string_view)> m_genusOf;  // the noun a definition is built on
    std::vector<size_t> m_below;  // synsets under each synset in all of WordNet
    bool m_askingWord = true;  // wrong words, not wrong definitions, are being picked
    size_t m_reach = 0;  // how far from the right sense wrong answers may come: see kinTiers
};

}  // namespace questions
