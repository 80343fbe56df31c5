// Wording::givesAway: when a text gives a word away by its spelling alone, without WordNet (see
// WordNetGiveaway for the reach through WordNet's forms). One ordered list of named checks of a
// word of the text against a word of the phrase asked; the first that finds the word shown is
// counted for the report.
#include <algorithm>
#include <utility>
#include <vector>

#include "tools/questions/RuleList.h"
#include "tools/questions/WordTables.h"
#include "tools/questions/Wording.h"

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

// Led by a prefix that is the common lead of many unrelated words: confide, confer.
bool ledByCommonLeadPrefix(std::string_view word) {
    return std::any_of(tables().commonLeadPrefixes.begin(), tables().commonLeadPrefixes.end(),
                       [&](std::string_view prefix) { return word.starts_with(prefix); });
}

// A word of the phrase asked, with what its forms are made of.
struct Part {
    explicit Part(const std::string& text) : text(text), stem(Wording::stem(text)), root(rootOf(text)) {
        // The words the part is made from by a suffix: "use" for useful, "act" for actress. A suffix
        // of a letter or two needs a longer word before it.
        for (std::string_view suffix : {"ful", "less", "ness", "ment", "ress", "ship", "hood", "able", "ible", "ist", "ity",
                                        "ive", "ous", "ize", "ise", "ism", "al", "ic", "er", "or", "ly"})
            if (text.ends_with(suffix)) {
                const std::string_view base = std::string_view(text).substr(0, text.size() - suffix.size());
                if (base.size() >= (suffix.size() < 3 ? 4u : 3u) && base != "the") madeFrom.emplace_back(base, suffix);
            }
        // A chemical's root, which another compound's name shows: "fluor" of fluoride in "hydrofluoric",
        // "brom" of bromide in "bromine", "sulf" of sulfate in "sulfur". A short root led by a prefix is
        // mostly the prefix ("confide", "confer").
        for (std::string_view ending : {"ide", "ine", "ate", "ite"})
            if (text.size() >= ending.size() + 4 && text.ends_with(ending)) {
                const std::string_view root = std::string_view(text).substr(0, text.size() - ending.size());
                if (!(root.size() < 6 && ledByCommonLeadPrefix(root))) chemicalRoot = root;
            }
        // A learned first part before its joining vowel, which leads a word of its root: "chemical"
        // gives away chemotaxis, "ascomycetous" ascocarp (not a prefix's: composite).
        learnedLead = ((text.size() >= 8 && text[4] == 'o') || (text.size() >= 7 && text[3] == 'o')) && !ledByCommonLeadPrefix(text);
        // A learned last part after its joining o, which leads a word with an o of its own:
        // "phagocyte" gives away macrophage.
        if (const size_t joint = text.rfind('o'); joint != std::string::npos && joint >= 3) {
            learnedTail = text.substr(joint + 1);
            if (learnedTail.ends_with('e')) learnedTail.pop_back();
            learnedTail = learnedTail.size() >= 4 ? learnedTail + "o" : std::string{};
        }
    }

    const std::string& text;
    const std::string stem, root;
    std::vector<std::pair<std::string_view, std::string_view>> madeFrom;  // base, suffix
    std::string_view chemicalRoot;
    bool learnedLead = false;
    std::string learnedTail;
};

// A word of the text, with its stem and its forms without an ending.
struct Candidate {
    explicit Candidate(const std::string& word)
        : word(word), stem(Wording::stem(word)), single(word.ends_with('s') ? word.substr(0, word.size() - 1) : word), base(stem) {
        for (std::string_view ending : {"ic", "ar"})
            if (base.size() >= ending.size() + 5 && base.ends_with(ending)) base.resize(base.size() - ending.size());
    }

    const std::string& word;
    const std::string stem;
    const std::string single;  // without a plural's s
    std::string base;          // the stem without -ic or -ar
};

