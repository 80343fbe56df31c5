#include "tools/questions/CategoryQuestions.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <set>
#include <utility>

#include "tools/questions/CategoryTable.h"
#include "tools/questions/Commonness.h"
#include "tools/questions/GlossText.h"
#include "tools/questions/NearSynonyms.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/SeededOrder.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/WordTables.h"
#include "tools/questions/Wording.h"
#include "tools/writers/QuestionDatabaseFile.h"

namespace questions {

namespace {
const WordTables& tables() { return WordTables::loaded(); }

constexpr size_t shortTextLimit = writers::QuestionDatabaseFile::maxShortTextBytes;
// Wrong answers come from this many places either side of the right one, then further out.
constexpr size_t nearbyRanks[] = {20, 80, 100000};
// Of the senses of the same kind, this many nearest in rank are tried.
constexpr size_t sameKindTried = 40;
// An ancestor over more than one in this many of the category's senses names no particular kind,
// unless it holds no more than a handful.
constexpr size_t genericShare = 6, particularSize = 60;
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
// A sense met in the tagged texts this many times less than the word's usual one, used there at
// least `obscureAfter` times, is obscure.
constexpr int rarerThanUsual = 10, obscureAfter = 10;
// Below this many tagged uses a sense is not known to be its word's usual one over another.
constexpr int clearAfter = 5;
// A sense is its word's usual one when met this many times as often as any other: the tagged
// texts are small, and a word met half as often in another sense (soil as dirt, soil as earth) is
// read in that one by many players.
constexpr int clearLead = 3;
// One sense in this many is asked the other way round, when its definitions fit the buttons.
constexpr uint64_t meaningQuestionShare = 4;
constexpr char partsOfSpeech[] = {'n', 'v', 'a'};

bool usableText(std::string_view text) { return !text.empty() && Wording::hasOnlyFontCharacters(text); }

std::string firstClause(std::string_view definition) {
    std::string_view clause = definition.substr(0, definition.find("; "));
    // A list cut short ("used for locomotion or grasping: arm; leg; wing") goes whole; a label
    // before its colon ("of persons: very tall") stays.
    const size_t colon = clause.find(": ");
    if (clause.size() < definition.size() && colon != std::string_view::npos && colon * 2 > clause.size())
        clause = clause.substr(0, colon);
    return std::string(clause);
}

// A plural standing for a singular gloss: listed as an inflected form, or a word ending in s whose
// stem is a noun of its own (sprites, loins); names of sciences (physics) are no plurals.
bool isPluralForm(const WordNet& wordNet, std::string_view lemma) {
    if (wordNet.isInflectedNoun(lemma)) return true;
    if (!lemma.ends_with("s") || lemma.ends_with("ss") || lemma.ends_with("us") || lemma.ends_with("is") ||
        lemma.ends_with("ics"))
        return false;
    const std::string_view singular = lemma.substr(0, lemma.size() - 1);
    // "handle-bars" is the plural of handlebar.
    std::string joined(singular);
    std::erase(joined, '-');
    return !wordNet.synsetsOf('n', singular).empty() || !wordNet.synsetsOf('n', joined).empty() ||
           (singular.ends_with("e") && !wordNet.synsetsOf('n', singular.substr(0, singular.size() - 1)).empty());
}

// The definition's first clause without its article, when it is no more than a name for a class
// ("a coniferous tree"): any word under that class would answer it too.
std::string bareClass(std::string_view definition) {
    std::string_view head = definition.substr(0, definition.find("; "));
    for (std::string_view article : {"a ", "an ", "the "})
        if (head.starts_with(article)) head.remove_prefix(article.size());
    return std::string(head);
}

// The stems of a definition's words of four letters or more, sorted and unique.
std::vector<std::string> contentStems(std::string_view definition) {
    std::vector<std::string> stems;
    std::string word;
    for (size_t i = 0; i <= definition.size(); ++i) {
        const char c = i < definition.size() ? definition[i] : ' ';
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            word += static_cast<char>(c | 0x20);
            continue;
        }
        if (word.size() >= 4 && !tables().commonDefinitionWords.contains(word))
            stems.push_back(Wording::stem(word));
        word.clear();
    }
    std::sort(stems.begin(), stems.end());
    stems.erase(std::unique(stems.begin(), stems.end()), stems.end());
    return stems;
}

// A definition's words of three letters that mean something on their own ("end", "sea", "red"),
// which the content stems leave out; numbers differ in their other words ("ten more than").
std::set<std::string> shortWords(std::string_view definition) {
    std::set<std::string> words;
    for (const std::string& word : Wording::tokens(definition))
        if (word.size() == 3 && !tables().emptyShortWords.contains(word)) words.insert(word);
    return words;
}

// Words of the first list that the second holds, or holds a form of: the same stem, or the same
// first five letters (cultivation, cultivating).
size_t sharedCount(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    size_t shared = 0;
    for (const std::string& word : a)
        shared += std::any_of(b.begin(), b.end(), [&word](const std::string& other) {
            if (word == other) return true;
            const auto mismatch = std::mismatch(word.begin(), word.end(), other.begin(), other.end());
            return mismatch.first - word.begin() >= 5;
        });
    return shared;
}

// The noun a definition is built on: its first word that is a noun and no adjective ("arthropod"
// in "small air-breathing arthropod"); empty when the first few words hold none.
std::string genusOf(const WordNet& wordNet, std::string_view definition) {
    std::string word;
    int seen = 0;
    for (size_t i = 0; i <= definition.size() && seen < 4; ++i) {
        const char c = i < definition.size() ? definition[i] : ' ';
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-') {
            word += static_cast<char>(c | 0x20);
            continue;
        }
        if (word.empty()) continue;
        ++seen;
        // A plural genus ("attributes") counts as its singular.
        std::string singular = word;
        if (wordNet.synsetsOf('n', singular).empty() && singular.ends_with("s")) singular.pop_back();
        // Words any definition may start with name no kind.
        if (singular.size() > 3 && !wordNet.synsetsOf('n', singular).empty() && wordNet.synsetsOf('a', singular).empty())
            return !tables().vagueGenusWords.contains(singular) ? singular : std::string{};
        word.clear();
    }
    return {};
}

// Half the content words of the shorter definition are in the other: "a short time" against "a
// very short time (as ...)", "dye with wax" against "color with a liquid dye".
bool definedAlike(const std::vector<std::string>& first, const std::vector<std::string>& second) {
    const size_t shared = sharedCount(first, second);
    return shared > 0 && shared * 2 >= std::min(first.size(), second.size());
}

// Verb senses are fine-grained and overlap (ask, plead; catch, rap): two verbs with any senses
// under one parent, or one above the other, too often both fit a definition.
bool verbsOverlap(const WordNet& wordNet, std::string_view first, std::string_view second) {
    const auto near = [&wordNet](std::string_view lemma) {
        std::vector<int> found;
        for (int id : wordNet.synsetsOf('v', lemma)) {
            found.push_back(id);
            const auto& up = wordNet.synsets()[id].hypernyms;
            found.insert(found.end(), up.begin(), up.end());
        }
        std::sort(found.begin(), found.end());
        return found;
    };
    const std::vector<int> a = near(first), b = near(second);
    std::vector<int> both;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
    return !both.empty();
}

// The definition's first word, when it starts with one in lower case.
std::string leadingWord(std::string_view definition) {
    std::string first;
    for (char c : definition) {
        if (c < 'a' || c > 'z') break;
        first += c;
    }
    return first;
}

// A noun's gloss led by a verb with the thing left out: "communicates two or more signals ...".
bool ledByVerb(const WordNet& wordNet, std::string_view definition) {
    const std::string first = leadingWord(definition);
    if (!first.ends_with("s") || !wordNet.synsetsOf('n', first).empty()) return false;
    for (size_t cut : {1, 2}) {
        const std::string_view base = std::string_view(first).substr(0, first.size() - cut);
        if (!wordNet.synsetsOf('v', base).empty() && wordNet.synsetsOf('n', base).empty()) return true;
    }
    return false;
}

