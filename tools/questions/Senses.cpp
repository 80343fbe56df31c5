#include "tools/questions/Senses.h"

#include <algorithm>

#include "tools/questions/WordNet.h"
#include "tools/questions/WordTables.h"
#include "tools/questions/Wording.h"

namespace questions {

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

std::string bareClass(std::string_view definition) {
    std::string_view head = definition.substr(0, definition.find("; "));
    for (std::string_view article : {"a ", "an ", "the "})
        if (head.starts_with(article)) head.remove_prefix(article.size());
    return std::string(head);
}

std::vector<std::string> contentStems(std::string_view definition) {
    std::vector<std::string> stems;
    for (const std::string& word : Wording::tokens(definition))
        if (word.size() >= 4 && !WordTables::loaded().commonDefinitionWords.contains(word)) stems.push_back(Wording::stem(word));
    std::sort(stems.begin(), stems.end());
    stems.erase(std::unique(stems.begin(), stems.end()), stems.end());
    return stems;
}

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

// "a short time" against "a very short time (as ...)", "dye with wax" against "color with a liquid dye".
bool definedAlike(const std::vector<std::string>& first, const std::vector<std::string>& second) {
    const size_t shared = sharedCount(first, second);
    return shared > 0 && shared * 2 >= std::min(first.size(), second.size());
}

std::vector<std::string> termsOf(const Synset& synset) {
    std::string terms(synset.definition);
    for (const SynsetWord& word : synset.words) terms += " " + Wording::shown(word.lemma);
    return contentStems(terms);
}

std::string genusOf(const WordNet& wordNet, std::string_view definition) {
    const std::vector<std::string> words = Wording::tokens(definition, "-");
    // Of the first four words.
    for (size_t seen = 0; seen < words.size() && seen < 4; ++seen) {
        // A plural genus ("attributes") counts as its singular.
        std::string singular = words[seen];
        if (wordNet.synsetsOf('n', singular).empty() && singular.ends_with("s")) singular.pop_back();
        // Words any definition may start with name no kind.
        if (singular.size() > 3 && !wordNet.synsetsOf('n', singular).empty() && wordNet.synsetsOf('a', singular).empty())
            return !WordTables::loaded().vagueGenusWords.contains(singular) ? singular : std::string{};
    }
    return {};
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

bool overlap(const std::string& first, const std::string& second) {
    return Wording::givesAway(first, second) || Wording::givesAway(second, first);
}

bool isNumeral(const WordNet& wordNet, int synset, std::string_view lemma) {
    return wordNet.isNumber(synset) && lemma.find_first_not_of("ivxlcdm") == std::string_view::npos;
}

bool isMisfiled(const Synset& synset, std::string_view lemma) {
    const WordPairs& misfiledSynonyms = WordTables::loaded().misfiledSynonyms;
    return std::any_of(misfiledSynonyms.begin(), misfiledSynonyms.end(), [&](const auto& misfiled) {
        return misfiled.second == lemma && std::any_of(synset.words.begin(), synset.words.end(),
                                                       [&](const SynsetWord& word) { return word.lemma == misfiled.first; });
    });
}

bool isPluralHeadword(const WordNet& wordNet, std::string_view lemma) {
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

bool isPluralOfANoun(const WordNet& wordNet, const std::string& word) {
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

bool spelledAlike(std::string_view a, std::string_view b) {
    if (a.size() < b.size()) std::swap(a, b);
    if (a == b || a.size() - b.size() > 1) return false;
    const size_t same = static_cast<size_t>(std::mismatch(b.begin(), b.end(), a.begin()).first - b.begin());
    return a.substr(same + 1) == b.substr(std::min(b.size(), same + (a.size() == b.size() ? 1 : 0)));
}

}  // namespace questions
