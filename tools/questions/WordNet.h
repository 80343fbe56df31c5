// The noun, verb and adjective synsets of a WordNet 3.0 database directory, with each word's tag
// count from cntlist.rev and the links the question rules need.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace questions {

struct SynsetWord {
    std::string_view lemma;  // as in the data file: underscores for spaces, capitals kept, markers removed
    int tagCount = 0;
};

// A lexical link between one word of a synset and one word of another (claim, claimant).
struct Derivation {
    int word;        // index into the synset's words
    int target;      // the other synset
    int targetWord;  // index into its words
};

struct Synset {
    char type = 'n';  // n, v, a (adjective head) or s (adjective satellite)
    int lexFile = 0;
    std::vector<SynsetWord> words;
    std::vector<int> hypernyms;     // including instance hypernyms
    std::vector<int> similar;       // adjective cluster links, both directions
    std::vector<int> alsoSee;       // both directions
    std::vector<int> attributes;    // adjective to the noun it is a value of (size for big)
    std::vector<int> antonyms;      // adjective heads
    std::vector<int> sameSide;      // heads valuing one attribute alike: near and close, available and accessible
    std::vector<int> verbGroup;     // both directions
    std::vector<int> entailments;   // a verb and what it entails or causes (steer, travel), both directions
    std::vector<Derivation> derivations;  // both directions, across parts of speech
    std::vector<int> usageDomains;  // synsets naming the register of this sense (slang, slur, ...)
    bool instance = false;          // a named individual: a proper noun
    std::string_view definition;
    std::vector<std::string_view> examples;

    char partOfSpeech() const { return type == 's' ? 'a' : type; }
};

class WordNet {
public:
    // Reads data.noun, data.verb, data.adj and cntlist.rev; throws std::runtime_error naming a
    // missing or malformed file.
    explicit WordNet(const std::string& directory);
    WordNet(const WordNet&) = delete;
    WordNet& operator=(const WordNet&) = delete;

    const std::vector<Synset>& synsets() const { return m_synsets; }
    // The synsets of a part of speech (n, v or a) holding the lemma, compared without case.
    std::span<const int> synsetsOf(char partOfSpeech, std::string_view lemma) const;
    // Every synset above the given one through hypernym links.
    const std::vector<int>& ancestors(int synset) const;
    // The same sense, one above the other through hypernym links, two under one parent, adjectives
    // of one cluster or of two heads on one side of an attribute, or linked as also-see, verb group
    // or derivation: a word of one may not stand as a wrong answer for the other.
    bool areRelated(int first, int second) const;
    // A satellite of cardinal or ordinal: seven, seventh, xxvii.
    bool isNumber(int synset) const;
    // Any sense of one word in the part of speech is related to any sense of the other.
    bool wordsRelated(char partOfSpeech, std::string_view first, std::string_view second) const;
    // The words linked to the lemma by derivation in any of its senses, any part of speech, lower case.
    std::vector<std::string> derivedForms(std::string_view lemma) const;
    // The tagged uses of the lemma as an adverb, in any sense.
    int adverbUses(std::string_view lemma) const;
    // The lemma is listed as an inflected form (a plural such as "maria") in noun.exc.
    bool isInflectedNoun(std::string_view lemma) const;
    // The words of which the form is listed as an irregular inflection (sink for sunk), lower case.
    std::vector<std::string> baseForms(std::string_view form) const;
    // The licence notice at the head of the data files.
    const std::string& licence() const { return m_licence; }

    static int lexFileNumber(std::string_view name);  // -1 for an unknown name

private:
    void readDataFile(const std::string& path, char partOfSpeech);
    void readTagCounts(const std::string& path);
    void linkAdjectiveHeads();  // heads on one side of an attribute; the heads of the numbers

    struct LemmaKey {
        char partOfSpeech;
        std::string_view lemma;  // lower case, underscores for spaces
        auto operator<=>(const LemmaKey&) const = default;
    };

    std::vector<std::string> m_files;  // the texts that the synsets' views point into
    std::vector<Synset> m_synsets;
    std::vector<LemmaKey> m_lemmaKeys;  // sorted; the synsets of entry i are m_lemmaSynsets[i]
    std::vector<int> m_lemmaSynsets;
    mutable std::vector<std::pair<bool, std::vector<int>>> m_ancestors;  // worked out on first use
    std::map<std::string, int, std::less<>> m_adverbUses;  // lower case, underscores for spaces
    std::vector<std::string> m_inflectedNouns;  // sorted, lower case
    std::vector<std::pair<std::string, std::string>> m_inflections;  // form, base; sorted, lower case
    std::string m_licence;
    std::vector<int> m_countHeads;  // cardinal and ordinal, whose satellites are numbers
};

}  // namespace questions
