#include <algorithm>
#include <iterator>

#include "tools/questions/RuleList.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/WordNetGiveaway.h"
#include "tools/questions/WordTables.h"
#include "tools/questions/Wording.h"
#include "tools/questions/WrongAnswers.h"

namespace questions {

namespace {

// A definition's words of three letters that mean something on their own ("end", "sea", "red"),
// which the content stems leave out; numbers differ in their other words ("ten more than").
std::set<std::string> shortWords(std::string_view definition) {
    std::set<std::string> words;
    for (const std::string& word : Wording::tokens(definition))
        if (word.size() == 3 && !WordTables::loaded().emptyShortWords.contains(word)) words.insert(word);
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

// A wrong definition: the candidate sense's definition as its button would show it.
struct WrongDefinition {
    const Sense& other;
    const Chosen& chosen;
    const std::string definition;
    const Synset& described;
};

const RuleList<const MeaningQuestion&, const WrongDefinition&> wrongDefinitionRules{
    Stage::wrongDefinitions, "a wrong definition", {
    {"too long for a button, even its first clause", [](const MeaningQuestion&, const WrongDefinition& w) {
         return w.definition.empty();
     }},
    {"the right definition",
     [](const MeaningQuestion& q, const WrongDefinition& w) { return w.definition == q.right; }},
    {"gives the word away", [](const MeaningQuestion& q, const WrongDefinition& w) {
         return q.giveaway.givesAway(w.definition, q.sense.lemma);
     }},
    // A bare word ("make up", "a rowboat") is a synonym rather than a definition: loose enough to fit
    // some sense of many words.
    {"a bare word, no definition", [](const MeaningQuestion& q, const WrongDefinition& w) {
         std::string bare = w.definition;
         for (std::string_view lead : {"a ", "an ", "the ", "to "})
             if (bare.starts_with(lead)) bare.erase(0, lead.size());
         std::replace(bare.begin(), bare.end(), ' ', '_');
         return !q.wordNet.synsetsOf(q.synset.partOfSpeech(), bare).empty();
     }},
    // Two wrong definitions in the same terms ("a cardboard used by bookbinders to make covers for
    // books", "stout pasteboard used to bind books") or of related senses ("very thin", "of slender
    // build"): neither could be right alone.
    {"in the same terms as a wrong definition taken, or related to it",
     [](const MeaningQuestion& q, const WrongDefinition& w) {
         for (const Sense* taken : w.chosen)
             if (definitionOnButton(q.fit, taken->definition) == w.definition ||
                 sharedCount(taken->glossWords, w.other.glossWords) > 0 || q.wordNet.areRelated(taken->synset, w.other.synset))
                 return true;
         return false;
     }},
    // Nor the meaning of a word that is part or a form of the asked one (kangaroo, tree kangaroo).
    {"the meaning of a word that is part or a form of the asked one",
     [](const MeaningQuestion& q, const WrongDefinition& w) {
         return overlap(q.sense.word, w.other.word);
     }},
    // A definition sharing a content word with the right one could pass for it: "a very remote and
    // inaccessible place" beside outpost's "a station in a remote or sparsely populated location".
    {"shares a content word with the right definition or its parent's",
     [](const MeaningQuestion& q, const WrongDefinition& w) {
         const std::set<std::string> otherShortWords = shortWords(w.definition);
         return sharedCount(q.sense.glossWords, w.other.glossWords) > 0 || sharedCount(q.parentTerms, w.other.glossWords) > 0 ||
                std::any_of(q.rightShortWords.begin(), q.rightShortWords.end(),
                            [&](const std::string& word) { return otherShortWords.contains(word); });
     }},
    // Not the gloss of another sense of the asked word, of a sense near one, or of a relative.
    {"the gloss of another sense of the asked word", [](const MeaningQuestion& q, const WrongDefinition& w) {
         return holdsWord(w.described, q.sense.lemma);
     }},
    {"the gloss of a derived form of the asked word", [](const MeaningQuestion& q, const WrongDefinition& w) {
         for (const std::string& relative : q.relatives)
             if (holdsWord(w.described, relative)) return true;
         return false;
     }},
    {"related to a sense of the asked word", [](const MeaningQuestion& q, const WrongDefinition& w) {
         for (int meaning : q.meaningsOfWord)
             if (q.wordNet.areRelated(meaning, w.other.synset)) return true;
         return false;
     }},
    // Nor a kind of what some sense of the word is called too: to battle is to fight, and to
    // campaign is, in one sense, to fight.
    {"a kind of what some sense of the word is called too", [](const MeaningQuestion& q, const WrongDefinition& w) {
         for (int parent : w.described.hypernyms)
             for (const std::string& word : q.senseWords)
                 if (holdsWord(q.wordNet.synsets()[parent], word)) return true;
         return false;
     }},
    {"a verb's definition led by a word sharing the asked sense",
     [](const MeaningQuestion& q, const WrongDefinition& w) {
         return q.synset.partOfSpeech() == 'v' && ledByASynonym(q.wordNet, q.sense.synset, q.sense.lemma, w.definition);
     }},
    // Nor the meaning of a near synonym, or one built on the asked word's kind ("a place of refuge").
    {"the meaning of a near synonym (NearSynonyms)", [](const MeaningQuestion& q, const WrongDefinition& w) {
         return q.near.holds(w.other.synset);
     }},
    {"built on the asked word's kind", [](const MeaningQuestion& q, const WrongDefinition& w) {
         return q.near.namesKind(w.other.genus);
     }},
    // A definition cut to a bare class ("deciduous tree") is true of any wrong answer of that class.
    {"of the class the right definition is cut to", [](const MeaningQuestion& q, const WrongDefinition& w) {
         if (q.classHead.empty()) return false;
         for (int above : q.wordNet.ancestors(w.other.synset))
             if (holdsWord(q.wordNet.synsets()[above], q.classHead)) return true;
         return false;
     }},
    // Nor a wrong definition that is a bare class named by an ancestor of the right sense: "Eurasian
    // bulbous plant" could be true of common grape hyacinth, a bulbous plant, for all a player knows.
    {"a bare class named by an ancestor of the right sense", [](const MeaningQuestion& q, const WrongDefinition& w) {
         const std::vector<std::string> wrongClass = Wording::tokens(bareClass(w.definition));
         if (wrongClass.size() < 2 || wrongClass.size() > 3) return false;
         const std::string head = wrongClass[wrongClass.size() - 2] + ' ' + wrongClass.back();
         for (int above : q.wordNet.ancestors(q.sense.synset))
             if (holdsWord(q.wordNet.synsets()[above], head)) return true;
         return false;
     }},
    // Nor one whose words the other's definition uses: "accessible" in "obtainable or accessible
    // and ready for use" against "easy to reach", "bog" in swamp's definition.
    {"a word of one sense in the other's definition", [](const MeaningQuestion& q, const WrongDefinition& w) {
         for (const auto& [defining, named] : {std::pair{&q.synset, &w.described}, std::pair{&w.described, &q.synset}})
             for (const SynsetWord& word : named->words)
                 if (Wording::givesAway(defining->definition, Wording::shown(word.lemma))) return true;
         return false;
     }},
    // Nor two wrong ones of which one names the other: "yearling heifer or bullock" beside heifer's
    // "young cow".
    {"names a wrong definition taken, or is named by it", [](const MeaningQuestion& q, const WrongDefinition& w) {
         const auto names = [](const Synset& defining, const Synset& named) {
             const std::vector<std::string> words = Wording::tokens(defining.definition);
             return std::any_of(named.words.begin(), named.words.end(), [&](const SynsetWord& word) {
                 const std::vector<std::string> lemma = Wording::tokens(word.lemma);
                 return !lemma.empty() && std::search(words.begin(), words.end(), lemma.begin(), lemma.end()) != words.end();
             });
         };
         for (const Sense* taken : w.chosen) {
             const Synset& other = q.wordNet.synsets()[taken->synset];
             if (names(other, w.described) || names(w.described, other)) return true;
         }
         return false;
     }},
    {"tells only a kind of the right sense that every sense of it fits",
     [](const MeaningQuestion& q, const WrongDefinition& w) {
         return tellsOnlyAKindOf(q.wordNet, w.described, w.other.glossWords, q.sense.synset);
     }},
    {"a noun with a word in some sense a kind of what the right sense's kind is called",
     [](const MeaningQuestion& q, const WrongDefinition& w) {
         return q.synset.partOfSpeech() == 'n' &&
                std::any_of(w.described.words.begin(), w.described.words.end(),
                            [&](const SynsetWord& word) { return kindCalledAlike(q.wordNet, q.synset, word.lemma); });
     }},
    // Nor one told in the words of a form's sense: "annoy persistently" for aggravate (annoyance).
    {"told in the words of a form's sense", [](const MeaningQuestion& q, const WrongDefinition& w) {
         for (const std::string& word : q.sense.formWords)
             if (Wording::givesAway(w.definition, word)) return true;
         return false;
     }},
    {"names a narrow kind of a sense of the word", [](const MeaningQuestion& q, const WrongDefinition& w) {
         const std::vector<std::string> words = Wording::tokens(w.definition);
         for (const std::vector<std::string>& name : q.kindNames)
             if (!name.empty() && std::search(words.begin(), words.end(), name.begin(), name.end()) != words.end()) return true;
         return false;
     }},
    // The definition's own verb, after its relative pronoun: "someone who markets ...".
    {"tells what a narrow kind of a sense of the noun does", [](const MeaningQuestion& q, const WrongDefinition& w) {
         const std::vector<std::string> words = Wording::tokens(w.definition);
         const auto lead = words.begin() + std::min<ptrdiff_t>(3, std::ssize(words));
         const auto pronoun = std::find_if(words.begin(), lead, [](const std::string& word) { return word == "who" || word == "that"; });
         return pronoun != lead && pronoun + 1 != words.end() && q.kindDoings.contains(Wording::stem(pronoun[1]));
     }},
    // Where kin are shades of one meaning, the definition of a sense with an ancestor up to four
    // steps up in common (a cousin, an uncle) could pass for the right one.
    {"a shade of the meaning: an ancestor within four steps in common",
     [](const MeaningQuestion& q, const WrongDefinition& w) {
         if (q.sense.distinctKin) return false;
         const auto near = [&q](const Sense& of) {
             std::vector<int> up = q.wordNet.synsets()[of.synset].hypernyms;
             for (const std::vector<int>& kind : of.kinds) up.insert(up.end(), kind.begin(), kind.end());
             std::sort(up.begin(), up.end());
             return up;
         };
         const std::vector<int> mine = near(q.sense), theirs = near(w.other);
         std::vector<int> shared;
         std::set_intersection(mine.begin(), mine.end(), theirs.begin(), theirs.end(), std::back_inserter(shared));
         return !shared.empty();
     }},
    // Nor the gloss of a word related to the asked one in any sense (beset, vex: "afflict with mental
    // agitation"; zone, in one sense a kind of region: "a locally circumscribed place"); the dearest
    // look-up comes last.
    {"the gloss of a word related to the asked one in any sense",
     [](const MeaningQuestion& q, const WrongDefinition& w) {
         return std::any_of(w.described.words.begin(), w.described.words.end(), [&](const SynsetWord& word) {
             return q.wordNet.wordsRelated(q.synset.partOfSpeech(), q.sense.lemma, word.lemma);
         });
     }},
}};

}  // namespace

std::string definitionOnButton(ScreenFit& fit, const std::string& definition) {
    if (definition.size() <= shortTextLimit && fit.answer(definition)) return definition;
    const std::string clause = firstClause(definition);
    return clause.size() <= shortTextLimit && fit.answer(clause) ? clause : std::string{};
}

MeaningQuestion::MeaningQuestion(const WordNet& wordNet, ScreenFit& fit, const WordNetGiveaway& giveaway,
                                 const std::function<std::string(std::string_view)>& genusOf, const std::vector<size_t>& below,
                                 const Sense& sense, const std::string& right)
    : wordNet(wordNet), fit(fit), giveaway(giveaway), sense(sense), synset(wordNet.synsets()[sense.synset]), right(right),
      rightWords(Wording::tokens(bareClass(right))), rightShortWords(shortWords(right)),
      classHead(right != sense.definition && rightWords.size() <= 3 ? rightWords.back() : std::string{}),
      meaningsOfWord(wordNet.synsetsOf(synset.partOfSpeech(), sense.lemma)), relatives(wordNet.derivedForms(sense.lemma)),
      near(wordNet, synset.partOfSpeech(), sense.lemma, genusOf) {
    // A verb's parent, or the head of an adjective's cluster, says what it means in other words, which
    // a wrong definition must not use either: put, "formulate in a particular style", is to "put into
    // words or an expression", so "to state or express briefly" could pass for it; reachable is
    // accessible, so "obtainable or accessible and ready for use" could too.
    if (synset.partOfSpeech() != 'n')
        for (int parent : synset.type == 's' ? synset.similar : synset.hypernyms) {
            const std::vector<std::string> stems = termsOf(wordNet.synsets()[parent]);
            parentTerms.insert(parentTerms.end(), stems.begin(), stems.end());
        }
    // What a narrow kind of any sense of a noun does, by a verb the kind's name is formed from: a
    // definition telling it fits the noun ("someone who markets merchandise" fits a dealer, which in
    // one sense is a marketer). A verb spelt as the name (to finger) is not what the kind does.
    if (synset.partOfSpeech() == 'n')
        for (int meaning : meaningsOfWord)
            for (int kind : wordNet.synsets()[meaning].hypernyms) {
                const Synset& named = wordNet.synsets()[kind];
                if (below[static_cast<size_t>(kind)] > narrowInWordNet) continue;
                for (const Derivation& link : named.derivations) {
                    const Synset& form = wordNet.synsets()[link.target];
                    if (form.partOfSpeech() == 'v' && form.words[link.targetWord].lemma != named.words[link.word].lemma)
                        kindDoings.insert(Wording::stem(form.words[link.targetWord].lemma));
                }
            }
    // The words of every sense of the word.
    for (int meaning : meaningsOfWord)
        for (const SynsetWord& word : wordNet.synsets()[meaning].words) senseWords.push_back(Wording::lowered(word.lemma));
    // The names of a narrow kind of any sense of the word: a wrong definition naming one could pass
    // for that sense ("support and strengthen" for consolidate, a way to strengthen).
    for (int meaning : meaningsOfWord) {
        const Synset& described = wordNet.synsets()[meaning];
        for (int kind : described.type == 's' ? described.similar : described.hypernyms)
            if (below[static_cast<size_t>(kind)] <= narrowInWordNet)
                for (const SynsetWord& word : wordNet.synsets()[kind].words) kindNames.push_back(Wording::tokens(word.lemma));
    }
}

bool acceptsWrongDefinition(const MeaningQuestion& asked, const Sense& other, const Chosen& chosen) {
    const Synset& described = asked.wordNet.synsets()[other.synset];
    return !wrongDefinitionRules.refuses(asked, {other, chosen, definitionOnButton(asked.fit, other.definition), described});
}

}  // namespace questions
