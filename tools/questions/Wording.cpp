#include "tools/questions/Wording.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "tools/questions/WordNet.h"
#include "tools/questions/WordTables.h"

namespace questions {

namespace {

const WordTables& tables() { return WordTables::loaded(); }

// The root a suffix of smallness, likeness, trade or agency is added to ("nod" of nodule, "blu" of
// bluish, "cycl" of cyclist, "red" of reddish, "dilu" of diluent), or nothing.
std::string rootOf(std::string_view word) {
    for (const auto& [suffix, shortestRoot] : tables().rootSuffixes)
        if (word.size() >= suffix.size() + shortestRoot && word.ends_with(suffix)) {
            std::string root(word.substr(0, word.size() - suffix.size()));
            // A doubled consonant before the suffix is the suffix's: "redd" of reddish is "red".
            if (root.size() >= 4 && root.back() == root[root.size() - 2]) root.pop_back();
            return root;
        }
    return {};
}

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

std::vector<std::string> Wording::tokens(std::string_view text) {
    std::vector<std::string> out;
    std::string current;
    for (char c : text) {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower >= 'a' && lower <= 'z') {
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

bool Wording::givesAway(std::string_view text, std::string_view word) {
    const std::vector<std::string> textWords = tokens(text);
    std::vector<std::string> parts = tokens(word);
    // A word negated by its prefix shows in its root too: "memory" gives away immemorial,
    // "chondrules" achondrite. A root after a bare "a" is longer, so that abroad is not broad.
    for (size_t i = 0, count = parts.size(); i < count; ++i)
        for (const auto& [negation, shortestRoot] : {std::pair<std::string_view, size_t>{"im", 5}, {"in", 5}, {"il", 5}, {"ir", 5},
                                                     {"un", 4}, {"non", 5}, {"dis", 5}, {"a", 7}})
            if (parts[i].starts_with(negation) && parts[i].size() >= negation.size() + shortestRoot)
                parts.push_back(parts[i].substr(negation.size()));
    // So does the root of a word of what can be done: "solved" gives away solvable.
    for (size_t i = 0, count = parts.size(); i < count; ++i)
        if ((parts[i].ends_with("able") || parts[i].ends_with("ible")) && parts[i].size() >= 8)
            parts.push_back(parts[i].substr(0, parts[i].size() - 4));
    for (const std::string& part : parts) {
        if (part.size() < 3 || tables().linkingWords.contains(part)) continue;
        const std::string partStem = stem(part), partRoot = rootOf(part);
        // The words the part is made from by a suffix: "use" for useful, "act" for actress. A suffix
        // of a letter or two needs a longer word before it.
        std::vector<std::pair<std::string_view, std::string_view>> madeFrom;  // base, suffix
        for (std::string_view suffix : {"ful", "less", "ness", "ment", "ress", "ship", "hood", "able", "ible", "ist", "ity",
                                        "ive", "ous", "ize", "ise", "ism", "al", "ic", "er", "or", "ly"})
            if (part.ends_with(suffix)) {
                const std::string_view base = std::string_view(part).substr(0, part.size() - suffix.size());
                if (base.size() >= (suffix.size() < 3 ? 4u : 3u) && base != "the") madeFrom.emplace_back(base, suffix);
            }
        // A chemical's root, which another compound's name shows: "fluor" of fluoride in "hydrofluoric",
        // "brom" of bromide in "bromine", "sulf" of sulfate in "sulfur". A short root led by a prefix is
        // mostly the prefix ("confide", "confer").
        std::string_view chemicalRoot;
        for (std::string_view ending : {"ide", "ine", "ate", "ite"})
            if (part.size() >= ending.size() + 4 && part.ends_with(ending)) {
                const std::string_view root = std::string_view(part).substr(0, part.size() - ending.size());
                const bool prefixed = root.size() < 6 && std::any_of(tables().latinPrefixes.begin(), tables().latinPrefixes.end(),
                                                                     [&](std::string_view prefix) { return root.starts_with(prefix); });
                if (!prefixed) chemicalRoot = root;
            }
        // A learned first part before its joining vowel, which leads a word of its root: "chemical"
        // gives away chemotaxis, "ascomycetous" ascocarp (not a prefix's: composite).
        const bool learnedLead = ((part.size() >= 8 && part[4] == 'o') || (part.size() >= 7 && part[3] == 'o')) &&
                                 std::none_of(tables().latinPrefixes.begin(), tables().latinPrefixes.end(),
                                              [&](std::string_view prefix) { return part.starts_with(prefix); });
        // A learned last part after its joining o, which leads a word with an o of its own:
        // "phagocyte" gives away macrophage.
        std::string learnedTail;
        if (const size_t joint = part.rfind('o'); joint != std::string::npos && joint >= 3) {
            learnedTail = part.substr(joint + 1);
            if (learnedTail.ends_with('e')) learnedTail.pop_back();
            learnedTail = learnedTail.size() >= 4 ? learnedTail + "o" : std::string{};
        }
        for (const std::string& candidate : textWords) {
            if (candidate == part) return true;
            // A longer word holding it whole: "hemoglobin" for globin, "galactose" for lactose.
            if (part.size() >= 5 && candidate.size() > part.size() && candidate.find(part) != std::string::npos) return true;
            // A root under a suffix of smallness, likeness or trade: "node" gives away nodule, "blue"
            // bluish, "bicycle" cyclist. A short root matches whole forms only.
            const std::string candidateStem = stem(candidate);
            if (!partRoot.empty() && (partRoot.size() < 4 ? candidateStem == partRoot
                                                          : candidateStem.starts_with(partRoot) ||
                                                                candidateStem.ends_with(partRoot)))
                return true;
            if (const std::string root = rootOf(candidate); !root.empty() && root == partStem) return true;
            // Derived forms share all but the last letters of the word (evolve, evolution).
            if (part.size() >= 4) {
                const auto mismatch = std::mismatch(part.begin(), part.end(), candidate.begin(), candidate.end());
                const auto shared = static_cast<size_t>(mismatch.first - part.begin());
                if (shared >= std::max<size_t>(4, part.size() - 2) || shared >= 5) return true;
            }
            // A root whose e drops before a suffix: "sober" gives away sobriety, "center" centroid,
            // "fiber" myofibril.
            if (candidate.size() >= 5 && candidate.ends_with("er") && part.size() > candidate.size() &&
                part.find(candidate.substr(0, candidate.size() - 2) + "r") != std::string::npos)
                return true;
            if (!chemicalRoot.empty() && candidate.size() > chemicalRoot.size() &&
                candidate.find(chemicalRoot) != std::string::npos)
                return true;
            if (learnedLead && candidate.size() >= 5 && candidate.compare(0, 4, part, 0, 4) == 0) return true;
            // The same learned last part after a joining vowel: "pericarp" gives away epicarp,
            // "thermostat" cryostat, "endoscope" proctoscope.
            if (part.size() >= 7 && candidate.size() >= 7) {
                const auto tail = std::mismatch(part.rbegin(), part.rend(), candidate.rbegin(), candidate.rend());
                const auto shared = static_cast<size_t>(tail.first - part.rbegin());
                const size_t joint = part.size() - shared;
                if (shared >= 5 && joint > 0 && (part[joint] == 'o' || part[joint] == 'i') &&
                    std::string_view("aeiou").find(part[joint + 1]) == std::string_view::npos)
                    return true;
                // Or before it: "receptor" gives away exteroceptor.
                if (shared >= 6 && joint > 1 && part[joint - 1] == 'o') return true;
            }
            if (!learnedTail.empty() && candidate.size() >= 7 && candidate.starts_with(learnedTail)) return true;
            // A compound shows its parts, also as a plural: "cow" and "hide" give away "cowhide", "ants" anthill;
            // so does a longer word without its ending: "viruses" cytomegalovirus, "similar" assimilate.
            const std::string single = candidate.ends_with('s') ? candidate.substr(0, candidate.size() - 1) : candidate;
            std::string base = candidateStem;
            for (std::string_view ending : {"ic", "ar"})
                if (base.size() >= ending.size() + 5 && base.ends_with(ending)) base.resize(base.size() - ending.size());
            // An adjective made with -ed shows the short noun ending a compound: "hooded" gives away
            // monkshood.
            if (candidate.ends_with("ed") && base.size() == 4 && part.size() >= 6 && part.ends_with(base)) return true;
            for (const std::string& shown : {candidate, single, base.size() >= 5 ? base : single})
                if (shown.size() >= 3 && part.size() >= shown.size() + 2 && !tables().linkingWords.contains(shown) &&
                    part.find(shown) != std::string::npos)
                    return true;
            // A short part made an adjective: "nutlike" gives away nut grass, "doglike" hyena dog.
            for (std::string_view ending : {"like", "less", "ful"})
                if (candidate.size() == part.size() + ending.size() && candidate.starts_with(part) && candidate.ends_with(ending))
                    return true;
            // A word made from one of the text's by a suffix: "use" gives away useful, "actor" actress,
            // "norm" normal.
            for (const auto& [base, suffix] : madeFrom) {
                const bool agent = suffix == "ress" && candidate.size() == base.size() + 2 &&
                                   (candidate.ends_with("or") || candidate.ends_with("er"));
                if ((candidate == base || agent) && candidate.starts_with(base)) return true;
            }
            // A learned root under its ending, leading or ending a longer word: "thymus" gives away
            // thymosin, "acidity" antacid.
            for (std::string_view ending : {"us", "um", "ity", "ic", "ia", "is"})
                if (candidate.size() >= ending.size() + 4 && candidate.ends_with(ending)) {
                    const std::string root = candidate.substr(0, candidate.size() - ending.size());
                    if (part.size() >= root.size() + 3 && (part.starts_with(root) || part.ends_with(root))) return true;
                }
            // A learned first part joined by i to a noun's root: "cones" gives away conifer.
            if (single.size() >= 4 && single.ends_with('e') && part.size() >= single.size() + 3 &&
                part.starts_with(single.substr(0, single.size() - 1) + "i"))
                return true;
            // An office or state in -acy shows the word it is made on: "abbot" gives away abbacy.
            if (part.size() >= 6 && part.ends_with("acy") && candidate.size() >= part.size() - 1 &&
                candidate.starts_with(part.substr(0, part.size() - 3)))
                return true;
            // Short stems only match whole forms, so that "sea" does not catch "search".
            if (partStem.size() <= 3 ? candidateStem == partStem : candidate.starts_with(partStem)) return true;
        }
    }
    return false;
}

bool Wording::hasOnlyFontCharacters(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '\n' || (c >= 32 && c < 127); });
}

bool Wording::isLeftOut(const WordNet& wordNet, const Synset& synset) {
    if (tables().contradictedSenses.contains(lowered(synset.words.front().lemma))) return true;
    for (int domain : synset.usageDomains)
        for (const SynsetWord& word : wordNet.synsets()[domain].words)
            if (tables().leftOutDomainRegisters.contains(lowered(word.lemma))) return true;
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
