// The senses a category's questions are made of, what the generator's stages work out about each,
// and the helpers the stages share: sense choice (SenseChoice), the giveaway (Giveaway, and
// Wording::givesAway by spelling alone), the wrong answers (WrongAnswers) and the questions made
// of them (CategoryQuestions). Internal to the generator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/writers/QuestionDatabaseFile.h"

namespace questions {

class WordNet;
struct Synset;

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
    bool distinctKin;  // its cousins are other things, not shades of its meaning: see SenseChoice
    std::vector<std::vector<int>> kinds;  // ancestors two, three and four steps up
    std::vector<std::string> formWords;  // the words of the senses its forms name: see SenseChoice
    size_t poolPosition = 0;  // among the category's senses of its part of speech
};

// The category's senses of one part of speech, from most to least common, by kind and by genus.
struct Pool {
    std::vector<const Sense*> senses;
    std::map<int, std::vector<size_t>> byKind;
    std::map<std::string, std::vector<size_t>> byGenus;
    std::map<int, size_t> below;  // senses anywhere under each ancestor: how particular a kind it is
};

// The wrong answers taken so far for a question.
using Chosen = std::vector<const Sense*>;

constexpr size_t shortTextLimit = writers::QuestionDatabaseFile::maxShortTextBytes;
constexpr char partsOfSpeech[] = {'n', 'v', 'a'};
// A kind of no more than this many senses is narrow: its members are plausible stand-ins.
constexpr size_t narrowKind = 40, narrowInWordNet = 60;
// Where wrong answers come from, closest first; each is a pass over the category's senses, so that
// a sense is asked only when no sense has been left for want of closer wrong answers. Kin share
// an ancestor within `steps` steps up (one: a grandparent) of a narrow or else particular kind.
struct KinTier {
    size_t steps;
    bool narrow;
};
constexpr KinTier kinTiers[] = {{1, true}, {3, true}, {3, false}};
constexpr size_t kindSteps = 3;
// After the kin: senses defined the same way or in the same terms; then senses that are not the
// wrong word's usual one; then anything.
constexpr size_t alikeReach = std::size(kinTiers), anySenseReach = alikeReach + 1, anythingReach = anySenseReach + 1;

// Not empty, and only characters the main font holds.
bool usableText(std::string_view text);
// The definition's first clause, for a button or question too small for the whole.
std::string firstClause(std::string_view definition);
// The definition's first clause without its article, when it is no more than a name for a class
// ("a coniferous tree"): any word under that class would answer it too.
std::string bareClass(std::string_view definition);
// The stems of a definition's words of four letters or more, sorted and unique.
std::vector<std::string> contentStems(std::string_view definition);
// Words of the first list that the second holds, or holds a form of: the same stem, or the same
// first five letters (cultivation, cultivating).
size_t sharedCount(const std::vector<std::string>& a, const std::vector<std::string>& b);
// Half the content words of the shorter definition are in the other.
bool definedAlike(const std::vector<std::string>& first, const std::vector<std::string>& second);
// The stems of a sense's definition and of its words: the terms it is told in.
std::vector<std::string> termsOf(const Synset& synset);
// The noun a definition is built on: its first word that is a noun and no adjective ("arthropod"
// in "small air-breathing arthropod"); empty when the first few words hold none.
std::string genusOf(const WordNet& wordNet, std::string_view definition);
// A word of the synset is the lemma, compared without case and with spaces for underscores.
bool holdsWord(const Synset& synset, std::string_view lemma);
// The lemma is a noun, a verb or an adjective.
bool isWord(const WordNet& wordNet, std::string_view lemma);
// Either word gives the other away by its spelling.
bool overlap(const std::string& first, const std::string& second);
// A Roman numeral (xxxiv) is a way of writing a number, not a word for it.
bool isNumeral(const WordNet& wordNet, int synset, std::string_view lemma);
// A synonym WordNet gives the sense that names something else: in misfiled-synonyms beside a word
// of the sense.
bool isMisfiled(const Synset& synset, std::string_view lemma);
// Two plural tests, which disagree and stay apart (either in the other's place changes the questions):
// A noun headword, a noun itself, that is a plural standing for a singular gloss: listed as an
// inflected form, or a word ending in s whose stem, or its stem without hyphens or a final e, is a
// noun of its own (sprites, loins, handle-bars); names of sciences (physics) are no plurals.
bool isPluralHeadword(const WordNet& wordNet, std::string_view lemma);
// A word of a definition that is the plural of another noun: listed as an inflection of a noun
// other than itself, or a word ending in s that is no noun of its own, whose singular without s,
// es, or ies for y is one: protozoa, echinoderms, veins; not "gurnard", which the list of
// inflections gives as a form of a word that is none.
bool isPluralOfANoun(const WordNet& wordNet, const std::string& word);
// Two spellings of one word, a letter added, dropped or changed: moustache, mustache; defence, defense.
bool spelledAlike(std::string_view a, std::string_view b);

}  // namespace questions
