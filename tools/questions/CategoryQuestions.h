// Makes one category's questions: its usable senses from most to least common, each asked as
// "Which word means ...?" among cousins of the right word (a shared grandparent of a narrow kind),
// or else as "What does <word> mean?", with wrong answers of the same category, part of speech and
// commonness, as close in kind as the category allows.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tools/questions/QuestionSet.h"

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
    struct Sense {
        int synset;
        std::string lemma;
        std::string word;
        std::string definition;  // cleaned
        int tagCount;
        int band;
        int score;
        int senseCount;
        std::vector<std::string> glossWords;  // stems of the definition's content words, sorted
        std::string genus;  // the noun the definition is built on: "state" in "the state of ..."
        bool typical;  // the word's most used sense in its part of speech is of this category
        bool primary;  // this is the word's only or most used sense in its part of speech
        bool obscure;  // met in the tagged texts far less than the word's usual sense, which is met often
        bool clearlyUsual;  // see Question
        bool distinctKin;  // its cousins are other things, not shades of its meaning: see rankedSenses
        std::vector<std::vector<int>> kinds;  // ancestors two, three and four steps up
        std::vector<std::string> formWords;  // the words of the senses its forms name: see wordsOfForms
        size_t poolPosition = 0;  // among the category's senses of its part of speech
    };
    struct Pool {
        std::vector<const Sense*> senses;
        std::map<int, std::vector<size_t>> byKind;
        std::map<std::string, std::vector<size_t>> byGenus;
        std::map<int, size_t> below;  // senses anywhere under each ancestor: how particular a kind it is
    };

    std::vector<Sense> rankedSenses(const CategorySource& source) const;
    bool givesAway(std::string_view text, const std::string& lemma) const;
    // What a closed compound is made of, worked out once a lemma.
    struct CompoundParts {
        std::vector<std::string> forms;      // of the words it is made of: "tidal" for tideway
        std::vector<std::string> lastWords;  // of four letters or more after a lead of four: "line" of touchline
        std::vector<std::string> tails;      // words of four letters or more after any lead of three: "herd" of shepherd
        std::string shortLead;               // a word of three before one of four or more: "new" of newfound
    };
    const CompoundParts& compoundParts(const std::string& lemma) const;
    bool askWord(const Sense& sense, const Pool& pool, Question& out);
    bool askMeaning(const Sense& sense, const Pool& pool, Question& out);
    bool describe(const Sense& sense, Question& out);
    // Two senses that `accept` takes, about as common, as close as the reach allows: under a shared
    // ancestor of a narrow, then a particular kind (kinTiers), then defined the same way ("the state
    // of ..."), then in the same terms (shared content words), then nearby in rank (the same
    // lexicographer file and band, the same band, anything), each tried in a seeded order; typical
    // words of the category before the others, and below the last reaches only words read in the
    // sense meant.
    template <class Accept>
    std::vector<const Sense*> pickWrong(const Sense& sense, const Pool& pool, Accept accept);

    const WordNet& m_wordNet;
    const Commonness& m_commonness;
    ScreenFit& m_fit;
    std::function<std::string(std::string_view)> m_genusOf;  // the noun a definition is built on
    std::vector<size_t> m_below;  // synsets under each synset in all of WordNet
    // Worked out once a word: giveaways are checked against every candidate's text.
    mutable std::map<std::string, CompoundParts> m_compoundParts;
    bool m_askingWord = true;  // wrong words, not wrong definitions, are being picked
    size_t m_reach = 0;  // how far from the right sense wrong answers may come: see kinTiers
};

}  // namespace questions
