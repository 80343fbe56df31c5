#include "tools/questions/CategoryQuestions.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

#include "tools/questions/GlossText.h"
#include "tools/questions/RuleList.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/SeededOrder.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/Wording.h"
#include "tools/questions/WrongAnswers.h"

namespace questions {

namespace {

// Wrong answers come from this many places either side of the right one, then further out.
constexpr size_t nearbyRanks[] = {20, 80, 100000};
// Of the senses of the same kind, this many nearest in rank are tried.
constexpr size_t sameKindTried = 40;
// An ancestor over more than one in this many of the category's senses names no particular kind,
// unless it holds no more than a handful.
constexpr size_t genericShare = 6, particularSize = 60;
// One sense in this many is asked the other way round, when its definitions fit the buttons.
constexpr uint64_t meaningQuestionShare = 4;

const RuleList<const Sense&, size_t> askedSenseRules{Stage::questionForms, "a sense to ask, in this pass", {
    // A word asked in its usual sense first: an unusual one makes its kin look out of place.
    {"not its word's usual sense, before any sense may be", [](const Sense& sense, size_t reach) {
         return reach < anySenseReach && !sense.primary;
     }},
    // One met far less than the word's usual sense reads as a riddle (be: "work in a specific place").
    {"met far less than its word's usual sense", [](const Sense& sense, size_t) { return sense.obscure; }},
}};

const RuleList<ScreenFit&, const Sense&, const std::string&> wordQuestionRules{
    Stage::questionForms, "a \"Which word means ...?\" question", {
    {"the question too long for its place, even with the first clause",
     [](ScreenFit& fit, const Sense&, const std::string& question) {
         return !fit.question(question);
     }},
    // The question's own lead words count too: "word" and "mean" are not asked this way.
    {"the question gives the word away", [](ScreenFit&, const Sense& sense, const std::string& question) {
         return Wording::givesAway(question, sense.word);
     }},
    {"the word too long for a button",
     [](ScreenFit& fit, const Sense& sense, const std::string&) { return !fit.answer(sense.word); }},
    // A clue of a few words ("popular aquarium fish") fits its kin as well as the word: its meaning is
    // asked instead.
    {"a clue of a few words", [](ScreenFit&, const Sense& sense, const std::string&) {
         const std::string clue = firstClause(sense.definition);
         return std::count(clue.begin(), clue.end(), ' ') < 3;
     }},
}};

const RuleList<ScreenFit&, const std::string&, const std::string&> meaningQuestionRules{
    Stage::questionForms, "a \"What does <word> mean?\" question", {
    {"the definition too long for a button, even its first clause",
     [](ScreenFit&, const std::string& right, const std::string&) {
         return right.empty();
     }},
    {"the question too long for its place", [](ScreenFit& fit, const std::string&, const std::string& question) {
         return !fit.question(question);
     }},
}};

const RuleList<ScreenFit&, const std::string&> panelRules{Stage::panel, "the word and its definition", {
    {"too long for the panel", [](ScreenFit& fit, const std::string& text) {
         return text.size() > shortTextLimit || !fit.information(text);
     }},
}};

// Only an example that uses the word: one showing a synonym ("I mean no harm" for intend) reads as
// the word's own example and misleads.
const RuleList<const WordNetGiveaway&, const Sense&, const std::string&> exampleRules{Stage::panel, "an example", {
    {"does not use the word", [](const WordNetGiveaway& giveaway, const Sense& sense, const std::string& example) {
         return !giveaway.givesAway(example, sense.lemma);
     }},
    {"no text, or a character the font lacks", [](const WordNetGiveaway&, const Sense&, const std::string& example) {
         return !usableText(example);
     }},
    {"a word or scene not for all ages (Wording::isUnsuitableExample)",
     [](const WordNetGiveaway&, const Sense&, const std::string& example) {
         return Wording::isUnsuitableExample(example);
     }},
}};

const RuleList<const WordNet&, const Sense&, const SynsetWord&> synonymRules{Stage::panel, "a synonym", {
    {"not a plain word",
     [](const WordNet&, const Sense&, const SynsetWord& word) { return !Wording::isPlainWord(word.lemma); }},
    {"the word itself",
     [](const WordNet&, const Sense& sense, const SynsetWord& word) { return word.lemma == sense.lemma; }},
    // Nor the word's own plural ("giblets" for giblet, "cocci" for coccus).
    {"the word and an s",
     [](const WordNet&, const Sense& sense, const SynsetWord& word) { return word.lemma == sense.lemma + "s"; }},
    {"an inflected form of the word", [](const WordNet& wordNet, const Sense& sense, const SynsetWord& word) {
         const std::vector<std::string> bases =
             wordNet.isInflectedNoun(word.lemma) ? wordNet.baseForms(word.lemma) : std::vector<std::string>{};
         return std::find(bases.begin(), bases.end(), Wording::lowered(sense.lemma)) != bases.end();
     }},
    // Nor a name WordNet files under the sense that belongs to something else.
    {"a synonym WordNet files under the sense by mistake (misfiled-synonyms)",
     [](const WordNet& wordNet, const Sense& sense, const SynsetWord& word) {
         return isMisfiled(wordNet.synsets()[sense.synset], word.lemma);
     }},
    {"a Roman numeral", [](const WordNet& wordNet, const Sense& sense, const SynsetWord& word) {
         return isNumeral(wordNet, sense.synset, word.lemma);
     }},
}};

}  // namespace

CategoryQuestions::CategoryQuestions(const WordNet& wordNet, const Commonness& commonness, ScreenFit& fit)
    : m_wordNet(wordNet), m_fit(fit), m_giveaway(wordNet), m_senseChoice(wordNet, commonness, m_giveaway),
      m_genusOf([&wordNet](std::string_view definition) { return genusOf(wordNet, GlossText::clean(definition)); }) {}

namespace {

// One search for the two wrong answers of a question: what its tiers share. A candidate is tried
// once, in a seeded order; typical words of the category are sought before the others.
struct WrongAnswerSearch {
    WrongAnswerSearch(const WordNet& wordNet, const std::vector<size_t>& below, const Sense& sense, const Pool& pool,
                      const std::function<bool(const Sense&, const Chosen&)>& accept, bool askingWord, size_t reach)
        : wordNet(wordNet), below(below), sense(sense), pool(pool), accept(accept), askingWord(askingWord), reach(reach),
          particular(std::max(pool.senses.size() / genericShare, particularSize)) {}

