#include "tools/questions/QuestionAudit.h"

#include <algorithm>
#include <cstdlib>
#include <iomanip>
#include <set>

#include "tools/questions/CategoryTable.h"
#include "tools/questions/Commonness.h"
#include "tools/questions/WordNet.h"

namespace questions {

namespace {

std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> out(1);
    for (char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            out.back() += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!out.back().empty()) {
            out.emplace_back();
        }
    }
    if (out.back().empty()) out.pop_back();
    return out;
}

std::string root(std::string word) {
    for (const char* ending : {"ations", "ation", "itions", "ition", "ants", "ant", "ents", "ent", "ances", "ance",
                               "ences", "ence", "ings", "ing", "ers", "er", "ors", "or", "ions", "ion", "ments",
                               "ment", "ness", "ity", "ive", "ies", "ied", "ed", "es", "s", "al", "ly", "y", "e"}) {
        const std::string_view end(ending);
        if (word.size() >= end.size() + 4 && word.ends_with(end)) {
            word.resize(word.size() - end.size());
            break;
        }
    }
    return word;
}

size_t sharedPrefix(const std::string& a, const std::string& b) {
    return static_cast<size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

std::string definitionOf(const Question& question) {
    if (question.asksMeaning) return question.answers[0];
    std::string text = question.question.substr(question.question.find(':') + 2);
    if (!text.empty()) text.pop_back();
    return text;
}

}  // namespace

bool QuestionAudit::hasDomainLabel(const std::string& text) {
    // "(physics) ..." at the start of a text or of a definition after "word: " in the panel.
    for (size_t at = text.find('('); at != std::string::npos; at = text.find('(', at + 1)) {
        const bool leading = at == 0 || text.compare(at >= 2 ? at - 2 : 0, 2, ": ") == 0 || text[at - 1] == '\n';
        const size_t close = text.find(')', at);
        if (leading && close != std::string::npos && close + 1 < text.size() && text[close + 1] == ' ') return true;
    }
    return false;
}

bool QuestionAudit::hasTexQuote(const std::string& text) {
    return text.find('`') != std::string::npos || text.find("''") != std::string::npos;
}

bool QuestionAudit::hasMissingSpace(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if ((text[i] == ',' || text[i] == ';') && std::isalpha(static_cast<unsigned char>(text[i + 1]))) return true;
    return false;
}

bool QuestionAudit::isWordOf(const std::string& text, const std::string& word) {
    const std::vector<std::string> textWords = wordsOf(text), answerWords = wordsOf(word);
    if (answerWords.empty()) return false;
    return std::search(textWords.begin(), textWords.end(), answerWords.begin(), answerWords.end()) != textWords.end();
}

bool QuestionAudit::sharesStem(const std::string& definition, const std::string& word) const {
    std::vector<std::string> forms = wordsOf(word);
    // The word's derivational relatives, read from the links themselves.
    std::string lemma = word;
    std::replace(lemma.begin(), lemma.end(), ' ', '_');
    for (char partOfSpeech : {'n', 'v', 'a'})
        for (int id : m_wordNet.synsetsOf(partOfSpeech, lemma)) {
            const Synset& synset = m_wordNet.synsets()[id];
            for (const Derivation& link : synset.derivations)
                if (link.word < static_cast<int>(synset.words.size()) && synset.words[link.word].lemma == lemma)
                    for (const std::string& part : wordsOf(std::string(m_wordNet.synsets()[link.target].words[link.targetWord].lemma)))
                        forms.push_back(part);
        }
    for (const std::string& form : forms) {
        if (form.size() < 4) continue;
        for (const std::string& other : wordsOf(definition)) {
            if (other.size() < 4) continue;
            if (root(other) == root(form) || sharedPrefix(form, other) >= 5) return true;
        }
    }
    return false;
}

