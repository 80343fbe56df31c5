#include "tools/questions/WordNetGiveaway.h"

#include <algorithm>

#include "tools/questions/RuleList.h"
#include "tools/questions/Senses.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/WordTables.h"
#include "tools/questions/Wording.h"

namespace questions {

namespace {

// A text and the lemma it may give away.
struct Shown {
    Shown(const WordNetGiveaway& giveaway, std::string_view text, const std::string& lemma)
        : giveaway(giveaway), wordNet(giveaway.wordNet()), text(text), lemma(lemma), words(Wording::tokens(text)),
          parts(Wording::tokens(lemma)), phrase(lemma.find_first_of("_ ") != std::string::npos),
          whole(Wording::lowered(lemma)) {}

    // A word of the text passes the test.
    template <class Test>
    bool shows(const Test& test) const {
        return std::any_of(words.begin(), words.end(), test);
    }
    // A word of the text ends a compound with the part, also as a plural: "limb" in "forelimb", "ray"
    // in "stingrays", though not "thing" in "something".
    bool endsACompound(const std::string& part) const {
        return shows([&](const std::string& word) {
            const std::string single = word.ends_with('s') ? word.substr(0, word.size() - 1) : word;
            if (single.size() < part.size() + 4 || !single.ends_with(part)) return false;
            const std::string lead = single.substr(0, single.size() - part.size());
            return lead != "some" && lead != "every" && isWord(wordNet, lead);
        });
    }

