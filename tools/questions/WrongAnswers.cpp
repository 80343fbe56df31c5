#include "tools/questions/WrongAnswers.h"

#include <algorithm>

#include "tools/questions/RuleList.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/Wording.h"

namespace questions {

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

namespace {

const RuleList<const WordNet&, const Sense&, const Sense&, size_t> eitherFormRules{
    Stage::wrongAnswers, "a candidate of either form", {
    // A number and a word of another kind read as absurd beside each other.
    {"a number beside a word, or a word beside a number",
     [](const WordNet& wordNet, const Sense& sense, const Sense& other, size_t) {
         return wordNet.isNumber(other.synset) != wordNet.isNumber(sense.synset);
     }},
    // A word read in another sense than the one meant stands out as absurd (revolver for a door).
    {"not its word's usual sense, before any sense may be",
     [](const WordNet&, const Sense&, const Sense& other, size_t reach) {
         return reach < anySenseReach && !other.primary;
     }},
}};

const RuleList<const WordQuestion&, const Sense&, const Chosen&> wrongWordRules{Stage::wrongAnswers, "a wrong word", {
    // No answer is a part or a form of another, or of a synonym of the right one (force, weak force;
    // meson, mu-meson for muon).
    {"a part or form of a synonym of the right word", [](const WordQuestion& q, const Sense& other, const Chosen&) {
         for (const SynsetWord& synonym : q.synset.words)
             if (overlap(Wording::shown(synonym.lemma), other.word)) return true;
         return false;
     }},
    // Nor two wrong words WordNet relates (pale, faded): neither could be right alone.
    {"a part or form of a wrong word taken, or related to it",
     [](const WordQuestion& q, const Sense& other, const Chosen& chosen) {
         for (const Sense* taken : chosen)
             if (overlap(taken->word, other.word) || q.wordNet.areRelated(taken->synset, other.synset)) return true;
         return false;
     }},
    {"a word of the question", [](const WordQuestion& q, const Sense& other, const Chosen&) {
         return Wording::givesAway(q.question, other.word);
     }},
    {"related to the right word in any sense", [](const WordQuestion& q, const Sense& other, const Chosen&) {
         return q.wordNet.wordsRelated(q.partOfSpeech, q.sense.lemma, other.lemma);
     }},
    // A word defined by the right one is a kind of it (malaria: "an infective disease ...").
    {"a sense of it defined by the right word", [](const WordQuestion& q, const Sense& other, const Chosen&) {
         for (int meaning : q.wordNet.synsetsOf(q.partOfSpeech, other.lemma))
             if (Wording::givesAway(q.wordNet.synsets()[meaning].definition, q.sense.word)) return true;
         return false;
     }},
    // Nor one with a sense defined in much the same words (few, many: "a quantifier ...").
    {"a sense of it defined in much the same words", [](const WordQuestion& q, const Sense& other, const Chosen&) {
         for (int meaning : q.wordNet.synsetsOf(q.partOfSpeech, other.lemma))
             if (definedAlike(q.sense.glossWords, contentStems(q.wordNet.synsets()[meaning].definition))) return true;
         return false;
     }},
    // Nor one of a kind told in much the clue's words: mollie, a topminnow ("small usually
    // brightly-colored ... fishes of fresh or brackish warm waters"), for tetra's "brightly colored
    // tropical freshwater fishes".
    {"a sense of it of a kind told in much the clue's words",
     [](const WordQuestion& q, const Sense& other, const Chosen&) {
         for (int meaning : q.wordNet.synsetsOf(q.partOfSpeech, other.lemma))
             for (int parent : q.wordNet.synsets()[meaning].hypernyms)
                 if (definedAlike(q.sense.glossWords, termsOf(q.wordNet.synsets()[parent]))) return true;
         return false;
     }},
    {"a derived form of the right word", [](const WordQuestion& q, const Sense& other, const Chosen&) {
         return std::find(q.relatives.begin(), q.relatives.end(), Wording::lowered(other.lemma)) != q.relatives.end();
     }},
    {"a near synonym (NearSynonyms)", [](const WordQuestion& q, const Sense& other, const Chosen&) {
         return q.near.holds(other.synset);
     }},
    {"a noun in some sense a kind of what the right sense's kind is called",
     [](const WordQuestion& q, const Sense& other, const Chosen&) {
         return q.partOfSpeech == 'n' && kindCalledAlike(q.wordNet, q.synset, other.lemma);
     }},
    // Nor one the question describes in the words of its forms: emotionless, whose noun is
    // impassiveness, for "seeming unaffected by pleasure or pain; impassive".
    {"described by the question in the words of its forms",
     [](const WordQuestion& q, const Sense& other, const Chosen&) {
         for (const std::string& word : other.formWords)
             if (word != other.word && Wording::givesAway(q.question, word)) return true;
         return false;
     }},
    {"too long for a button",
     [](const WordQuestion& q, const Sense& other, const Chosen&) { return !q.fit.answer(other.word); }},
}};

}  // namespace

bool refusedForEitherForm(const WordNet& wordNet, const Sense& sense, const Sense& other, size_t reach) {
    return eitherFormRules.refuses(wordNet, sense, other, reach);
}

WordQuestion::WordQuestion(const WordNet& wordNet, ScreenFit& fit, const std::function<std::string(std::string_view)>& genusOf,
                           const Sense& sense, const std::string& question)
    : wordNet(wordNet), fit(fit), sense(sense), synset(wordNet.synsets()[sense.synset]), question(question),
      partOfSpeech(synset.partOfSpeech()), relatives(wordNet.derivedForms(sense.lemma)),
      near(wordNet, partOfSpeech, sense.lemma, genusOf) {}

bool acceptsWrongWord(const WordQuestion& asked, const Sense& other, const Chosen& chosen) {
    return !wrongWordRules.refuses(asked, other, chosen);
}

}  // namespace questions