const RuleList<const Part&, const Candidate&> spellingGiveaways{
    Stage::giveawayBySpelling, "a word of the text against a word asked", {
    {"the word itself", [](const Part& part, const Candidate& c) { return c.word == part.text; }},
    // A longer word holding it whole: "hemoglobin" for globin, "galactose" for lactose.
    {"a longer word holding it whole", [](const Part& part, const Candidate& c) {
         return part.text.size() >= 5 && c.word.size() > part.text.size() && c.word.find(part.text) != std::string::npos;
     }},
    // A root under a suffix of smallness, likeness or trade: "node" gives away nodule, "blue"
    // bluish, "bicycle" cyclist. A short root matches whole forms only.
    {"its root under a suffix of smallness, likeness or trade (root-suffixes)",
     [](const Part& part, const Candidate& c) {
         return !part.root.empty() &&
                (part.root.size() < 4 ? c.stem == part.root : c.stem.starts_with(part.root) || c.stem.ends_with(part.root));
     }},
    {"a word of such a suffix on its stem", [](const Part& part, const Candidate& c) {
         const std::string root = rootOf(c.word);
         return !root.empty() && root == part.stem;
     }},
    // Derived forms share all but the last letters of the word (evolve, evolution).
    {"all but its last letters", [](const Part& part, const Candidate& c) {
         if (part.text.size() < 4) return false;
         const auto mismatch = std::mismatch(part.text.begin(), part.text.end(), c.word.begin(), c.word.end());
         const auto shared = static_cast<size_t>(mismatch.first - part.text.begin());
         return shared >= std::max<size_t>(4, part.text.size() - 2) || shared >= 5;
     }},
    // A root whose e drops before a suffix: "sober" gives away sobriety, "center" centroid, "fiber" myofibril.
    {"a root whose e drops before a suffix", [](const Part& part, const Candidate& c) {
         return c.word.size() >= 5 && c.word.ends_with("er") && part.text.size() > c.word.size() &&
                part.text.find(c.word.substr(0, c.word.size() - 2) + "r") != std::string::npos;
     }},
    {"a chemical's root", [](const Part& part, const Candidate& c) {
         return !part.chemicalRoot.empty() && c.word.size() > part.chemicalRoot.size() &&
                c.word.find(part.chemicalRoot) != std::string::npos;
     }},
    {"a learned first part before its joining vowel", [](const Part& part, const Candidate& c) {
         return part.learnedLead && c.word.size() >= 5 && c.word.compare(0, 4, part.text, 0, 4) == 0;
     }},
    // The same learned last part after a joining vowel: "pericarp" gives away epicarp, "thermostat"
    // cryostat, "endoscope" proctoscope; or before it: "receptor" gives away exteroceptor.
    {"the same learned last part", [](const Part& part, const Candidate& c) {
         if (part.text.size() < 7 || c.word.size() < 7) return false;
         const auto tail = std::mismatch(part.text.rbegin(), part.text.rend(), c.word.rbegin(), c.word.rend());
         const auto shared = static_cast<size_t>(tail.first - part.text.rbegin());
         const size_t joint = part.text.size() - shared;
         if (shared >= 5 && joint > 0 && (part.text[joint] == 'o' || part.text[joint] == 'i') &&
             std::string_view("aeiou").find(part.text[joint + 1]) == std::string_view::npos)
             return true;
         return shared >= 6 && joint > 1 && part.text[joint - 1] == 'o';
     }},
    {"a learned last part after its joining o, leading a word", [](const Part& part, const Candidate& c) {
         return !part.learnedTail.empty() && c.word.size() >= 7 && c.word.starts_with(part.learnedTail);
     }},
    // An adjective made with -ed shows the short noun ending a compound: "hooded" gives away monkshood.
    {"an adjective in -ed, of the short noun ending a compound", [](const Part& part, const Candidate& c) {
         return c.word.ends_with("ed") && c.base.size() == 4 && part.text.size() >= 6 && part.text.ends_with(c.base);
     }},
    // A compound shows its parts, also as a plural: "cow" and "hide" give away "cowhide", "ants"
    // anthill; so does a longer word without its ending: "viruses" cytomegalovirus, "similar" assimilate.
    {"a part of a compound, or a longer word without its ending", [](const Part& part, const Candidate& c) {
         for (const std::string& shown : {c.word, c.single, c.base.size() >= 5 ? c.base : c.single})
             if (shown.size() >= 3 && part.text.size() >= shown.size() + 2 && !tables().linkingWords.contains(shown) &&
                 part.text.find(shown) != std::string::npos)
                 return true;
         return false;
     }},
    // A short part made an adjective: "nutlike" gives away nut grass, "doglike" hyena dog.
    {"a short part made an adjective", [](const Part& part, const Candidate& c) {
         for (std::string_view ending : {"like", "less", "ful"})
             if (c.word.size() == part.text.size() + ending.size() && c.word.starts_with(part.text) && c.word.ends_with(ending))
                 return true;
         return false;
     }},
    // A word made from one of the text's by a suffix: "use" gives away useful, "actor" actress, "norm" normal.
    {"the word it is made from by a suffix", [](const Part& part, const Candidate& c) {
         for (const auto& [base, suffix] : part.madeFrom) {
             const bool agent = suffix == "ress" && c.word.size() == base.size() + 2 &&
                                (c.word.ends_with("or") || c.word.ends_with("er"));
             if ((c.word == base || agent) && c.word.starts_with(base)) return true;
         }
         return false;
     }},
    // A learned root under its ending, leading or ending a longer word: "thymus" gives away
    // thymosin, "acidity" antacid.
    {"a learned root under its ending", [](const Part& part, const Candidate& c) {
         for (std::string_view ending : {"us", "um", "ity", "ic", "ia", "is"})
             if (c.word.size() >= ending.size() + 4 && c.word.ends_with(ending)) {
                 const std::string root = c.word.substr(0, c.word.size() - ending.size());
                 if (part.text.size() >= root.size() + 3 && (part.text.starts_with(root) || part.text.ends_with(root))) return true;
             }
         return false;
     }},
    // A learned first part joined by i to a noun's root: "cones" gives away conifer.
    {"a learned first part joined by i", [](const Part& part, const Candidate& c) {
         return c.single.size() >= 4 && c.single.ends_with('e') && part.text.size() >= c.single.size() + 3 &&
                part.text.starts_with(c.single.substr(0, c.single.size() - 1) + "i");
     }},
    // An office or state in -acy shows the word it is made on: "abbot" gives away abbacy.
    {"the word an office or state in -acy is made on", [](const Part& part, const Candidate& c) {
         return part.text.size() >= 6 && part.text.ends_with("acy") && c.word.size() >= part.text.size() - 1 &&
                c.word.starts_with(part.text.substr(0, part.text.size() - 3));
     }},
    // Short stems only match whole forms, so that "sea" does not catch "search".
    {"the same stem", [](const Part& part, const Candidate& c) {
         return part.stem.size() <= 3 ? c.stem == part.stem : c.word.starts_with(part.stem);
     }},
}};

}  // namespace

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
    std::vector<Candidate> candidates;
    for (const std::string& text : parts) {
        // Words too small to give a phrase away.
        if (text.size() < 3 || tables().linkingWords.contains(text)) continue;
        if (candidates.empty())
            for (const std::string& candidate : textWords) candidates.emplace_back(candidate);
        const Part part(text);
        for (const Candidate& candidate : candidates)
            if (spellingGiveaways.refuses(part, candidate)) return true;
    }
    return false;
}

}  // namespace questions