bool QuestionAudit::sensesNear(int first, int second) const {
    const auto& synsets = m_wordNet.synsets();
    const auto within = [&](int from, int to) {
        std::vector<int> level{from};
        for (int step = 0; step < 2; ++step) {
            std::vector<int> up;
            for (int id : level) up.insert(up.end(), synsets[id].hypernyms.begin(), synsets[id].hypernyms.end());
            if (std::find(up.begin(), up.end(), to) != up.end()) return true;
            level = up;
        }
        return false;
    };
    if (first == second || within(first, second) || within(second, first)) return true;
    const Synset& a = synsets[first];
    for (const auto* list : {&a.similar, &a.alsoSee, &a.verbGroup})
        if (std::find(list->begin(), list->end(), second) != list->end()) return true;
    return std::any_of(a.derivations.begin(), a.derivations.end(), [second](const Derivation& d) { return d.target == second; });
}

bool QuestionAudit::nearlyRelated(char partOfSpeech, const std::string& first, const std::string& second) const {
    for (int a : m_wordNet.synsetsOf(partOfSpeech, first))
        for (int b : m_wordNet.synsetsOf(partOfSpeech, second))
            if (sensesNear(a, b)) return true;
    return false;
}

bool QuestionAudit::isFragment(const std::string& definition, char partOfSpeech) {
    const std::vector<std::string> words = wordsOf(definition);
    if (words.empty()) return true;
    // The text's own last word, digits and brackets kept: "between 20 and 30" and "(of)" end whole.
    static const std::set<std::string> dangling{"or", "and", "of", "the", "a", "an", "to", "by", "with", "as", "such"};
    const std::string last = definition.substr(definition.find_last_of(' ') == std::string::npos ? 0 : definition.find_last_of(' ') + 1);
    if (dangling.contains(last)) return true;
    if (partOfSpeech != 'n') return false;
    // A noun's gloss that is a sentence: "leaves can be used ...".
    static const std::set<std::string> verbs{"can", "may", "are", "is", "sometimes", "should"};
    if (words.size() > 1 && verbs.contains(words[1])) return true;
    static const std::set<std::string> openers{"eaten", "used", "grown", "cooked", "served", "usually", "often",
                                               "especially", "typically", "found", "known", "called", "about"};
    if (partOfSpeech == 'n' && words.front() == "of" && definition.starts_with("of ") &&
        definition.find(':') == std::string::npos)
        return true;
    return openers.contains(words.front()) && definition.compare(0, words.front().size(), words.front()) == 0;
}

AuditCounts QuestionAudit::count(const std::vector<Question>& questions) const {
    AuditCounts counts;
    std::set<std::string> texts, rightWords;
    for (const Question& question : questions) {
        ++counts.questions;
        const std::string definition = definitionOf(question);
        const char partOfSpeech = m_wordNet.synsets()[question.synset].partOfSpeech();
        std::string lemma = question.word;
        std::replace(lemma.begin(), lemma.end(), ' ', '_');
        bool label = false, tex = false, space = false;
        for (const std::string* text : {&question.question, &question.answers[0], &question.answers[1], &question.answers[2],
                                        &question.information}) {
            label = label || hasDomainLabel(*text);
            tex = tex || hasTexQuote(*text);
            space = space || hasMissingSpace(*text);
        }
        counts.domainLabels += label;
        counts.texQuotes += tex;
        counts.missingSpaces += space;
        counts.panelsWithoutWord += !question.information.starts_with(question.word + ":");
        counts.stemGiveaways += sharesStem(definition, question.word);
        counts.fragments += isFragment(definition, partOfSpeech);
        for (int w = 1; w < 3 && question.asksMeaning; ++w) counts.fragments += isFragment(question.answers[w], partOfSpeech);
        bool inQuestion = false, sharesSynset = false, near = false;
        for (int w = 1; w < 3; ++w) {
            if (question.asksMeaning) {
                // The wrong definition's sense against every sense of the asked word.
                for (int meaning : m_wordNet.synsetsOf(partOfSpeech, lemma)) {
                    sharesSynset = sharesSynset || meaning == question.answerSynsets[w];
                    near = near || sensesNear(meaning, question.answerSynsets[w]);
                }
                continue;
            }
            std::string wrong = question.answers[w];
            inQuestion = inQuestion || isWordOf(question.question, wrong);
            std::replace(wrong.begin(), wrong.end(), ' ', '_');
            for (int a : m_wordNet.synsetsOf(partOfSpeech, lemma))
                for (int b : m_wordNet.synsetsOf(partOfSpeech, wrong)) sharesSynset = sharesSynset || a == b;
            near = near || nearlyRelated(partOfSpeech, lemma, wrong);
        }
        counts.wrongInQuestion += inQuestion;
        counts.wrongSharesSynset += sharesSynset;
        counts.nearRelations += near;
        counts.repeatedTexts += !texts.insert(question.question).second;
        counts.repeatedWords += !rightWords.insert(question.word).second;
    }
    return counts;
}