// A word that is the plural of a noun: protozoa, echinoderms, veins; not "gurnard", which the
// list of inflections gives as a form of a word that is none.
bool isPluralWord(const WordNet& wordNet, const std::string& word) {
    if (wordNet.isInflectedNoun(word)) {
        const std::vector<std::string> bases = wordNet.baseForms(word);
        return std::any_of(bases.begin(), bases.end(),
                           [&](const std::string& base) { return base != word && !wordNet.synsetsOf('n', base).empty(); });
    }
    if (!word.ends_with("s") || word.ends_with("ss") || !wordNet.synsetsOf('n', word).empty()) return false;
    const std::string singulars[] = {word.substr(0, word.size() - 1), word.substr(0, word.size() - 2),
                                     word.ends_with("ies") ? word.substr(0, word.size() - 3) + "y" : std::string{}};
    return std::any_of(std::begin(singulars), std::end(singulars),
                       [&](const std::string& singular) { return !singular.empty() && !wordNet.synsetsOf('n', singular).empty(); });
}

// A noun's definition led by a plural ("protozoa with spherical bodies" for heliozoan, "echinoderms
// characterized by five arms" for starfish) defines things, not the one thing asked.
bool ledByPlural(const WordNet& wordNet, std::string_view definition) {
    return isPluralWord(wordNet, leadingWord(definition));
}

// The first phrase of a definition, over adjectives and nouns, names a plural: "small soft-bodied
// marine crustaceans living in ...", "large Old World boas", "dorsal and palmar veins of the hand";
// not "a vein draining the lips", "any of various finches" or "the passages through which air enters".
bool headedByPlural(const WordNet& wordNet, std::string_view definition) {
    std::string word;
    bool afterNoun = false, first = true, name = false;
    for (size_t i = 0; i <= definition.size(); ++i) {
        const char c = i < definition.size() ? definition[i] : '.';
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-') {
            name = name || (c >= 'A' && c <= 'Z');
            word += static_cast<char>(c == '-' ? c : c | 0x20);
            continue;
        }
        // Past the first word, a noun of its own ("genus", "species") is read as one; "continuous"
        // is no plural of continuo, nor a name ("United States") a plural, nor one before an article
        // a verb's third person ("plays a small part").
        if (word.size() >= 4 && !name && !word.ends_with("us") && (!afterNoun || wordNet.synsetsOf('n', word).empty()) &&
            isPluralWord(wordNet, word)) {
            const std::vector<std::string> rest = Wording::tokens(definition.substr(i));
            return rest.empty() || (rest.front() != "a" && rest.front() != "an" && rest.front() != "the");
        }
        if (c != ' ' || tables().pluralPhraseEnds.contains(word)) return false;
        // Adjectives come before the noun: one after it starts a clause ("a fly lacking", "a warbler
        // found near streams"), where "small flowering plants" goes on.
        const bool adjective = !wordNet.synsetsOf('a', word).empty() || word.find('-') != std::string::npos ||
                               (first && word.ends_with("ing")) ||  // "wading birds"
                               (!afterNoun && word.size() > 4 && word.ends_with("ly"));  // "mostly freshwater flatworms"
        const bool noun = !wordNet.synsetsOf('n', word).empty() && !word.ends_with("ing");
        if (word != "and" && (afterNoun ? !noun : !adjective && !noun)) return false;
        if (word != "and") afterNoun = noun && !first;
        first = name = false;
        word.clear();
    }
    return false;
}

bool overlap(const std::string& first, const std::string& second) {
    return Wording::givesAway(first, second) || Wording::givesAway(second, first);
}

bool holdsWord(const Synset& synset, std::string_view lemma) {
    for (const SynsetWord& word : synset.words)
        if (Wording::shown(Wording::lowered(word.lemma)) == Wording::shown(lemma)) return true;
    return false;
}

bool isWord(const WordNet& wordNet, std::string_view lemma) {
    return std::any_of(std::begin(partsOfSpeech), std::end(partsOfSpeech),
                       [&](char partOfSpeech) { return !wordNet.synsetsOf(partOfSpeech, lemma).empty(); });
}

// A sense players do not know the word by, though WordNet's thin counts rank it first or its files
// leave the word no other sense in a category: named in unknown-senses by the definition's start.
bool isUnknownSense(const Synset& synset, std::string_view lemma) {
    return std::any_of(tables().unknownSenses.begin(), tables().unknownSenses.end(), [&](const auto& sense) {
        return sense.first == lemma && synset.definition.starts_with(sense.second);
    });
}

// A Roman numeral (xxxiv) is a way of writing a number, not a word for it.
bool isNumeral(const WordNet& wordNet, int synset, std::string_view lemma) {
    return wordNet.isNumber(synset) && lemma.find_first_not_of("ivxlcdm") == std::string_view::npos;
}

// A synonym WordNet gives the sense that names something else: in misfiled-synonyms beside a word
// of the sense.
bool isMisfiled(const Synset& synset, std::string_view lemma) {
    return std::any_of(tables().misfiledSynonyms.begin(), tables().misfiledSynonyms.end(), [&](const auto& misfiled) {
        return misfiled.second == lemma && std::any_of(synset.words.begin(), synset.words.end(),
                                                       [&](const SynsetWord& word) { return word.lemma == misfiled.first; });
    });
}

// A word made of two words shows in a longer word its definition leads with either, of four letters
// or more: "woodlands" for greenwood, "propeller" for propjet; a short lead shows in another word
// made on it: "sunlight" for sunbeam, "godchild" for godson, "upward" for updraft. A blend shows in
// the two words it joins: "gasoline" and "alcohol" for gasohol, "cattle" and "buffalo" for cattalo.
bool showsItsParts(const WordNet& wordNet, std::string_view definition, std::string_view lemma) {
    const std::vector<std::string> whole = Wording::tokens(lemma), words = Wording::tokens(definition);
    if (whole.size() != 1) return false;
    const std::string& word = whole[0];
    for (size_t cut = 2; cut + 3 <= word.size(); ++cut) {
        const std::string lead = word.substr(0, cut), rest = word.substr(cut);
        // "up" is the one lead of two letters that is no prefix.
        if (cut == 2 && lead != "up") continue;
        const bool shortLead = cut <= 3 && !tables().prefixes.contains(lead);
        if (isWord(wordNet, lead) && isWord(wordNet, rest))
            for (const std::string& other : words) {
                if ((lead.size() >= 4 && other.starts_with(lead)) || (rest.size() >= 4 && other.starts_with(rest))) return true;
                if (shortLead && other.size() >= cut + 3 && other.starts_with(lead)) {
                    // "eyelids" for eyelash: the lead before another word, or its plural.
                    const std::string after = other.substr(cut);
                    if (isWord(wordNet, after) || isPluralWord(wordNet, after)) return true;
                }
            }
        if (cut < 3) continue;
        for (const std::string& first : words) {
            if (first.size() < cut + 2 || !first.starts_with(lead)) continue;
            for (const std::string& last : words)
                if (last != first && last.size() >= rest.size() + 2 && last.ends_with(rest)) return true;
        }
    }
    return false;
}

// Two spellings of one word, a letter added, dropped or changed: moustache, mustache; defence, defense.
bool spelledAlike(std::string_view a, std::string_view b) {
    if (a.size() < b.size()) std::swap(a, b);
    if (a == b || a.size() - b.size() > 1) return false;
    const size_t same = static_cast<size_t>(std::mismatch(b.begin(), b.end(), a.begin()).first - b.begin());
    return a.substr(same + 1) == b.substr(std::min(b.size(), same + (a.size() == b.size() ? 1 : 0)));
}

