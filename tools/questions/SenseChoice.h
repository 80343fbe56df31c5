// Sense choice: which senses of a category are asked, by which of their words, from most to least
// common, with what the later stages need to know of each. Its rules are ordered lists of named
// checks (SenseChoice.cpp): of a synset, of its cleaned definition, of each word that could name
// it, of the sense, and of the ranked senses.
#pragma once

#include <vector>

#include "tools/questions/Senses.h"

namespace questions {

class Commonness;
class WordNet;
class WordNetGiveaway;
struct CategorySource;

class SenseChoice {
public:
    SenseChoice(const WordNet& wordNet, const Commonness& commonness, const WordNetGiveaway& giveaway)
        : m_wordNet(wordNet), m_commonness(commonness), m_giveaway(giveaway) {}

    // The category's senses that pass the rules, most common first, each word once.
    std::vector<Sense> ranked(const CategorySource& source) const;

private:
    const WordNet& m_wordNet;
    const Commonness& m_commonness;
    const WordNetGiveaway& m_giveaway;
};

}  // namespace questions
