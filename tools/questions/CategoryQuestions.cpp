#include "tools/questions/CategoryQuestions.h"

#include <algorithm>
#include <map>
#include <set>

#include "tools/questions/CategoryTable.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/SeededOrder.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/Wording.h"
#include "tools/writers/QuestionDatabaseFile.h"

namespace questions {

namespace {

constexpr size_t shortTextLimit = writers::QuestionDatabaseFile::maxShortTextBytes;
// Wrong answers come from this many places either side of the right one, then further out.
constexpr size_t nearbyRanks[] = {20, 80, 100000};
// One sense in this many is asked the other way round, when its definitions fit the buttons.
constexpr uint64_t meaningQuestionShare = 4;

bool usableText(std::string_view text) { return !text.empty() && Wording::hasOnlyFontCharacters(text); }

std::string firstClause(std::string_view definition) {
    return std::string(definition.substr(0, definition.find("; ")));
}

}  // namespace

std::vector<CategoryQuestions::Sense> CategoryQuestions::rankedSenses(const CategorySource& source) const {
    std::set<int> lexFiles;
    for (std::string_view name : source.lexFiles) lexFiles.insert(WordNet::lexFileNumber(name));
    std::vector<Sense> senses;
    const auto& synsets = m_wordNet.synsets();
    for (int id = 0; id < static_cast<int>(synsets.size()); ++id) {
        const Synset& synset = synsets[id];
        if (!lexFiles.contains(synset.lexFile) || synset.instance || !usableText(synset.definition)) continue;
        if (Wording::isLeftOut(m_wordNet, synset)) continue;
        // The most used plain word of the sense that its definition does not give away.
        const SynsetWord* best = nullptr;
        for (const SynsetWord& word : synset.words) {
            if (!Wording::isPlainWord(word.lemma) || Wording::givesAway(synset.definition, Wording::shown(word.lemma)))
                continue;
            if (!best || word.tagCount > best->tagCount) best = &word;
        }
        if (!best) continue;
        const auto senseCount = static_cast<int>(m_wordNet.synsetsOf(synset.partOfSpeech(), best->lemma).size());
        // Ranked by the shown word's own use: a sense made common by a word the definition gives away
        // should not put a rare synonym among the everyday questions.
        senses.push_back({id, std::string(best->lemma), Wording::shown(best->lemma), best->tagCount, senseCount});
    }
    std::sort(senses.begin(), senses.end(), [](const Sense& a, const Sense& b) {
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
std::vector<const CategoryQuestions::Sense*> CategoryQuestions::pickWrong(const Sense& sense,
                                                                          const std::vector<const Sense*>& pool,
                                                                          Accept accept) {
    std::vector<const Sense*> chosen;
    std::set<size_t> tried{sense.poolPosition};
    SeededOrder order(static_cast<uint64_t>(sense.synset));
    for (size_t reach : nearbyRanks) {
        const size_t from = sense.poolPosition > reach ? sense.poolPosition - reach : 0;
        const size_t to = std::min(pool.size(), sense.poolPosition + reach + 1);
        std::vector<size_t> positions;
        for (size_t p = from; p < to; ++p)
            if (!tried.contains(p)) positions.push_back(p);
        order.shuffle(positions);
        for (size_t p : positions) {
            tried.insert(p);
            if (accept(*pool[p], chosen)) chosen.push_back(pool[p]);
            if (chosen.size() == 2) return chosen;
        }
        if (to == pool.size() && from == 0) break;
    }
    return {};
}

bool CategoryQuestions::askWord(const Sense& sense, const std::vector<const Sense*>& pool, Question& out) {
    const Synset& synset = m_wordNet.synsets()[sense.synset];
    std::string question = "Which word means: " + std::string(synset.definition) + "?";
    if (!m_fit.question(question)) question = "Which word means: " + firstClause(synset.definition) + "?";
    if (!m_fit.question(question) || Wording::givesAway(question, sense.word) || !m_fit.answer(sense.word)) return false;
    const char partOfSpeech = synset.partOfSpeech();
    const auto wrong = pickWrong(sense, pool, [&](const Sense& other, const std::vector<const Sense*>& chosen) {
        for (const Sense* taken : chosen)
            if (taken->word == other.word) return false;
        for (int meaning : m_wordNet.synsetsOf(partOfSpeech, other.lemma))
            if (m_wordNet.areRelated(meaning, sense.synset)) return false;
        return m_fit.answer(other.word);
    });
    if (wrong.empty()) return false;
    out.question = question;
    out.answers = {sense.word, wrong[0]->word, wrong[1]->word};
    out.answerSynsets = {sense.synset, wrong[0]->synset, wrong[1]->synset};
    out.asksMeaning = false;
    return true;
}

bool CategoryQuestions::askMeaning(const Sense& sense, const std::vector<const Sense*>& pool, Question& out) {
    const Synset& synset = m_wordNet.synsets()[sense.synset];
    const std::string question = "What does " + sense.word + " mean?";
    const std::string right(synset.definition);
    if (right.size() > shortTextLimit || !m_fit.question(question) || !m_fit.answer(right)) return false;
    const std::span<const int> meaningsOfWord = m_wordNet.synsetsOf(synset.partOfSpeech(), sense.lemma);
    const auto wrong = pickWrong(sense, pool, [&](const Sense& other, const std::vector<const Sense*>& chosen) {
        const std::string_view definition = m_wordNet.synsets()[other.synset].definition;
        if (definition == right || definition.size() > shortTextLimit || Wording::givesAway(definition, sense.word))
            return false;
        for (const Sense* taken : chosen)
            if (m_wordNet.synsets()[taken->synset].definition == definition) return false;
        // No sense of the asked word may be what a wrong definition describes, or near it.
        for (int meaning : meaningsOfWord)
            if (m_wordNet.areRelated(meaning, other.synset)) return false;
        return m_fit.answer(definition);
    });
    if (wrong.empty()) return false;
    out.question = question;
    out.answers = {right, std::string(m_wordNet.synsets()[wrong[0]->synset].definition),
                   std::string(m_wordNet.synsets()[wrong[1]->synset].definition)};
    out.answerSynsets = {sense.synset, wrong[0]->synset, wrong[1]->synset};
    out.asksMeaning = true;
    return true;
}

bool CategoryQuestions::describe(const Sense& sense, Question& out) {
    const Synset& synset = m_wordNet.synsets()[sense.synset];
    std::string text(synset.definition);
    if (text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
    if (text.size() > shortTextLimit || !m_fit.information(text)) return false;
    const auto tryAdding = [&](const std::string& more) {
        const std::string longer = text + more;
        if (longer.size() > shortTextLimit || !m_fit.information(longer)) return false;
        text = longer;
        return true;
    };
    for (std::string_view example : synset.examples)
        if (usableText(example) && !Wording::hasBlockedWord(example) && tryAdding("\n\"" + std::string(example) + "\""))
            break;
    std::string synonyms = "\nSynonyms: ";
    bool first = true;
    for (const SynsetWord& word : synset.words) {
        if (!Wording::isPlainWord(word.lemma) || word.lemma == sense.lemma) continue;
        if (!tryAdding((first ? synonyms : std::string(", ")) + Wording::shown(word.lemma))) break;
        first = false;
    }
    out.information = text;
    return true;
}

std::vector<Question> CategoryQuestions::make(const CategorySource& source, size_t wanted) {
    std::vector<Sense> senses = rankedSenses(source);
    std::map<char, std::vector<const Sense*>> pools;
    for (Sense& sense : senses) {
        auto& pool = pools[m_wordNet.synsets()[sense.synset].partOfSpeech()];
        sense.poolPosition = pool.size();
        pool.push_back(&sense);
    }
    std::vector<Question> made;
    for (const Sense& sense : senses) {
        if (made.size() == wanted) break;
        const auto& pool = pools[m_wordNet.synsets()[sense.synset].partOfSpeech()];
        Question question;
        const bool meaningFirst = SeededOrder::mix(static_cast<uint64_t>(sense.synset)) % meaningQuestionShare == 0;
        const bool asked = meaningFirst ? askMeaning(sense, pool, question) || askWord(sense, pool, question)
                                        : askWord(sense, pool, question);
        if (!asked || !describe(sense, question)) continue;
        question.synset = sense.synset;
        question.word = sense.word;
        made.push_back(std::move(question));
    }
    return made;
}

}  // namespace questions