// A word of the text that begins as the short word does and goes on as the long one: "substitute"
// shows sub, clipped from substitute.
bool isClippedFrom(std::string_view text, const std::string& clipped, const std::string& whole) {
    const std::vector<std::string> words = Wording::tokens(text);
    return std::any_of(words.begin(), words.end(), [&](const std::string& word) {
        const auto same = std::mismatch(word.begin(), word.end(), whole.begin(), whole.end()).first - word.begin();
        return word.starts_with(clipped) && static_cast<size_t>(same) >= clipped.size() + 2;
    });
}

// The stems of a sense's definition and of its words: the terms it is told in.
std::vector<std::string> termsOf(const Synset& synset) {
    std::string terms(synset.definition);
    for (const SynsetWord& word : synset.words) terms += " " + Wording::shown(word.lemma);
    return contentStems(terms);
}

// The words of the senses a word's forms name: annoyance, with irritation, for aggravate; impassiveness
// for emotionless. A definition in them describes the word.
std::vector<std::string> wordsOfForms(const WordNet& wordNet, char partOfSpeech, std::string_view lemma) {
    const std::string key = Wording::lowered(lemma);
    std::vector<std::string> words;
    for (int meaning : wordNet.synsetsOf(partOfSpeech, lemma)) {
        const Synset& synset = wordNet.synsets()[meaning];
        for (const Derivation& link : synset.derivations)
            if (Wording::lowered(synset.words[link.word].lemma) == key)
                for (const SynsetWord& word : wordNet.synsets()[link.target].words)
                    words.push_back(Wording::shown(Wording::lowered(word.lemma)));
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

// A definition that says little more than its parent's tells only that kind, which every sense of
// it fits: harquebus, "an obsolete firearm with a long barrel", beside muzzle-loader's "an obsolete
// firearm that was loaded through the muzzle", against fusil, a musket and so a muzzle-loader.
bool tellsOnlyAKindOf(const WordNet& wordNet, const Synset& described, const std::vector<std::string>& glossWords,
                      int right) {
    const std::vector<int>& above = wordNet.ancestors(right);
    return std::any_of(described.hypernyms.begin(), described.hypernyms.end(), [&](int parent) {
        return std::find(above.begin(), above.end(), parent) != above.end() &&
               definedAlike(glossWords, termsOf(wordNet.synsets()[parent]));
    });
}

// A verb's definition led by a word that shares a sense with the asked verb, where that sense is
// the asked one or near it, could pass for it: show, "provide evidence for", is to prove, and so is
// to establish, so "establish after a calculation ..." could be said of it.
bool ledByASynonym(const WordNet& wordNet, int asked, std::string_view lemma, std::string_view definition) {
    std::vector<std::string> words = Wording::tokens(definition);
    if (!words.empty() && words.front() == "to") words.erase(words.begin());
    if (words.empty() || words.front() == lemma) return false;
    const std::span<const int> leads = wordNet.synsetsOf('v', words.front());
    for (int meaning : wordNet.synsetsOf('v', lemma)) {
        if (std::find(leads.begin(), leads.end(), meaning) == leads.end()) continue;
        if (meaning == asked || wordNet.areRelated(meaning, asked)) return true;
        for (const SynsetWord& word : wordNet.synsets()[meaning].words)
            if (word.lemma != lemma && holdsWord(wordNet.synsets()[asked], word.lemma)) return true;
    }
    return false;
}

// A noun that in any sense is a kind of something the right sense's kind is also called is a near
// synonym WordNet files apart: insight, in one sense a kind of "understanding, discernment", against
// eye, "good discernment", a kind of "sagacity, judgment, discernment".
bool kindCalledAlike(const WordNet& wordNet, const Synset& right, std::string_view lemma) {
    for (int meaning : wordNet.synsetsOf('n', lemma))
        for (int parent : wordNet.synsets()[meaning].hypernyms)
            for (const SynsetWord& name : wordNet.synsets()[parent].words)
                for (int kind : right.hypernyms)
                    if (holdsWord(wordNet.synsets()[kind], Wording::lowered(name.lemma))) return true;
    return false;
}

}  // namespace

CategoryQuestions::CategoryQuestions(const WordNet& wordNet, const Commonness& commonness, ScreenFit& fit)
    : m_wordNet(wordNet), m_commonness(commonness), m_fit(fit),
      m_genusOf([&wordNet](std::string_view definition) { return genusOf(wordNet, GlossText::clean(definition)); }) {}

bool CategoryQuestions::givesAway(std::string_view text, const std::string& lemma) const {
    if (Wording::givesAway(text, Wording::shown(lemma))) return true;
    // Even a little word of a phrase shows, when the definition repeats it whole: "into" in
    // "eat into", "being" in "well-being"; so does a short word asked alone ("be unsuccessful" for be).
    // So does a word the text ends a compound with, also as a plural: "limb" in "forelimb", "ray" in
    // "stingrays", though not "thing" in "something".
    const std::vector<std::string> words = Wording::tokens(text), parts = Wording::tokens(lemma);
    const auto shows = [&](const auto& test) { return std::any_of(words.begin(), words.end(), test); };
    const auto endsACompound = [&](const std::string& part) {
        return shows([&](const std::string& word) {
            const std::string single = word.ends_with('s') ? word.substr(0, word.size() - 1) : word;
            if (single.size() < part.size() + 4 || !single.ends_with(part)) return false;
            const std::string lead = single.substr(0, single.size() - part.size());
            return lead != "some" && lead != "every" && isWord(m_wordNet, lead);
        });
    };
    const bool phrase = lemma.find_first_of("_ ") != std::string::npos;
    // So does a name spelled all but alike past its first letter: "Styrax" for storax.
    const std::string whole = Wording::lowered(lemma);
    if (!phrase && whole.size() >= 5 && shows([&](const std::string& word) {
            return word[0] == whole[0] && spelledAlike(word, whole);
        }))
        return true;
    // So does a word led by the same four letters, or by those of its root past a prefix, where they
    // are no prefix's: "stable" for stabilize, "calyx" for calyptra, "puberty" for prepubescent; and
    // a root English spells two ways: "vinegar" for vinaigrette, "sated" for satiable.
    for (const auto& spelling : tables().twoSpellings)
        if (whole.starts_with(spelling.first) && shows([&](const std::string& word) { return word.starts_with(spelling.second); }))
            return true;
    std::string_view root = whole;
    while (root.size() >= 5 && tables().prefixes.contains(root.substr(0, 3)))
        root.remove_prefix(3);
    if (!phrase && root.size() >= 5 &&
        shows([&](const std::string& word) { return word != whole && word.starts_with(root.substr(0, 4)); }))
        return true;
    const size_t shortest = phrase ? 4 : 2;
    for (const std::string& part : parts)
        if ((part.size() >= shortest && shows([&](const std::string& word) { return word == part; })) ||
            (part.size() >= 3 && endsACompound(part)))
            return true;
    for (const std::string& form : m_wordNet.derivedForms(lemma))
        if (Wording::givesAway(text, Wording::shown(form))) return true;
    // So does a phrase of two written as one word: "rowboat" for rowing boat.
    if (parts.size() == 2)
        for (const std::string& joined : {parts[0] + parts[1], Wording::stem(parts[0]) + parts[1]})
            for (const std::string& word : words)
                if (word == joined || word == joined + "s") return true;
    // So does the root of a word of a phrase: "tide" for tidal river, "crimes" for criminal record.
    if (phrase)
        for (const std::string& part : parts)
            if (part.size() >= 4)
                for (const std::string& form : m_wordNet.derivedForms(part))
                    if (form.size() < part.size() && Wording::givesAway(text, Wording::shown(form))) return true;
    // So does a form of a word that a closed compound is made of, and its last word ending another
    // compound: "sidelines" for touchline.
    if (!phrase) {
        const CompoundParts& compound = compoundParts(lemma);
        for (const std::string& form : compound.forms)
            if (Wording::givesAway(text, Wording::shown(form))) return true;
        if (std::any_of(compound.lastWords.begin(), compound.lastWords.end(), endsACompound)) return true;
        // So does a closed compound whose two halves both show, however its lead is spelled there: "a
        // herder of sheep" for shepherd.
        for (const std::string& tail : compound.tails)
            if (shows([&](const std::string& word) { return word.starts_with(tail); }) &&
                shows([&](const std::string& word) { return word.size() > 3 && word.compare(0, 3, whole, 0, 3) == 0; }))
                return true;
        // So does its short first word in a form of its own: "newly" for newfound, "payment" for payoff.
        if (!compound.shortLead.empty() &&
            shows([&](const std::string& word) { return Wording::stem(word) == compound.shortLead; }))
            return true;
    }
    // An irregular form shows its word too: "sunk" in sinkable's "capable of being sunk". So does
    // an adjective whose noun of quality the word is made on: "strong" for strengthen (strength).
    for (const std::string& word : words) {
        std::vector<std::string> bases = m_wordNet.baseForms(word);
        for (const std::string& base : bases)
            if (Wording::givesAway(base, Wording::shown(lemma))) return true;
        bases.push_back(word);
        for (const std::string& base : bases)
            for (int value : m_wordNet.synsetsOf('a', base))
                for (int quality : m_wordNet.synsets()[value].attributes)
                    for (const SynsetWord& name : m_wordNet.synsets()[quality].words)
                        if (name.lemma.size() >= 4 && whole.size() > name.lemma.size() && name.lemma[0] == base[0] &&
                            whole.starts_with(Wording::lowered(name.lemma)))
                            return true;
    }
    return false;
}

const CategoryQuestions::CompoundParts& CategoryQuestions::compoundParts(const std::string& lemma) const {
    const auto [at, fresh] = m_compoundParts.try_emplace(lemma);
    if (!fresh) return at->second;
    const std::string whole = Wording::lowered(lemma);
    for (size_t cut = 3; cut + 3 <= whole.size(); ++cut) {
        const std::string lead = whole.substr(0, cut), rest = whole.substr(cut);
        if (!isWord(m_wordNet, rest)) continue;
        if (rest.size() >= 4) at->second.tails.push_back(rest);
        if (!isWord(m_wordNet, lead)) continue;
        if (lead.size() == 3 && rest.size() >= 4) at->second.shortLead = lead;
        if (lead.size() >= 4 && rest.size() >= 4) at->second.lastWords.push_back(rest);
        for (const std::string& part : {lead, rest}) {
            if (part.size() < 4) continue;
            for (const std::string& form : m_wordNet.derivedForms(part))
                if (form.starts_with(part.substr(0, 3))) at->second.forms.push_back(form);
        }
    }
    return at->second;
}

std::vector<CategoryQuestions::Sense> CategoryQuestions::rankedSenses(const CategorySource& source) const {
    std::set<int> lexFiles;
    for (std::string_view name : source.lexFiles) lexFiles.insert(WordNet::lexFileNumber(name));
    std::vector<Sense> senses;
    const auto& synsets = m_wordNet.synsets();
    std::set<int> countable;
    for (std::string_view name : {"noun.animal", "noun.plant", "noun.person", "noun.body"})
        countable.insert(WordNet::lexFileNumber(name));
    const int animals = WordNet::lexFileNumber("noun.animal");
    for (int id = 0; id < static_cast<int>(synsets.size()); ++id) {
        const Synset& synset = synsets[id];
        if (!lexFiles.contains(synset.lexFile) || synset.instance || Wording::isLeftOut(m_wordNet, synset)) continue;
        // Algae are no animals, though WordNet files some with them.
        const std::vector<int>& above = m_wordNet.ancestors(id);
        const auto isAlga = [&](int kind) { return holdsWord(synsets[kind], "alga"); };
        if (synset.lexFile == animals && (isAlga(id) || std::any_of(above.begin(), above.end(), isAlga))) continue;
        const char partOfSpeech = synset.partOfSpeech();
        std::string definition = GlossText::clean(synset.definition);
        if (!usableText(definition) || GlossText::isFragment(definition, partOfSpeech) ||
            (partOfSpeech == 'n' && ledByVerb(m_wordNet, definition)))
            continue;
        // One of many countable things is any of them: a creature, a plant, a person, a part of the
        // body. A plural elsewhere names a mass or a group; leading it defines things, not the one asked.
        const bool oneOfMany =
            partOfSpeech == 'n' && countable.contains(synset.lexFile) && headedByPlural(m_wordNet, definition);
        if (oneOfMany) definition = "any of the " + definition;
        else if (partOfSpeech == 'n' && ledByPlural(m_wordNet, definition)) continue;
        // The most used plain word of the sense that its definition does not give away; a word in
        // no word list is foreign or rare in its spelling, a listed plural is no headword.
        // Of equal use in this sense, the word WordNet lists first is the usual name for it.
        const SynsetWord* best = nullptr;
        int bestBand = 0;
        for (const SynsetWord& word : synset.words) {
            const bool numeral = isNumeral(m_wordNet, id, word.lemma);
            if (!Wording::isPlainWord(word.lemma) || (best && word.tagCount <= best->tagCount) || isMisfiled(synset, word.lemma) ||
                isUnknownSense(synset, word.lemma) || numeral)
                continue;
            const int band = m_commonness.band(Wording::shown(word.lemma));
            if (band == 0) continue;
            if (partOfSpeech == 'n' && isPluralForm(m_wordNet, word.lemma)) continue;
            if (givesAway(definition, std::string(word.lemma)) || showsItsParts(m_wordNet, definition, word.lemma)) continue;
            // A synonym spelled all but alike shows the word too, and a form of one it is clipped from:
            // "mustache" for walrus moustache, "veterinary" for vet.
            if (std::any_of(synset.words.begin(), synset.words.end(), [&](const SynsetWord& other) {
                    const std::string mine = Wording::lowered(word.lemma), theirs = Wording::lowered(other.lemma);
                    if (spelledAlike(mine, theirs)) return givesAway(definition, std::string(other.lemma));
                    return theirs.size() > mine.size() && theirs.starts_with(mine) && isClippedFrom(definition, mine, theirs);
                }))
                continue;
            best = &word;
            bestBand = band;
        }
        // A Latin plural (exuviae) is the many, not one of them.
        if (!best || (oneOfMany && best->lemma.ends_with("ae"))) continue;
        const auto senseCount = static_cast<int>(m_wordNet.synsetsOf(partOfSpeech, best->lemma).size());
        // The kind of thing: for nouns and verbs the grandparents, for adjectives the attribute
        // their cluster measures (size for big and small).
        std::vector<std::vector<int>> kinds;
        std::vector<int> level = synset.hypernyms;
        for (size_t step = 0; step < kindSteps; ++step) {
            std::vector<int> up;
            for (int below : level) up.insert(up.end(), synsets[below].hypernyms.begin(), synsets[below].hypernyms.end());
            level = up;
            kinds.push_back(std::move(up));
        }
        const int head = synset.type == 's' && !synset.similar.empty() ? synset.similar.front() : id;
        kinds.front().insert(kinds.front().end(), synsets[head].attributes.begin(), synsets[head].attributes.end());
        // A word known for another kind of thing reads as absurd among wrong answers (salad, rock, split).
        // Each sense of the word in a part of speech, with its tagged uses there.
        const std::string lowered = Wording::lowered(best->lemma);
        const auto forEachUse = [&](char other, const auto& visit) {
            for (int meaning : m_wordNet.synsetsOf(other, best->lemma))
                for (const SynsetWord& word : synsets[meaning].words)
                    if (Wording::lowered(word.lemma) == lowered) visit(meaning, word.tagCount);
        };
        int mostUsed = -1, mostUses = 0;
        forEachUse(partOfSpeech, [&](int meaning, int uses) {
            if (uses > mostUses) {
                mostUsed = meaning;
                mostUses = uses;
            }
        });
        const bool typical = mostUsed < 0 || lexFiles.contains(synsets[mostUsed].lexFile);
        // Read in its part of speech: no more used as another ("permanent" is no hairdo to a reader).
        const auto usesAs = [&](char other) {
            int total = 0;
            forEachUse(other, [&](int, int uses) { total += uses; });
            return total;
        };
        const int ownUses = usesAs(partOfSpeech);
        const bool primary = (senseCount == 1 || mostUsed == id) && m_wordNet.adverbUses(best->lemma) <= ownUses &&
                             std::none_of(std::begin(partsOfSpeech), std::end(partsOfSpeech),
                                          [&](char other) { return other != partOfSpeech && usesAs(other) > ownUses; });
        // Cousins of a physical thing are other things (cat, lion); an adjective's kin measure the
        // same attribute the other way (big, small). Cousins of an act, a state or a verb are often
        // shades of one meaning (turmoil, chaos; knock, hit hard).
        const bool distinctKin = partOfSpeech == 'a' || std::any_of(above.begin(), above.end(), [&](int ancestor) {
            return synsets[ancestor].words.front().lemma == "physical_entity";
        });
        const bool obscure = !primary && mostUses >= obscureAfter && best->tagCount * rarerThanUsual < mostUses;
        // Clearly the word's usual sense: every other sense, in any part of speech, is met far less,
        // and with thin counts there is none (hacker at golf against hacker at computers, lager
        // the wagon camp against the beer).
        const int adverbUses = m_wordNet.adverbUses(best->lemma);
        bool clearlyUsual = adverbUses == 0 || adverbUses * clearLead < best->tagCount;
        for (char other : partsOfSpeech)
            forEachUse(other, [&](int meaning, int uses) {
                if (meaning != id && (uses * clearLead >= best->tagCount || best->tagCount < clearAfter))
                    clearlyUsual = false;
            });
        std::vector<std::string> glossWords = contentStems(definition);
        std::string genus = genusOf(m_wordNet, definition);
        senses.push_back({id, std::string(best->lemma), Wording::shown(best->lemma), std::move(definition), best->tagCount,
                          bestBand, Commonness::score(bestBand, best->tagCount), senseCount, std::move(glossWords),
                          std::move(genus), typical, primary, obscure, clearlyUsual, distinctKin, std::move(kinds),
                          wordsOfForms(m_wordNet, partOfSpeech, best->lemma)});
    }
    std::sort(senses.begin(), senses.end(), [](const Sense& a, const Sense& b) {
        if (a.score != b.score) return a.score > b.score;
        if (a.tagCount != b.tagCount) return a.tagCount > b.tagCount;
        if (a.senseCount != b.senseCount) return a.senseCount > b.senseCount;
        if (a.word != b.word) return a.word < b.word;
        return a.synset < b.synset;
    });
    // Each word is asked for once per category, in its most common sense.
    std::set<std::string> seen;
    std::erase_if(senses, [&seen](const Sense& sense) { return !seen.insert(sense.word).second; });
    return senses;
}

template <class Accept>
std::vector<const CategoryQuestions::Sense*> CategoryQuestions::pickWrong(const Sense& sense, const Pool& pool,
                                                                          Accept accept) {
    std::vector<const Sense*> chosen;
    std::set<size_t> tried{sense.poolPosition};
    SeededOrder order(static_cast<uint64_t>(sense.synset));
    const auto distance = [&sense](size_t p) { return p > sense.poolPosition ? p - sense.poolPosition : sense.poolPosition - p; };
    bool typicalOnly = true;
    const auto tryAll = [&](std::vector<size_t> positions) {
        order.shuffle(positions);
        for (size_t p : positions) {
            if (tried.contains(p) || (typicalOnly && !pool.senses[p]->typical)) continue;
            // A number and a word of another kind read as absurd beside each other.
            if (m_wordNet.isNumber(pool.senses[p]->synset) != m_wordNet.isNumber(sense.synset)) continue;
            // A word read in another sense than the one meant stands out as absurd (revolver for a door).
            if (m_reach < anySenseReach && !pool.senses[p]->primary) continue;
            tried.insert(p);
            if (accept(*pool.senses[p], chosen)) chosen.push_back(pool.senses[p]);
            if (chosen.size() == 2) return true;
        }
        return false;
    };
    // Senses whose definitions share the most content words with the right one, but not so many
    // that they could pass for it.
    const auto sameTerms = [&] {
        std::vector<std::pair<size_t, size_t>> scored;  // shared words, position
        const size_t most = std::max<size_t>(1, sense.glossWords.size() / 2);
        for (size_t p = 0; p < pool.senses.size(); ++p) {
            const Sense& other = *pool.senses[p];
            if (tried.contains(p) || std::abs(other.band - sense.band) > 1) continue;
            const size_t shared = sharedCount(sense.glossWords, other.glossWords);
            if (shared > 0 && (shared < most || sense.glossWords.size() == 1)) scored.emplace_back(shared, p);
        }
        std::sort(scored.begin(), scored.end(), [&](const auto& a, const auto& b) {
            if (a.first != b.first) return a.first > b.first;
            return distance(a.second) != distance(b.second) ? distance(a.second) < distance(b.second) : a.second < b.second;
        });
        std::vector<size_t> positions;
        for (size_t i = 0; i < scored.size() && i < sameKindTried; ++i) positions.push_back(scored[i].second);
        return positions;
    };
    for (const bool typical : {true, false}) {
        typicalOnly = typical;
        // Of the same kind: under a grandparent of the right sense (a parent would make a sibling,
        // which relatedness refuses), else a higher ancestor; one over a large share of the
        // category (artifact) is no kind. Then defined in the same terms.
        // Candidates under each ancestor within `steps` steps of both senses, the most particular
        // ancestor (fewest senses) first; kinds of up to `most` senses, and above `least`.
        const auto tryKinds = [&](size_t least, size_t most, size_t steps) {
            std::vector<std::pair<size_t, int>> ancestors;  // size, synset
            for (size_t step = 0; step < steps; ++step)
                for (int ancestor : sense.kinds[step])
                    if (const auto members = pool.byKind.find(ancestor); members != pool.byKind.end()) {
                        const size_t size = pool.below.at(ancestor);
                        // A narrow kind is narrow in all of WordNet too: "transfer" holds few moves but
                        // many verbs.
                        const bool narrowEverywhere = m_below[static_cast<size_t>(ancestor)] <= narrowInWordNet;
                        if (size > least && size <= most && (most != narrowKind || narrowEverywhere))
                            ancestors.emplace_back(size, ancestor);
                    }
            std::sort(ancestors.begin(), ancestors.end());
            for (const auto& entry : ancestors) {
                const int ancestor = entry.second;
                std::vector<size_t> positions;
                for (size_t p : pool.byKind.at(ancestor)) {
                    const auto& kinds = pool.senses[p]->kinds;
                    const bool near = std::any_of(kinds.begin(), kinds.begin() + static_cast<std::ptrdiff_t>(steps),
                                                  [ancestor](const std::vector<int>& kind) {
                                                      return std::find(kind.begin(), kind.end(), ancestor) != kind.end();
                                                  });
                    if (near && std::abs(pool.senses[p]->band - sense.band) <= 1) positions.push_back(p);
                }
                // Siblings and descendants are refused anyway: they must not crowd the kin out.
                std::erase_if(positions, [&](size_t p) { return m_wordNet.areRelated(pool.senses[p]->synset, sense.synset); });
                // Of many kin, for a word those described in the same terms are tried: they read as
                // the likeliest stand-ins; for a meaning those described least alike: they cannot
                // pass for it.
                std::vector<std::pair<size_t, size_t>> scored;  // shared words, position
                for (size_t p : positions)
                    scored.emplace_back(positions.size() > sameKindTried ? sharedCount(sense.glossWords, pool.senses[p]->glossWords) : 0, p);
                std::sort(scored.begin(), scored.end(), [&](const auto& a, const auto& b) {
                    if (a.first != b.first) return m_askingWord ? a.first > b.first : a.first < b.first;
                    return distance(a.second) != distance(b.second) ? distance(a.second) < distance(b.second) : a.second < b.second;
                });
                positions.clear();
                for (size_t i = 0; i < scored.size() && i < sameKindTried; ++i) positions.push_back(scored[i].second);
                if (tryAll(std::move(positions))) return true;
            }
            return false;
        };
        const auto sameGenus = [&] {
            std::vector<size_t> positions;
            if (const auto found = pool.byGenus.find(sense.genus); !sense.genus.empty() && found != pool.byGenus.end())
                for (size_t p : found->second)
                    if (std::abs(pool.senses[p]->band - sense.band) <= 1) positions.push_back(p);
            std::sort(positions.begin(), positions.end(),
                      [&](size_t a, size_t b) { return distance(a) != distance(b) ? distance(a) < distance(b) : a < b; });
            if (positions.size() > sameKindTried) positions.resize(sameKindTried);
            return positions;
        };
        const size_t particular = std::max(pool.senses.size() / genericShare, particularSize);
        for (size_t tier = 0; tier < std::size(kinTiers) && tier <= m_reach; ++tier) {
            const KinTier& kin = kinTiers[tier];
            if (tryKinds(0, kin.narrow ? narrowKind : particular, kin.steps)) return chosen;
        }
        if (m_reach < alikeReach) continue;
        if (tryAll(sameGenus()) || tryAll(sameTerms())) return chosen;
        if (m_reach < anythingReach) continue;
        if (tryKinds(particular, pool.senses.size(), kindSteps)) return chosen;
        // Then nearby in rank: of the same lexicographer file and band, of the same band, anything.
        const int lexFile = m_wordNet.synsets()[sense.synset].lexFile;
        for (int closeness : {2, 1, 0}) {
            for (size_t reach : nearbyRanks) {
                const size_t from = sense.poolPosition > reach ? sense.poolPosition - reach : 0;
                const size_t to = std::min(pool.senses.size(), sense.poolPosition + reach + 1);
                std::vector<size_t> positions;
                for (size_t p = from; p < to; ++p) {
                    const Sense& other = *pool.senses[p];
                    const bool close = (closeness < 1 || other.band == sense.band) &&
                                       (closeness < 2 || m_wordNet.synsets()[other.synset].lexFile == lexFile);
                    if (!tried.contains(p) && close) positions.push_back(p);
                }
                if (tryAll(std::move(positions))) return chosen;
                if (to == pool.senses.size() && from == 0) break;
            }
        }
    }
    return {};
}

bool CategoryQuestions::askWord(const Sense& sense, const Pool& pool, Question& out) {
    m_askingWord = true;
    const Synset& synset = m_wordNet.synsets()[sense.synset];
    std::string question = "Which word means: " + sense.definition + "?";
    if (!m_fit.question(question)) question = "Which word means: " + firstClause(sense.definition) + "?";
    // The question's own lead words count too: "word" and "mean" are not asked this way.
    if (!m_fit.question(question) || Wording::givesAway(question, sense.word) || !m_fit.answer(sense.word)) return false;
    // A clue of a few words ("popular aquarium fish") fits its kin as well as the word: its meaning is
    // asked instead.
    const std::string clue = firstClause(sense.definition);
    if (std::count(clue.begin(), clue.end(), ' ') < 3) return false;
    const char partOfSpeech = synset.partOfSpeech();
    const std::vector<std::string> relatives = m_wordNet.derivedForms(sense.lemma);
    const std::string namedClass = bareClass(Wording::lowered(sense.definition));
    const NearSynonyms near(m_wordNet, partOfSpeech, sense.lemma, m_genusOf);
    const auto wrong = pickWrong(sense, pool, [&](const Sense& other, const std::vector<const Sense*>& chosen) {
        // No answer is a part or a form of another, or of a synonym of the right one (force, weak force;
        // meson, mu-meson for muon).
        for (const SynsetWord& synonym : synset.words)
            if (overlap(Wording::shown(synonym.lemma), other.word)) return false;
        // Nor two wrong words WordNet relates (pale, faded): neither could be right alone.
        for (const Sense* taken : chosen)
            if (overlap(taken->word, other.word) || m_wordNet.areRelated(taken->synset, other.synset)) return false;
        // Neither a word of the question, nor a word WordNet relates to the right one in any sense.
        if (Wording::givesAway(question, other.word) || m_wordNet.wordsRelated(partOfSpeech, sense.lemma, other.lemma))
            return false;
        // A word defined by the right one is a kind of it (malaria: "an infective disease ..."), and
        // one under the class that the definition merely names answers it too (pine, yew: "a coniferous tree").
        for (int meaning : m_wordNet.synsetsOf(partOfSpeech, other.lemma)) {
            if (Wording::givesAway(m_wordNet.synsets()[meaning].definition, sense.word)) return false;
            // Nor one with a sense defined in much the same words (few, many: "a quantifier ...").
            if (definedAlike(sense.glossWords, contentStems(m_wordNet.synsets()[meaning].definition))) return false;
            // Nor one of a kind told in much the clue's words: mollie, a topminnow ("small usually
            // brightly-colored ... fishes of fresh or brackish warm waters"), for tetra's "brightly
            // colored tropical freshwater fishes".
            for (int parent : m_wordNet.synsets()[meaning].hypernyms)
                if (definedAlike(sense.glossWords, termsOf(m_wordNet.synsets()[parent]))) return false;
            for (int above : m_wordNet.ancestors(meaning))
                for (const SynsetWord& word : m_wordNet.synsets()[above].words)
                    if (Wording::shown(Wording::lowered(word.lemma)) == namedClass) return false;
        }
        if (std::find(relatives.begin(), relatives.end(), Wording::lowered(other.lemma)) != relatives.end()) return false;
        if (partOfSpeech == 'v' && verbsOverlap(m_wordNet, sense.lemma, other.lemma)) return false;
        if (near.holds(other.synset) || (partOfSpeech == 'n' && kindCalledAlike(m_wordNet, synset, other.lemma))) return false;
        // Nor one the question describes in the words of its forms: emotionless, whose noun is
        // impassiveness, for "seeming unaffected by pleasure or pain; impassive".
        for (const std::string& word : other.formWords)
            if (word != other.word && Wording::givesAway(question, word)) return false;
        return m_fit.answer(other.word);
    });
    if (wrong.empty()) return false;
    out.question = question;
    out.answers = {sense.word, wrong[0]->word, wrong[1]->word};
    out.answerSynsets = {sense.synset, wrong[0]->synset, wrong[1]->synset};
    out.asksMeaning = false;
    return true;
}

bool CategoryQuestions::askMeaning(const Sense& sense, const Pool& pool, Question& out) {
    m_askingWord = false;
    const Synset& synset = m_wordNet.synsets()[sense.synset];
    const std::string question = "What does " + sense.word + " mean?";
    // A definition too long for a button is shown by its first clause, when that fits.
    const auto shown = [this](const std::string& definition) {
        if (definition.size() <= shortTextLimit && m_fit.answer(definition)) return definition;
        const std::string clause = firstClause(definition);
        return clause.size() <= shortTextLimit && m_fit.answer(clause) ? clause : std::string{};
    };
    const std::string right = shown(sense.definition);
    if (right.empty() || !m_fit.question(question)) return false;
    // A definition cut to a bare class ("deciduous tree") is true of any wrong answer of that class.
    const std::vector<std::string> rightWords = Wording::tokens(bareClass(right));
    const std::set<std::string> rightShortWords = shortWords(right);
    const std::string classHead = right != sense.definition && rightWords.size() <= 3 ? rightWords.back() : std::string{};
    const std::span<const int> meaningsOfWord = m_wordNet.synsetsOf(synset.partOfSpeech(), sense.lemma);
    // A verb's parent, or the head of an adjective's cluster, says what it means in other words, which
    // a wrong definition must not use either: put, "formulate in a particular style", is to "put into
    // words or an expression", so "to state or express briefly" could pass for it; reachable is
    // accessible, so "obtainable or accessible and ready for use" could too.
    std::vector<std::string> parentTerms;
    if (synset.partOfSpeech() != 'n')
        for (int parent : synset.type == 's' ? synset.similar : synset.hypernyms) {
            const std::vector<std::string> stems = termsOf(m_wordNet.synsets()[parent]);
            parentTerms.insert(parentTerms.end(), stems.begin(), stems.end());
        }
    const std::vector<std::string> relatives = m_wordNet.derivedForms(sense.lemma);
    const NearSynonyms near(m_wordNet, synset.partOfSpeech(), sense.lemma, m_genusOf);
    // What a narrow kind of any sense of a noun does, by a verb the kind's name is formed from: a
    // definition telling it fits the noun ("someone who markets merchandise" fits a dealer, which in
    // one sense is a marketer). A verb spelt as the name (to finger) is not what the kind does.
    std::set<std::string> kindDoings;
    if (synset.partOfSpeech() == 'n')
        for (int meaning : meaningsOfWord)
            for (int kind : m_wordNet.synsets()[meaning].hypernyms) {
                const Synset& named = m_wordNet.synsets()[kind];
                if (m_below[static_cast<size_t>(kind)] > narrowInWordNet) continue;
                for (const Derivation& link : named.derivations) {
                    const Synset& form = m_wordNet.synsets()[link.target];
                    if (form.partOfSpeech() == 'v' && form.words[link.targetWord].lemma != named.words[link.word].lemma)
                        kindDoings.insert(Wording::stem(form.words[link.targetWord].lemma));
                }
            }
    // The words of every sense of the word.
    std::vector<std::string> senseWords;
    for (int meaning : meaningsOfWord)
        for (const SynsetWord& word : m_wordNet.synsets()[meaning].words) senseWords.push_back(Wording::lowered(word.lemma));
    // The names of a narrow kind of any sense of the word: a wrong definition naming one could pass
    // for that sense ("support and strengthen" for consolidate, a way to strengthen).
    std::vector<std::vector<std::string>> kindNames;
    for (int meaning : meaningsOfWord) {
        const Synset& described = m_wordNet.synsets()[meaning];
        for (int kind : described.type == 's' ? described.similar : described.hypernyms)
            if (m_below[static_cast<size_t>(kind)] <= narrowInWordNet)
                for (const SynsetWord& word : m_wordNet.synsets()[kind].words) kindNames.push_back(Wording::tokens(word.lemma));
    }
    const auto wrong = pickWrong(sense, pool, [&](const Sense& other, const std::vector<const Sense*>& chosen) {
        const std::string definition = shown(other.definition);
        if (definition.empty() || definition == right || givesAway(definition, sense.lemma)) return false;
        // A bare word ("make up", "a rowboat") is a synonym rather than a definition: loose enough to fit
        // some sense of many words.
        std::string bare = definition;
        for (std::string_view lead : {"a ", "an ", "the ", "to "})
            if (bare.starts_with(lead)) bare.erase(0, lead.size());
        std::replace(bare.begin(), bare.end(), ' ', '_');
        if (!m_wordNet.synsetsOf(synset.partOfSpeech(), bare).empty()) return false;
        // Two wrong definitions in the same terms ("a cardboard used by bookbinders to make covers for
        // books", "stout pasteboard used to bind books") or of related senses ("very thin", "of slender
        // build"): neither could be right alone.
        for (const Sense* taken : chosen)
            if (shown(taken->definition) == definition || sharedCount(taken->glossWords, other.glossWords) > 0 ||
                m_wordNet.areRelated(taken->synset, other.synset))
                return false;
        // Nor the meaning of a word that is part or a form of the asked one (kangaroo, tree kangaroo).
        if (overlap(sense.word, other.word)) return false;
        // A definition sharing a content word with the right one could pass for it: "a very remote and
        // inaccessible place" beside outpost's "a station in a remote or sparsely populated location".
        const std::set<std::string> otherShortWords = shortWords(definition);
        if (sharedCount(sense.glossWords, other.glossWords) > 0 || sharedCount(parentTerms, other.glossWords) > 0 ||
            std::any_of(rightShortWords.begin(), rightShortWords.end(),
                        [&](const std::string& word) { return otherShortWords.contains(word); }))
            return false;
        // Not the gloss of another sense of the asked word, of a sense near one, or of a relative.
        const Synset& described = m_wordNet.synsets()[other.synset];
        if (holdsWord(described, sense.lemma)) return false;
        // Nor the gloss of another sense of a synonym (revile, rail: "criticize severely").
        for (const SynsetWord& synonym : synset.words)
            if (holdsWord(described, synonym.lemma)) return false;
        for (const std::string& relative : relatives)
            if (holdsWord(described, relative)) return false;
        for (int meaning : meaningsOfWord)
            if (m_wordNet.areRelated(meaning, other.synset)) return false;
        // Nor a kind of what some sense of the word is called too: to battle is to fight, and to
        // campaign is, in one sense, to fight.
        for (int parent : described.hypernyms)
            for (const std::string& word : senseWords)
                if (holdsWord(m_wordNet.synsets()[parent], word)) return false;
        if (synset.partOfSpeech() == 'v' && (verbsOverlap(m_wordNet, sense.lemma, other.lemma) ||
                                             ledByASynonym(m_wordNet, sense.synset, sense.lemma, definition)))
            return false;
        // Nor the meaning of a near synonym, or one built on the asked word's kind ("a place of refuge").
        if (near.holds(other.synset) || near.namesKind(other.genus)) return false;
        if (!classHead.empty())
            for (int above : m_wordNet.ancestors(other.synset))
                if (holdsWord(m_wordNet.synsets()[above], classHead)) return false;
        // Nor a wrong definition that is a bare class named by an ancestor of the right sense: "Eurasian
        // bulbous plant" could be true of common grape hyacinth, a bulbous plant, for all a player knows.
        const std::vector<std::string> wrongClass = Wording::tokens(bareClass(definition));
        if (wrongClass.size() >= 2 && wrongClass.size() <= 3) {
            const std::string head = wrongClass[wrongClass.size() - 2] + ' ' + wrongClass.back();
            for (int above : m_wordNet.ancestors(sense.synset))
                if (holdsWord(m_wordNet.synsets()[above], head)) return false;
        }
        // Nor one whose words the other's definition uses: "accessible" in "obtainable or accessible
        // and ready for use" against "easy to reach", "bog" in swamp's definition.
        for (const auto& [defining, named] : {std::pair{&synset, &described}, std::pair{&described, &synset}})
            for (const SynsetWord& word : named->words)
                if (Wording::givesAway(defining->definition, Wording::shown(word.lemma))) return false;
        // Nor two wrong ones of which one names the other: "yearling heifer or bullock" beside
        // heifer's "young cow".
        const auto names = [](const Synset& defining, const Synset& named) {
            const std::vector<std::string> words = Wording::tokens(defining.definition);
            return std::any_of(named.words.begin(), named.words.end(), [&](const SynsetWord& word) {
                const std::vector<std::string> lemma = Wording::tokens(word.lemma);
                return !lemma.empty() && std::search(words.begin(), words.end(), lemma.begin(), lemma.end()) != words.end();
            });
        };
        for (const Sense* taken : chosen) {
            const Synset& other = m_wordNet.synsets()[taken->synset];
            if (names(other, described) || names(described, other)) return false;
        }
        if (tellsOnlyAKindOf(m_wordNet, described, other.glossWords, sense.synset)) return false;
        if (synset.partOfSpeech() == 'n' &&
            std::any_of(described.words.begin(), described.words.end(),
                        [&](const SynsetWord& word) { return kindCalledAlike(m_wordNet, synset, word.lemma); }))
            return false;
        // Nor one told in the words of a form's sense: "annoy persistently" for aggravate (annoyance).
        for (const std::string& word : sense.formWords)
            if (Wording::givesAway(definition, word)) return false;
        const std::vector<std::string> words = Wording::tokens(definition);
        for (const std::vector<std::string>& name : kindNames)
            if (!name.empty() && std::search(words.begin(), words.end(), name.begin(), name.end()) != words.end()) return false;
        // The definition's own verb, after its relative pronoun: "someone who markets ...".
        const auto lead = words.begin() + std::min<ptrdiff_t>(3, std::ssize(words));
        const auto pronoun = std::find_if(words.begin(), lead, [](const std::string& word) { return word == "who" || word == "that"; });
        if (pronoun != lead && pronoun + 1 != words.end() && kindDoings.contains(Wording::stem(pronoun[1]))) return false;
        // Where kin are shades of one meaning, the definition of a sense with an ancestor up to four
        // steps up in common (a cousin, an uncle) could pass for the right one.
        if (!sense.distinctKin) {
            const auto near = [this](const Sense& of) {
                std::vector<int> up = m_wordNet.synsets()[of.synset].hypernyms;
                for (const std::vector<int>& kind : of.kinds) up.insert(up.end(), kind.begin(), kind.end());
                std::sort(up.begin(), up.end());
                return up;
            };
            const std::vector<int> mine = near(sense), theirs = near(other);
            std::vector<int> shared;
            std::set_intersection(mine.begin(), mine.end(), theirs.begin(), theirs.end(), std::back_inserter(shared));
            if (!shared.empty()) return false;
        }
        // Nor the gloss of a word related to the asked one in any sense (beset, vex: "afflict with mental
        // agitation"; zone, in one sense a kind of region: "a locally circumscribed place"); the
        // dearest look-up comes last.
        return std::none_of(described.words.begin(), described.words.end(), [&](const SynsetWord& word) {
            return m_wordNet.wordsRelated(synset.partOfSpeech(), sense.lemma, word.lemma);
        });
    });
    if (wrong.empty()) return false;
    out.question = question;
    out.answers = {right, shown(wrong[0]->definition), shown(wrong[1]->definition)};
    out.answerSynsets = {sense.synset, wrong[0]->synset, wrong[1]->synset};
    out.asksMeaning = true;
    return true;
}

bool CategoryQuestions::describe(const Sense& sense, Question& out) {
    const Synset& synset = m_wordNet.synsets()[sense.synset];
    // The word first, then what it means, one example and its synonyms.
    std::string text = sense.word + ": " + sense.definition;
    if (text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
    if (text.size() > shortTextLimit || !m_fit.information(text)) return false;
    const auto tryAdding = [&](const std::string& more) {
        const std::string longer = text + more;
        if (longer.size() > shortTextLimit || !m_fit.information(longer)) return false;
        text = longer;
        return true;
    };
    // Only an example that uses the word: one showing a synonym ("I mean no harm" for intend) reads as
    // the word's own example and misleads.
    for (std::string_view example : synset.examples) {
        const std::string plain = GlossText::clean(example);
        if (givesAway(plain, sense.lemma) && usableText(plain) && !Wording::isUnsuitableExample(plain) &&
            tryAdding("\n\"" + plain + "\""))
            break;
    }
    std::string synonyms = "\nSynonyms: ";
    bool first = true;
    for (const SynsetWord& word : synset.words) {
        // Nor the word's own plural ("giblets" for giblet, "cocci" for coccus), nor a name WordNet
        // files under the sense that belongs to something else.
        const std::vector<std::string> bases =
            m_wordNet.isInflectedNoun(word.lemma) ? m_wordNet.baseForms(word.lemma) : std::vector<std::string>{};
        if (!Wording::isPlainWord(word.lemma) || word.lemma == sense.lemma || word.lemma == sense.lemma + "s" ||
            std::find(bases.begin(), bases.end(), Wording::lowered(sense.lemma)) != bases.end() || isMisfiled(synset, word.lemma) ||
            isNumeral(m_wordNet, sense.synset, word.lemma))
            continue;
        if (!tryAdding((first ? synonyms : std::string(", ")) + Wording::shown(word.lemma))) break;
        first = false;
    }
    out.information = text;
    return true;
}

std::vector<Question> CategoryQuestions::make(const CategorySource& source, size_t wanted) {
    if (m_below.empty()) {
        m_below.resize(m_wordNet.synsets().size());
        for (int id = 0; id < static_cast<int>(m_below.size()); ++id)
            for (int ancestor : m_wordNet.ancestors(id)) ++m_below[static_cast<size_t>(ancestor)];
    }
    std::vector<Sense> senses = rankedSenses(source);
    std::map<char, Pool> pools;
    for (Sense& sense : senses) {
        Pool& pool = pools[m_wordNet.synsets()[sense.synset].partOfSpeech()];
        sense.poolPosition = pool.senses.size();
        for (const std::vector<int>& kind : sense.kinds)
            for (int ancestor : kind) pool.byKind[ancestor].push_back(sense.poolPosition);
        for (int ancestor : m_wordNet.ancestors(sense.synset)) ++pool.below[ancestor];
        if (m_wordNet.synsets()[sense.synset].partOfSpeech() == 'a')
            for (int attribute : sense.kinds.front()) ++pool.below[attribute];
        pool.byGenus[sense.genus].push_back(sense.poolPosition);
        pool.senses.push_back(&sense);
    }
    std::vector<std::pair<size_t, Question>> made;  // rank, question
    std::vector<bool> asked(senses.size());
    for (m_reach = 0; m_reach <= anythingReach; ++m_reach) {
        for (size_t rank = 0; rank < senses.size() && made.size() < wanted; ++rank) {
            // A word asked in its usual sense first: an unusual one makes its kin look out of place.
            // One met far less than the word's usual sense reads as a riddle (be: "work in a specific place").
            if (asked[rank] || (m_reach < anySenseReach && !senses[rank].primary) || senses[rank].obscure) continue;
            const Sense& sense = senses[rank];
            const Pool& pool = pools[m_wordNet.synsets()[sense.synset].partOfSpeech()];
            Question question;
            // A word is asked for only among its cousins: among looser kin a player who knows the
            // wrong words could rule them out without knowing the right one. Otherwise the word's
            // meaning is asked, which only knowing the word answers.
            const bool meaningFirst = !sense.distinctKin ||
                                      SeededOrder::mix(static_cast<uint64_t>(sense.synset)) % meaningQuestionShare == 0;
            const auto askWordAmongCousins = [&] {
                const size_t reach = std::exchange(m_reach, 0);
                const bool asked = askWord(sense, pool, question);
                m_reach = reach;
                return asked;
            };
            const bool done = (!meaningFirst && askWordAmongCousins()) || askMeaning(sense, pool, question) ||
                              (m_reach >= alikeReach && sense.distinctKin && askWordAmongCousins());
            if (!done || !describe(sense, question)) continue;
            question.synset = sense.synset;
            question.word = sense.word;
            question.clearlyUsual = sense.clearlyUsual;
            asked[rank] = true;
            made.emplace_back(rank, std::move(question));
        }
    }
    std::sort(made.begin(), made.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Question> ordered;
    for (auto& [rank, question] : made) ordered.push_back(std::move(question));
    return ordered;
}

}  // namespace questions
