// Wrong answers: which of the category's senses may stand beside the right one. Each kind of
// question has one ordered list of named checks of a candidate, read top to bottom; the first that
// refuses names the refusal for the report. Wrong words for "Which word means ...?" and the checks
// of either form are in WrongAnswers.cpp, wrong definitions for "What does <word> mean?" in
// WrongDefinitions.cpp.
#pragma once

#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/questions/NearSynonyms.h"
#include "tools/questions/Senses.h"

namespace questions {

class ScreenFit;
class WordNet;
class WordNetGiveaway;
struct Synset;

// Checks of either form, before a candidate is tried: one it refuses may be tried again later.
bool refusedForEitherForm(const WordNet& wordNet, const Sense& sense, const Sense& other, size_t reach);

// A "Which word means ...?" question: the right sense and what its wrong words are checked against.
struct WordQuestion {
    WordQuestion(const WordNet& wordNet, ScreenFit& fit, const std::function<std::string(std::string_view)>& genusOf,
                 const Sense& sense, const std::string& question);

    const WordNet& wordNet;
    ScreenFit& fit;
    const Sense& sense;
    const Synset& synset;
    const std::string& question;
    const char partOfSpeech;
    const std::vector<std::string> relatives;  // the right word's derived forms
    const NearSynonyms near;
};

// A wrong word passes every check of the question's list.
bool acceptsWrongWord(const WordQuestion& asked, const Sense& other, const Chosen& chosen);

// The definition as a button shows it: whole, or by its first clause when only that fits; empty
// when neither fits.
std::string definitionOnButton(ScreenFit& fit, const std::string& definition);

// A "What does <word> mean?" question: the right sense and what its wrong definitions are checked against.
struct MeaningQuestion {
    MeaningQuestion(const WordNet& wordNet, ScreenFit& fit, const WordNetGiveaway& giveaway,
                    const std::function<std::string(std::string_view)>& genusOf, const std::vector<size_t>& below,
                    const Sense& sense, const std::string& right);

    const WordNet& wordNet;
    ScreenFit& fit;
    const WordNetGiveaway& giveaway;
    const Sense& sense;
    const Synset& synset;
    const std::string& right;  // the right definition as its button shows it
    std::vector<std::string> rightWords;  // of the right definition cut to a bare class
    std::set<std::string> rightShortWords;
    std::string classHead;  // the class a right definition cut short names, if it names one alone
    std::span<const int> meaningsOfWord;
    std::vector<std::string> parentTerms;
    std::vector<std::string> relatives;
    NearSynonyms near;
    std::set<std::string> kindDoings;
    std::vector<std::string> senseWords;
    std::vector<std::vector<std::string>> kindNames;
};

// A wrong definition passes every check of the question's list.
bool acceptsWrongDefinition(const MeaningQuestion& asked, const Sense& other, const Chosen& chosen);

// Any sense of the noun is a kind of something the right sense's kind is also called.
bool kindCalledAlike(const WordNet& wordNet, const Synset& right, std::string_view lemma);

}  // namespace questions
