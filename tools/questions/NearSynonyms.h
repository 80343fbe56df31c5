// Senses close enough in meaning to a word that a player could take them for it, though WordNet
// links neither to it: synonyms of its synonyms, verbs under one ancestor, nouns defined on its kind.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace questions {

class WordNet;

class NearSynonyms {
public:
    // `genusOf` names the noun a definition is built on ("place" in "place for vessels to anchor").
    NearSynonyms(const WordNet& wordNet, char partOfSpeech, std::string_view lemma,
                 const std::function<std::string(std::string_view)>& genusOf);

    // A word of the sense, or its head without particles ("carry out": carry), shares a sense with
    // a synonym of the word (do, take: make); a verb under an ancestor two steps above any sense of
    // the word, or naming by a noun form the kind of one of the word's (advocate: advocacy, above
    // insistence); a noun under a sibling of the word (shillelagh, under cudgel, for bludgeon); a
    // verb or adjective whose noun is close to a noun sense of the word (dither, for stew).
    bool holds(int synset) const;
    // The noun names the word's kind two steps up, or the noun its parent's definition is built on:
    // a definition built on it could describe the word ("a place of refuge" for roadstead).
    bool namesKind(std::string_view noun) const { return !noun.empty() && m_kindNames.contains(std::string(noun)); }

private:
    const WordNet& m_wordNet;
    char m_partOfSpeech;
    std::set<std::string> m_secondOrder;  // words sharing a sense with a synonym; verbs naming a kind
    std::set<int> m_above;                // verbs: the word's senses and their ancestors two steps up
    std::set<int> m_parents;              // nouns: the parents of the word's senses
    std::set<std::string> m_kindNames;    // nouns: names of the word's kinds, lower case, underscores
    std::vector<int> m_nounSenses;        // verbs and adjectives: the noun senses of the same word
};

}  // namespace questions