    const WordNet& wordNet;
    const std::vector<size_t>& below;  // synsets under each synset in all of WordNet
    const Sense& sense;
    const Pool& pool;
    const std::function<bool(const Sense&, const Chosen&)>& accept;
    const bool askingWord;
    const size_t reach;
    const size_t particular;  // the most senses a kind of the category may hold
    Chosen chosen;
    std::set<size_t> tried{sense.poolPosition};
    SeededOrder order{static_cast<uint64_t>(sense.synset)};
    bool typicalOnly = true;

    size_t distance(size_t p) const { return p > sense.poolPosition ? p - sense.poolPosition : sense.poolPosition - p; }

    // True once two are chosen.
    bool tryAll(std::vector<size_t> positions) {
        order.shuffle(positions);
        for (size_t p : positions) {
            if (tried.contains(p) || (typicalOnly && !pool.senses[p]->typical)) continue;
            if (refusedForEitherForm(wordNet, sense, *pool.senses[p], reach)) continue;
            tried.insert(p);
            if (accept(*pool.senses[p], chosen)) chosen.push_back(pool.senses[p]);
            if (chosen.size() == 2) return true;
        }
        return false;
    }

    // Candidates under each ancestor within `steps` steps of both senses, the most particular
    // ancestor (fewest senses) first; kinds of up to `most` senses, and above `least`.
    bool tryKinds(size_t least, size_t most, size_t steps) {
        std::vector<std::pair<size_t, int>> ancestors;  // size, synset
        for (size_t step = 0; step < steps; ++step)
            for (int ancestor : sense.kinds[step])
                if (const auto members = pool.byKind.find(ancestor); members != pool.byKind.end()) {
                    const size_t size = pool.below.at(ancestor);
                    // A narrow kind is narrow in all of WordNet too: "transfer" holds few moves but
                    // many verbs.
                    const bool narrowEverywhere = below[static_cast<size_t>(ancestor)] <= narrowInWordNet;
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
            std::erase_if(positions, [&](size_t p) { return wordNet.areRelated(pool.senses[p]->synset, sense.synset); });
            // Of many kin, for a word those described in the same terms are tried: they read as
            // the likeliest stand-ins; for a meaning those described least alike: they cannot
            // pass for it.
            std::vector<std::pair<size_t, size_t>> scored;  // shared words, position
            for (size_t p : positions)
                scored.emplace_back(positions.size() > sameKindTried ? sharedCount(sense.glossWords, pool.senses[p]->glossWords) : 0, p);
            std::sort(scored.begin(), scored.end(), [&](const auto& a, const auto& b) {
                if (a.first != b.first) return askingWord ? a.first > b.first : a.first < b.first;
                return distance(a.second) != distance(b.second) ? distance(a.second) < distance(b.second) : a.second < b.second;
            });
            positions.clear();
            for (size_t i = 0; i < scored.size() && i < sameKindTried; ++i) positions.push_back(scored[i].second);
            if (tryAll(std::move(positions))) return true;
        }
        return false;
    }
    bool tryKin(const KinTier& kin) { return tryKinds(0, kin.narrow ? narrowKind : particular, kin.steps); }

