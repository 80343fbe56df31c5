#include "tools/questions/Wording.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "tools/questions/WordNet.h"
#include "tools/questions/WordTables.h"

namespace questions {

namespace {

const WordTables& tables() { return WordTables::loaded(); }

}  // namespace

std::string Wording::lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string Wording::shown(std::string_view lemma) {
    std::string out(lemma);
    std::replace(out.begin(), out.end(), '_', ' ');
    return out;
}

bool Wording::isPlainWord(std::string_view lemma) {
    if (lemma.empty() || lemma.front() < 'a' || lemma.front() > 'z') return false;
    return std::all_of(lemma.begin(), lemma.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || c == '_' || c == ' ' || c == '-' || c == '\''; });
}

std::vector<std::string> Wording::tokens(std::string_view text, std::string_view alsoInWords) {
    std::vector<std::string> out;
    std::string current;
    for (char c : text) {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if ((lower >= 'a' && lower <= 'z') || alsoInWords.find(c) != std::string_view::npos) {
            current += lower;
        } else if (!current.empty()) {
            out.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) out.push_back(std::move(current));
    return out;
}

std::string Wording::stem(std::string_view word) {
    std::string out = lowered(word);
    for (std::string_view ending : tables().stemEndings) {
        if (out.size() >= ending.size() + 3 && out.ends_with(ending)) {
            out.resize(out.size() - ending.size());
            // A doubled consonant before the ending belongs to it (running, stopped).
            const size_t n = out.size();
            if (n >= 4 && out[n - 1] == out[n - 2] && std::string_view("aeiouls").find(out[n - 1]) == std::string_view::npos)
                out.pop_back();
            break;
        }
    }
    // A final y or e changes in derived forms (happy, happiness; make, making).
    if (out.size() >= 4 && (out.back() == 'y' || out.back() == 'e')) out.pop_back();
    return out;
}

bool Wording::hasOnlyFontCharacters(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '\n' || (c >= 32 && c < 127); });
}

bool Wording::isLeftOut(const WordNet& wordNet, const Synset& synset) {
    if (tables().contradictedSenses.contains(lowered(synset.words.front().lemma))) return true;
    for (int domain : synset.usageDomains)
        for (const SynsetWord& word : wordNet.synsets()[domain].words)
            if (tables().leftOutRegisters.contains(shown(lowered(word.lemma)))) return true;
    if (hasBlockedWord(synset.definition)) return true;
    for (const SynsetWord& word : synset.words)
        if (hasBlockedWord(word.lemma)) return true;
    return false;
}

bool Wording::isUnsuitableExample(std::string_view text) {
    if (hasBlockedWord(text)) return true;
    for (std::string_view scene : tables().blockedScenes)
        if (text.find(scene) != std::string_view::npos) return true;
    for (const std::string& word : tokens(text))
        if (tables().blockedInExamples.contains(word)) return true;
    return false;
}

bool Wording::hasBlockedWord(std::string_view text) {
    for (const std::string& word : tokens(text))
        if (tables().blockedWords.contains(word)) return true;
    return false;
}

}  // namespace questions
