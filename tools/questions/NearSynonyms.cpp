#include "tools/questions/NearSynonyms.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "tools/questions/WordNet.h"
#include "tools/questions/WordTables.h"
#include "tools/questions/Wording.h"

namespace questions {

namespace {

// A phrase of a word and particles stands for its word: "push for", "carry out", "end up".
std::string headOf(const std::string& lemma) {
    const size_t space = lemma.find('_');
    if (space == std::string::npos) return lemma;
    for (size_t at = space; at != std::string::npos;) {
        const size_t next = lemma.find('_', at + 1);
        const std::string_view part = std::string_view(lemma).substr(at + 1, next == std::string::npos ? next : next - at - 1);
        if (!WordTables::loaded().particles.contains(part)) return lemma;
        at = next;
    }
    return lemma.substr(0, space);
}

void addWithHead(std::set<std::string>& words, std::string_view lemma) {
    const std::string lowered = Wording::lowered(lemma);
    words.insert(headOf(lowered));
    words.insert(lowered);
}

std::vector<int> twoStepsUp(const WordNet& wordNet, int synset) {
    std::vector<int> found{synset};
    for (int parent : wordNet.synsets()[synset].hypernyms) {
        found.push_back(parent);
        const auto& grand = wordNet.synsets()[parent].hypernyms;
        found.insert(found.end(), grand.begin(), grand.end());
    }
    return found;
}

}  // namespace

NearSynonyms::NearSynonyms(const WordNet& wordNet, char partOfSpeech, std::string_view lemma,
                           const std::function<std::string(std::string_view)>& genusOf)
    : m_wordNet(wordNet), m_partOfSpeech(partOfSpeech) {
    const auto& synsets = wordNet.synsets();
    std::set<std::string> synonyms;  // with their heads
    for (int meaning : wordNet.synsetsOf(partOfSpeech, lemma)) {
        for (const SynsetWord& word : synsets[meaning].words) addWithHead(synonyms, word.lemma);
        if (partOfSpeech == 'v') {
            for (int above : twoStepsUp(wordNet, meaning)) m_above.insert(above);
        } else if (partOfSpeech == 'n') {
            for (int above : twoStepsUp(wordNet, meaning))
                for (const SynsetWord& word : synsets[above].words) m_kindNames.insert(Wording::lowered(word.lemma));
            for (int parent : synsets[meaning].hypernyms) {
                m_parents.insert(parent);
                const std::string genus = genusOf(synsets[parent].definition);
                if (!genus.empty()) m_kindNames.insert(genus);
            }
        }
    }
    // Words a player takes for each other, though WordNet links no senses of them.
    for (const auto& [one, other] : WordTables::loaded().takenForEachOther) {
        if (lemma == one) m_secondOrder.insert(std::string(other));
        if (lemma == other) m_secondOrder.insert(std::string(one));
    }
    // Words sharing a sense with a synonym, looked up once rather than for every candidate.
    for (const std::string& synonym : synonyms)
        for (int meaning : wordNet.synsetsOf(partOfSpeech, synonym))
            for (const SynsetWord& word : synsets[meaning].words) m_secondOrder.insert(Wording::lowered(word.lemma));
    // A verb's or adjective's noun forms against the word's own noun senses (see holds).
    if (partOfSpeech != 'n')
        for (int meaning : wordNet.synsetsOf('n', lemma)) m_nounSenses.push_back(meaning);
    if (partOfSpeech != 'v') return;
    // Verbs whose noun forms name the kind of one of the word's: insistence is a kind of advocacy.
    for (const std::string& form : wordNet.derivedForms(lemma))
        for (int meaning : wordNet.synsetsOf('n', form))
            for (int parent : synsets[meaning].hypernyms)
                for (const SynsetWord& kind : synsets[parent].words)
                    for (const std::string& verb : wordNet.derivedForms(kind.lemma)) m_secondOrder.insert(verb);
}

bool NearSynonyms::holds(int synset) const {
    const Synset& sense = m_wordNet.synsets()[synset];
    for (const SynsetWord& word : sense.words) {
        const std::string lowered = Wording::lowered(word.lemma);
        if (m_secondOrder.contains(lowered) || m_secondOrder.contains(headOf(lowered))) return true;
    }
    // A sense whose noun is a shade of a noun sense of the word: dither ("an excited state of
    // agitation") beside stew ("agitation resulting from active worry"), for the verb stew.
    for (const Derivation& link : sense.derivations)
        if (m_wordNet.synsets()[link.target].partOfSpeech() == 'n')
            for (int noun : m_nounSenses)
                if (m_wordNet.areRelated(noun, link.target)) return true;
    // A noun under a sibling of the word: shillelagh, "a cudgel ...", beside bludgeon.
    if (m_partOfSpeech == 'n') {
        for (int parent : sense.hypernyms)
            for (int grandparent : m_wordNet.synsets()[parent].hypernyms)
                if (m_parents.contains(grandparent)) return true;
        return false;
    }
    for (int above : twoStepsUp(m_wordNet, synset))
        if (m_above.contains(above)) return true;
    return false;
}

}  // namespace questions