void QuestionAudit::print(const QuestionSet& set, std::ostream& out) const {
    std::vector<Question> practice;
    for (const Category& category : set.categories)
        for (const Subsection& subsection : category.subsections)
            practice.insert(practice.end(), subsection.questions.begin(), subsection.questions.end());
    const AuditCounts test = count(set.test), all = count(practice);
    out << std::fixed << std::setprecision(2);
    const auto row = [&](const char* name, size_t AuditCounts::*field, bool testOnly = false) {
        out << "  " << std::left << std::setw(46) << name << std::right << std::setw(5) << test.*field << " ("
            << std::setw(5) << 100.0 * static_cast<double>(test.*field) / static_cast<double>(test.questions) << "/100)";
        if (!testOnly)
            out << std::setw(7) << all.*field << " (" << std::setw(5)
                << 100.0 * static_cast<double>(all.*field) / static_cast<double>(all.questions) << "/100)";
        out << "\n";
    };
    out << "defects, counted apart from the generator's rules: test (" << test.questions << "), practice ("
        << all.questions << ")\n";
    row("domain labels", &AuditCounts::domainLabels);
    row("TeX quotes", &AuditCounts::texQuotes);
    row("missing spaces after , or ;", &AuditCounts::missingSpaces);
    row("repeated test texts", &AuditCounts::repeatedTexts, true);
    row("repeated test right words", &AuditCounts::repeatedWords, true);
    row("wrong answers that are words of the question", &AuditCounts::wrongInQuestion);
    row("wrong answers sharing a synset with the right", &AuditCounts::wrongSharesSynset);
    row("panels not naming the word first", &AuditCounts::panelsWithoutWord);
    row("stem giveaways", &AuditCounts::stemGiveaways);
    row("near relations (two steps, links)", &AuditCounts::nearRelations);
    row("fragment definitions", &AuditCounts::fragments);
    out << "\nwrong answers per subsection: from the right word's category and part of speech / from its commonness band"
           " / from its band or the next\n";
    const auto sources = categorySources();
    for (size_t c = 0; c < set.categories.size(); ++c) {
        std::set<int> lexFiles;
        for (std::string_view name : sources[c].lexFiles) lexFiles.insert(WordNet::lexFileNumber(name));
        out << "  " << set.categories[c].name << ":";
        for (const Subsection& subsection : set.categories[c].subsections) {
            size_t wrong = 0, sameKind = 0, sameBand = 0, nearBand = 0;
            for (const Question& question : subsection.questions) {
                const Synset& right = m_wordNet.synsets()[question.synset];
                const int band = m_commonness.band(question.word);
                for (int w = 1; w < 3; ++w) {
                    const Synset& other = m_wordNet.synsets()[question.answerSynsets[w]];
                    ++wrong;
                    sameKind += lexFiles.contains(other.lexFile) && other.partOfSpeech() == right.partOfSpeech();
                    // A meaning question's wrong answers are definitions: the band of the word they define.
                    std::string word(other.words.front().lemma);
                    if (!question.asksMeaning) word = question.answers[w];
                    int best = 0;
                    for (const SynsetWord& candidate : other.words)
                        if (question.asksMeaning) best = std::max(best, m_commonness.band(std::string(candidate.lemma)));
                    const int otherBand = question.asksMeaning ? best : m_commonness.band(word);
                    sameBand += otherBand == band;
                    nearBand += std::abs(otherBand - band) <= 1;
                }
            }
            out << " " << std::setprecision(0) << 100.0 * static_cast<double>(sameKind) / static_cast<double>(wrong) << "%/"
                << 100.0 * static_cast<double>(sameBand) / static_cast<double>(wrong) << "%/"
                << 100.0 * static_cast<double>(nearBand) / static_cast<double>(wrong) << "%";
        }
        out << std::setprecision(2) << "\n";
    }
}

}  // namespace questions
