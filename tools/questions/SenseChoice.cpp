#include "tools/questions/SenseChoice.h"

#include <algorithm>
#include <set>
#include <string>

#include "tools/questions/CategoryTable.h"
#include "tools/questions/Commonness.h"
#include "tools/questions/GlossText.h"
#include "tools/questions/RuleList.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/WordNetGiveaway.h"
#include "tools/questions/WordTables.h"
#include "tools/questions/Wording.h"

namespace questions {

namespace {

// A sense met in the tagged texts this many times less than the word's usual one, used there at
// least `obscureAfter` times, is obscure.
constexpr int rarerThanUsual = 10, obscureAfter = 10;
// Below this many tagged uses a sense is not known to be its word's usual one over another.
constexpr int clearAfter = 5;
// A sense is its word's usual one when met this many times as often as any other: the tagged
// texts are small, and a word met half as often in another sense (soil as dirt, soil as earth) is
// read in that one by many players.
constexpr int clearLead = 3;

// The definition's first word, when it starts with one in lower case.
std::string leadingLowerCaseWord(std::string_view definition) {
    std::string first;
    for (char c : definition) {
        if (c < 'a' || c > 'z') break;
        first += c;
    }
    return first;
}

// A noun's gloss led by a verb with the thing left out: "communicates two or more signals ...".
bool ledByVerb(const WordNet& wordNet, std::string_view definition) {
    const std::string first = leadingLowerCaseWord(definition);
    if (!first.ends_with("s") || !wordNet.synsetsOf('n', first).empty()) return false;
    for (size_t cut : {1, 2}) {
        const std::string_view base = std::string_view(first).substr(0, first.size() - cut);
        if (!wordNet.synsetsOf('v', base).empty() && wordNet.synsetsOf('n', base).empty()) return true;
    }
    return false;
}

// A noun's definition led by a plural ("protozoa with spherical bodies" for heliozoan, "echinoderms
// characterized by five arms" for starfish) defines things, not the one thing asked.
bool ledByPlural(const WordNet& wordNet, std::string_view definition) {
    return isPluralOfANoun(wordNet, leadingLowerCaseWord(definition));
}

// The first phrase of a definition, over adjectives and nouns, names a plural: "small soft-bodied
// marine crustaceans living in ...", "large Old World boas", "dorsal and palmar veins of the hand";
// not "a vein draining the lips", "any of various finches" or "the passages through which air enters".
// It reads the definition a character at a time rather than by Wording::tokens: the phrase ends at
// the first word followed by anything but a space.
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
            isPluralOfANoun(wordNet, word)) {
            const std::vector<std::string> rest = Wording::tokens(definition.substr(i));
            return rest.empty() || (rest.front() != "a" && rest.front() != "an" && rest.front() != "the");
        }
        if (c != ' ' || WordTables::loaded().pluralPhraseEnds.contains(word)) return false;
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

// A sense players do not know the word by, though WordNet's thin counts rank it first or its files
// leave the word no other sense in a category: named in unknown-senses by the definition's start.
bool isUnknownSense(const Synset& synset, std::string_view lemma) {
    const WordPairs& unknown = WordTables::loaded().unknownSenses;
    return std::any_of(unknown.begin(), unknown.end(), [&](const auto& sense) {
        return sense.first == lemma && synset.definition.starts_with(sense.second);
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
        const bool shortLead = cut <= 3 && !WordTables::loaded().prefixes.contains(lead);
        if (isWord(wordNet, lead) && isWord(wordNet, rest))
            for (const std::string& other : words) {
                if ((lead.size() >= 4 && other.starts_with(lead)) || (rest.size() >= 4 && other.starts_with(rest))) return true;
                if (shortLead && other.size() >= cut + 3 && other.starts_with(lead)) {
                    // "eyelids" for eyelash: the lead before another word, or its plural.
                    const std::string after = other.substr(cut);
                    if (isWord(wordNet, after) || isPluralOfANoun(wordNet, after)) return true;
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

// A word of the text that begins as the short word does and goes on as the long one: "substitute"
// shows sub, clipped from substitute.
bool isClippedFrom(std::string_view text, const std::string& clipped, const std::string& whole) {
    const std::vector<std::string> words = Wording::tokens(text);
    return std::any_of(words.begin(), words.end(), [&](const std::string& word) {
        const auto same = std::mismatch(word.begin(), word.end(), whole.begin(), whole.end()).first - word.begin();
        return word.starts_with(clipped) && static_cast<size_t>(same) >= clipped.size() + 2;
    });
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

// A synset of the category.
const RuleList<const WordNet&, int> synsetRules{Stage::senseChoice, "a synset of the category", {
    {"a proper noun (an instance)", [](const WordNet& wordNet, int id) { return wordNet.synsets()[id].instance; }},
    {"left out: a register, a contradicted sense, a blocked word (Wording::isLeftOut)",
     [](const WordNet& wordNet, int id) {
         return Wording::isLeftOut(wordNet, wordNet.synsets()[id]);
     }},
    // Algae are no animals, though WordNet files some with them.
    {"an alga filed among animals", [](const WordNet& wordNet, int id) {
         static const int animals = WordNet::lexFileNumber("noun.animal");
         const std::vector<int>& above = wordNet.ancestors(id);
         const auto isAlga = [&](int kind) { return holdsWord(wordNet.synsets()[kind], "alga"); };
         return wordNet.synsets()[id].lexFile == animals && (isAlga(id) || std::any_of(above.begin(), above.end(), isAlga));
     }},
}};

// Its definition, cleaned (GlossText::clean).
struct Gloss {
    const WordNet& wordNet;
    const Synset& synset;
    const std::string& definition;
    bool oneOfMany;  // a noun of countable things defined by their plural: see SenseChoice::ranked
};

const RuleList<const Gloss&> glossRules{Stage::senseChoice, "its cleaned definition", {
    {"no text, or a character the font lacks", [](const Gloss& gloss) { return !usableText(gloss.definition); }},
    {"not a whole definition (GlossText::isFragment)", [](const Gloss& gloss) {
         return GlossText::isFragment(gloss.definition, gloss.synset.partOfSpeech());
     }},
    {"a noun's gloss led by a verb", [](const Gloss& gloss) {
         return gloss.synset.partOfSpeech() == 'n' && ledByVerb(gloss.wordNet, gloss.definition);
     }},
    // A plural, but for one of many countable things, names a mass or a group; leading the gloss it
    // defines things, not the one asked.
    {"a noun's gloss led by a plural", [](const Gloss& gloss) {
         return !gloss.oneOfMany && gloss.synset.partOfSpeech() == 'n' && ledByPlural(gloss.wordNet, gloss.definition);
     }},
}};

// A word of the sense that could name it: the most used plain word that its definition does not
// give away; of equal use in this sense, the word WordNet lists first is the usual name for it.
struct Naming {
    const WordNet& wordNet;
    const WordNetGiveaway& giveaway;
    int id;
    const Synset& synset;
    const std::string& definition;
    const SynsetWord& word;
    const SynsetWord* best;  // the word taken so far
    int band;                // its commonness band: 0 in no word list
};

const RuleList<const Naming&> wordRules{Stage::senseChoice, "a word that could name the sense", {
    {"not a plain word", [](const Naming& n) { return !Wording::isPlainWord(n.word.lemma); }},
    {"used no more in the sense than the word taken",
     [](const Naming& n) { return n.best && n.word.tagCount <= n.best->tagCount; }},
    {"a synonym WordNet files under the sense by mistake (misfiled-synonyms)", [](const Naming& n) {
         return isMisfiled(n.synset, n.word.lemma);
     }},
    {"a sense players do not know it by (unknown-senses)",
     [](const Naming& n) { return isUnknownSense(n.synset, n.word.lemma); }},
    {"a Roman numeral", [](const Naming& n) { return isNumeral(n.wordNet, n.id, n.word.lemma); }},
    // A word in no word list is foreign or rare in its spelling.
    {"in no word list", [](const Naming& n) { return n.band == 0; }},
    // A listed plural is no headword.
    {"a noun's plural", [](const Naming& n) {
         return n.synset.partOfSpeech() == 'n' && isPluralHeadword(n.wordNet, n.word.lemma);
     }},
    {"its definition gives it away", [](const Naming& n) {
         return n.giveaway.givesAway(n.definition, std::string(n.word.lemma));
     }},
    {"its definition shows the words it is made of", [](const Naming& n) {
         return showsItsParts(n.wordNet, n.definition, n.word.lemma);
     }},
    // A synonym spelled all but alike shows the word too, and a form of one it is clipped from:
    // "mustache" for walrus moustache, "veterinary" for vet.
    {"its definition shows a synonym spelled all but alike, or one it is clipped from", [](const Naming& n) {
         return std::any_of(n.synset.words.begin(), n.synset.words.end(), [&](const SynsetWord& other) {
             const std::string mine = Wording::lowered(n.word.lemma), theirs = Wording::lowered(other.lemma);
             if (spelledAlike(mine, theirs)) return n.giveaway.givesAway(n.definition, std::string(other.lemma));
             return theirs.size() > mine.size() && theirs.starts_with(mine) && isClippedFrom(n.definition, mine, theirs);
         });
     }},
}};

const RuleList<const SynsetWord*, bool> senseRules{Stage::senseChoice, "the sense", {
    {"no word to ask it by", [](const SynsetWord* best, bool) { return !best; }},
    // A Latin plural (exuviae) is the many, not one of them.
    {"a Latin plural in -ae, of one of many", [](const SynsetWord* best, bool oneOfMany) {
         return oneOfMany && best->lemma.ends_with("ae");
     }},
}};

const RuleList<const std::set<std::string>&, const Sense&> rankedRules{Stage::senseChoice, "the ranked senses", {
    // Each word is asked for once per category, in its most common sense.
    {"a word asked already in the category, in a more common sense",
     [](const std::set<std::string>& seen, const Sense& sense) {
         return seen.contains(sense.word);
     }},
}};

}  // namespace

std::vector<Sense> SenseChoice::ranked(const CategorySource& source) const {
    std::set<int> lexFiles;
    for (std::string_view name : source.lexFiles) lexFiles.insert(WordNet::lexFileNumber(name));
    std::vector<Sense> senses;
    const auto& synsets = m_wordNet.synsets();
    std::set<int> countable;
    for (std::string_view name : {"noun.animal", "noun.plant", "noun.person", "noun.body"})
        countable.insert(WordNet::lexFileNumber(name));
    for (int id = 0; id < static_cast<int>(synsets.size()); ++id) {
        const Synset& synset = synsets[id];
        if (!lexFiles.contains(synset.lexFile) || synsetRules.refuses(m_wordNet, id)) continue;
        const std::vector<int>& above = m_wordNet.ancestors(id);
        const char partOfSpeech = synset.partOfSpeech();
        std::string definition = GlossText::clean(synset.definition);
        // One of many countable things is any of them: a creature, a plant, a person, a part of the
        // body.
        const bool oneOfMany =
            partOfSpeech == 'n' && countable.contains(synset.lexFile) && headedByPlural(m_wordNet, definition);
        if (glossRules.refuses({m_wordNet, synset, definition, oneOfMany})) continue;
        if (oneOfMany) definition = "any of the " + definition;
        const SynsetWord* best = nullptr;
        int bestBand = 0;
        for (const SynsetWord& word : synset.words) {
            const int band = m_commonness.band(Wording::shown(word.lemma));
            if (wordRules.refuses({m_wordNet, m_giveaway, id, synset, definition, word, best, band})) continue;
            best = &word;
            bestBand = band;
        }
        if (senseRules.refuses(best, oneOfMany)) continue;
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
    std::set<std::string> seen;
    std::erase_if(senses, [&seen](const Sense& sense) {
        if (rankedRules.refuses(seen, sense)) return true;
        seen.insert(sense.word);
        return false;
    });
    return senses;
}

}  // namespace questions