    // Senses whose definitions are built on the same noun, nearest in rank first.
    bool trySameGenus() {
        std::vector<size_t> positions;
        if (const auto found = pool.byGenus.find(sense.genus); !sense.genus.empty() && found != pool.byGenus.end())
            for (size_t p : found->second)
                if (std::abs(pool.senses[p]->band - sense.band) <= 1) positions.push_back(p);
        std::sort(positions.begin(), positions.end(),
                  [&](size_t a, size_t b) { return distance(a) != distance(b) ? distance(a) < distance(b) : a < b; });
        if (positions.size() > sameKindTried) positions.resize(sameKindTried);
        return tryAll(std::move(positions));
    }

    // Senses whose definitions share the most content words with the right one, but not so many
    // that they could pass for it.
    bool trySameTerms() {
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
        return tryAll(std::move(positions));
    }

    // Senses nearby in rank, ever further out: with closeness 2 of the same lexicographer file and
    // band, with 1 of the same band, with 0 any.
    bool tryNearby(int closeness) {
        const int lexFile = wordNet.synsets()[sense.synset].lexFile;
        for (size_t ranks : nearbyRanks) {
            const size_t from = sense.poolPosition > ranks ? sense.poolPosition - ranks : 0;
            const size_t to = std::min(pool.senses.size(), sense.poolPosition + ranks + 1);
            std::vector<size_t> positions;
            for (size_t p = from; p < to; ++p) {
                const Sense& other = *pool.senses[p];
                const bool close = (closeness < 1 || other.band == sense.band) &&
                                   (closeness < 2 || wordNet.synsets()[other.synset].lexFile == lexFile);
                if (!tried.contains(p) && close) positions.push_back(p);
            }
            if (tryAll(std::move(positions))) return true;
            if (to == pool.senses.size() && from == 0) break;
        }
        return false;
    }
};

// Where wrong answers are sought, closest first, each tier from the reach it opens at: the kin
// (kinTiers), then senses defined the same way ("the state of ...") or in the same terms, then
// kinds too broad to be kin, then senses nearby in rank. The list is read once for the category's
// typical words and once more for all.
const TierList<WrongAnswerSearch&> wrongAnswerTiers{Stage::wrongAnswerSearch, "where two wrong answers are sought", {
    // Under a grandparent of the right sense: a parent would make a sibling, which relatedness refuses.
    {"cousins, under a narrow grandparent", 0, [](WrongAnswerSearch& s) { return s.tryKin(kinTiers[0]); }},
    {"kin, under a narrow ancestor up to four steps up", 1, [](WrongAnswerSearch& s) { return s.tryKin(kinTiers[1]); }},
    // One over a large share of the category (artifact) is no kind.
    {"kin, under a particular ancestor up to four steps up", 2, [](WrongAnswerSearch& s) { return s.tryKin(kinTiers[2]); }},
    {"defined on the same noun", alikeReach, [](WrongAnswerSearch& s) { return s.trySameGenus(); }},
    // The wrong-definition rules refuse every sense this offers, as it shares a word with the right
    // definition; it stays for what its search leaves behind (the seeded order drawn on, the senses
    // marked tried), which shapes the later tiers' picks in the generated files.
    {"defined in the same terms", alikeReach, [](WrongAnswerSearch& s) { return s.trySameTerms(); }},
    {"under an ancestor too broad to be a kind", anythingReach,
     [](WrongAnswerSearch& s) { return s.tryKinds(s.particular, s.pool.senses.size(), kindSteps); }},
    {"nearby in rank, of the same lexicographer file and band", anythingReach,
     [](WrongAnswerSearch& s) { return s.tryNearby(2); }},
    {"nearby in rank, of the same band", anythingReach, [](WrongAnswerSearch& s) { return s.tryNearby(1); }},
    {"nearby in rank", anythingReach, [](WrongAnswerSearch& s) { return s.tryNearby(0); }},
}};

}  // namespace

Chosen CategoryQuestions::pickWrong(const Sense& sense, const Pool& pool,
                                    const std::function<bool(const Sense&, const Chosen&)>& accept) {
    WrongAnswerSearch search(m_wordNet, m_below, sense, pool, accept, m_askingWord, m_reach);
    for (const bool typical : {true, false}) {
        search.typicalOnly = typical;
        if (wrongAnswerTiers.firstFinding(m_reach, search)) return search.chosen;
    }
    return {};
}

bool CategoryQuestions::askWord(const Sense& sense, const Pool& pool, Question& out) {
    m_askingWord = true;
    std::string question = "Which word means: " + sense.definition + "?";
    if (!m_fit.question(question)) question = "Which word means: " + firstClause(sense.definition) + "?";
    if (wordQuestionRules.refuses(m_fit, sense, question)) return false;
    const WordQuestion asked(m_wordNet, m_fit, m_genusOf, sense, question);
    const Chosen wrong = pickWrong(sense, pool, [&](const Sense& other, const Chosen& chosen) {
        return acceptsWrongWord(asked, other, chosen);
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
    const std::string question = "What does " + sense.word + " mean?";
    const std::string right = definitionOnButton(m_fit, sense.definition);
    if (meaningQuestionRules.refuses(m_fit, right, question)) return false;
    const MeaningQuestion asked(m_wordNet, m_fit, m_giveaway, m_genusOf, m_below, sense, right);
    const Chosen wrong = pickWrong(sense, pool, [&](const Sense& other, const Chosen& chosen) {
        return acceptsWrongDefinition(asked, other, chosen);
    });
    if (wrong.empty()) return false;
    out.question = question;
    out.answers = {right, definitionOnButton(m_fit, wrong[0]->definition), definitionOnButton(m_fit, wrong[1]->definition)};
    out.answerSynsets = {sense.synset, wrong[0]->synset, wrong[1]->synset};
    out.asksMeaning = true;
    return true;
}

bool CategoryQuestions::describe(const Sense& sense, Question& out) {
    const Synset& synset = m_wordNet.synsets()[sense.synset];
    // The word first, then what it means, one example and its synonyms.
    std::string text = sense.word + ": " + sense.definition;
    if (text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
    if (panelRules.refuses(m_fit, text)) return false;
    const auto tryAdding = [&](const std::string& more) {
        const std::string longer = text + more;
        if (longer.size() > shortTextLimit || !m_fit.information(longer)) return false;
        text = longer;
        return true;
    };
    for (std::string_view example : synset.examples) {
        const std::string plain = GlossText::clean(example);
        if (!exampleRules.refuses(m_giveaway, sense, plain) && tryAdding("\n\"" + plain + "\"")) break;
    }
    std::string synonyms = "\nSynonyms: ";
    bool first = true;
    for (const SynsetWord& word : synset.words) {
        if (synonymRules.refuses(m_wordNet, sense, word)) continue;
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
    std::vector<Sense> senses = m_senseChoice.ranked(source);
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
            if (asked[rank] || askedSenseRules.refuses(senses[rank], m_reach)) continue;
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
