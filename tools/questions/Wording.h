// Rules about words and texts that every question obeys: how a lemma is shown, when a text gives
// the answer away, which senses are left out as offensive or not plain vocabulary.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace questions {

class WordNet;
struct Synset;

class Wording {
public:
    static std::string lowered(std::string_view text);
    // The runs of letters of a text, lower case: its words without digits, hyphens or apostrophes,
    // unless `alsoInWords` names them ("-" keeps "air-breathing" one word).
    static std::vector<std::string> tokens(std::string_view text, std::string_view alsoInWords = {});
    // Underscores become spaces.
    static std::string shown(std::string_view lemma);
    // A lemma the quiz may show as an answer: lower-case letters, spaces, hyphens and apostrophes.
    static bool isPlainWord(std::string_view lemma);
    // The word without a common inflection or derivation ending, lower case.
    static std::string stem(std::string_view word);
    // The text holds the word, or a word of a phrase, or a form of either, or a word sharing its
    // first five letters: by spelling alone, without WordNet (WordNetGiveaway goes further). Its
    // checks are in SpellingGiveaway.cpp.
    static bool givesAway(std::string_view text, std::string_view word);
    // Only characters the main font's bitmap holds: printable ASCII and newlines.
    static bool hasOnlyFontCharacters(std::string_view text);
    // Marked offensive, vulgar, disparaging, slang, archaic, a trade name or an abbreviation, or on the block list.
    static bool isLeftOut(const WordNet& wordNet, const Synset& synset);
    // A word of the text is on the block list of offensive or unsuitable words.
    static bool hasBlockedWord(std::string_view text);
    // A blocked word, or a subject an example sentence should not bring up (violence, drugs, ...).
    static bool isUnsuitableExample(std::string_view text);
};

}  // namespace questions