    const WordNetGiveaway& giveaway;
    const WordNet& wordNet;
    std::string_view text;
    const std::string& lemma;
    const std::vector<std::string> words, parts;  // of the text, of the lemma
    const bool phrase;
    const std::string whole;  // the lemma, lower case
};

const RuleList<const Shown&> giveaways{Stage::giveawayByWordNet, "a text against the word it may show", {
    {"its spelling (Wording::givesAway)", [](const Shown& s) {
         return Wording::givesAway(s.text, Wording::shown(s.lemma));
     }},
    // A name spelled all but alike past its first letter: "Styrax" for storax.
    {"a name spelled all but alike past its first letter", [](const Shown& s) {
         return !s.phrase && s.whole.size() >= 5 && s.shows([&](const std::string& word) {
             return word[0] == s.whole[0] && spelledAlike(word, s.whole);
         });
     }},
    // A root English spells two ways: "vinegar" for vinaigrette, "sated" for satiable.
    {"a root spelled the other way (two-spellings)", [](const Shown& s) {
         for (const auto& spelling : WordTables::loaded().twoSpellings)
             if (s.whole.starts_with(spelling.first) &&
                 s.shows([&](const std::string& word) { return word.starts_with(spelling.second); }))
                 return true;
         return false;
     }},
    // A word led by the same four letters, or by those of its root past a prefix, where they are no
    // prefix's: "stable" for stabilize, "calyx" for calyptra, "puberty" for prepubescent.
    {"a word led by its first four letters, or its root's past a prefix", [](const Shown& s) {
         std::string_view root = s.whole;
         while (root.size() >= 5 && WordTables::loaded().prefixes.contains(root.substr(0, 3))) root.remove_prefix(3);
         return !s.phrase && root.size() >= 5 &&
                s.shows([&](const std::string& word) { return word != s.whole && word.starts_with(root.substr(0, 4)); });
     }},
    // Even a little word of a phrase shows, when the definition repeats it whole: "into" in "eat
    // into", "being" in "well-being"; so does a short word asked alone ("be unsuccessful" for be).
    {"a word of it repeated whole, or a short word asked alone", [](const Shown& s) {
         const size_t shortest = s.phrase ? 4 : 2;
         for (const std::string& part : s.parts)
             if (part.size() >= shortest && s.shows([&](const std::string& word) { return word == part; })) return true;
         return false;
     }},
    // A word the text ends a compound with: "limb" in "forelimb".
    {"a word of it ending a compound of the text", [](const Shown& s) {
         return std::any_of(s.parts.begin(), s.parts.end(),
                            [&](const std::string& part) { return part.size() >= 3 && s.endsACompound(part); });
     }},
    {"a derived form", [](const Shown& s) {
         for (const std::string& form : s.wordNet.derivedForms(s.lemma))
             if (Wording::givesAway(s.text, Wording::shown(form))) return true;
         return false;
     }},
    // A phrase of two written as one word: "rowboat" for rowing boat.
    {"a phrase of two written as one word", [](const Shown& s) {
         if (s.parts.size() != 2) return false;
         for (const std::string& joined : {s.parts[0] + s.parts[1], Wording::stem(s.parts[0]) + s.parts[1]})
             for (const std::string& word : s.words)
                 if (word == joined || word == joined + "s") return true;
         return false;
     }},
    // The root of a word of a phrase: "tide" for tidal river, "crimes" for criminal record.
    {"the root of a word of a phrase", [](const Shown& s) {
         if (!s.phrase) return false;
         for (const std::string& part : s.parts)
             if (part.size() >= 4)
                 for (const std::string& form : s.wordNet.derivedForms(part))
                     if (form.size() < part.size() && Wording::givesAway(s.text, Wording::shown(form))) return true;
         return false;
     }},
    // A form of a word that a closed compound is made of: "sidelines" for touchline.
    {"a form of a word a closed compound is made of", [](const Shown& s) {
         if (s.phrase) return false;
         for (const std::string& form : s.giveaway.compoundParts(s.lemma).forms)
             if (Wording::givesAway(s.text, Wording::shown(form))) return true;
         return false;
     }},
    // A closed compound's last word ending another compound.
    {"a closed compound's last word ending another compound", [](const Shown& s) {
         if (s.phrase) return false;
         const auto& lastWords = s.giveaway.compoundParts(s.lemma).lastWords;
         return std::any_of(lastWords.begin(), lastWords.end(), [&](const std::string& last) { return s.endsACompound(last); });
     }},
    // A closed compound whose two halves both show, however its lead is spelled there: "a herder of
    // sheep" for shepherd.
    {"both halves of a closed compound", [](const Shown& s) {
         if (s.phrase) return false;
         for (const std::string& tail : s.giveaway.compoundParts(s.lemma).tails)
             if (s.shows([&](const std::string& word) { return word.starts_with(tail); }) &&
                 s.shows([&](const std::string& word) { return word.size() > 3 && word.compare(0, 3, s.whole, 0, 3) == 0; }))
                 return true;
         return false;
     }},
    // A closed compound's short first word in a form of its own: "newly" for newfound, "payment" for payoff.
    {"a closed compound's short first word in a form of its own", [](const Shown& s) {
         if (s.phrase) return false;
         const std::string& shortLead = s.giveaway.compoundParts(s.lemma).shortLead;
         return !shortLead.empty() && s.shows([&](const std::string& word) { return Wording::stem(word) == shortLead; });
     }},
    // An irregular form shows its word too: "sunk" in sinkable's "capable of being sunk".
    {"an irregular form", [](const Shown& s) {
         for (const std::string& word : s.words)
             for (const std::string& base : s.wordNet.baseForms(word))
                 if (Wording::givesAway(base, Wording::shown(s.lemma))) return true;
         return false;
     }},
    // An adjective whose noun of quality the word is made on: "strong" for strengthen (strength).
    {"an adjective whose noun of quality the word is made on", [](const Shown& s) {
         for (const std::string& word : s.words) {
             std::vector<std::string> bases = s.wordNet.baseForms(word);
             bases.push_back(word);
             for (const std::string& base : bases)
                 for (int value : s.wordNet.synsetsOf('a', base))
                     for (int quality : s.wordNet.synsets()[value].attributes)
                         for (const SynsetWord& name : s.wordNet.synsets()[quality].words)
                             if (name.lemma.size() >= 4 && s.whole.size() > name.lemma.size() && name.lemma[0] == base[0] &&
                                 s.whole.starts_with(Wording::lowered(name.lemma)))
                                 return true;
         }
         return false;
     }},
}};

}  // namespace

bool WordNetGiveaway::givesAway(std::string_view text, const std::string& lemma) const {
    return giveaways.refuses(Shown(*this, text, lemma));
}

const WordNetGiveaway::CompoundParts& WordNetGiveaway::compoundParts(const std::string& lemma) const {
    const auto [at, fresh] = m_compoundParts.try_emplace(lemma);
    if (!fresh) return at->second;
    const std::string whole = Wording::lowered(lemma);
    for (size_t cut = 3; cut + 3 <= whole.size(); ++cut) {
        const std::string lead = whole.substr(0, cut), rest = whole.substr(cut);
        if (!isWord(m_wordNet, rest)) continue;
        if (rest.size() >= 4) at->second.tails.push_back(rest);
        if (!isWord(m_wordNet, lead)) continue;
        if (lead.size() == 3 && rest.size() >= 4) at->second.shortLead = lead;
        if (lead.size() >= 4 && rest.size() >= 4) at->second.lastWords.push_back(rest);
        for (const std::string& part : {lead, rest}) {
            if (part.size() < 4) continue;
            for (const std::string& form : m_wordNet.derivedForms(part))
                if (form.starts_with(part.substr(0, 3))) at->second.forms.push_back(form);
        }
    }
    return at->second;
}

}  // namespace questions
