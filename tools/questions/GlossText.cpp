#include "tools/questions/GlossText.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "tools/questions/WordTables.h"

namespace questions {

namespace {

const WordTables& tables() { return WordTables::loaded(); }

// A subject: words of letters, each lower case or capitalised only ("computer science", "Greek
// mythology"), not led by a word that makes it a note; "RAF rank", "NaNO3", "15-16th century" are not.
bool isSubject(std::string_view label) {
    if (tables().noteOpeners.contains(label.substr(0, label.find(' ')))) return false;
    bool wordStart = true;
    for (char c : label) {
        const bool upper = c >= 'A' && c <= 'Z';
        if (c == ' ' || c == '-' || c == ',') {
            wordStart = true;
            continue;
        }
        if (!(c >= 'a' && c <= 'z') && !(upper && wordStart)) return false;
        wordStart = false;
    }
    return true;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The text holds the word or phrase whole, not as part of a longer word.
bool containsWord(std::string_view text, std::string_view word) {
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        const size_t end = at + word.size();
        if ((at == 0 || !isLetter(text[at - 1])) && (end == text.size() || !isLetter(text[end]))) return true;
    }
    return false;
}

// The label names a register that leaves the sense out.
bool marked(std::string_view label) {
    return std::any_of(tables().leftOutMarks.begin(), tables().leftOutMarks.end(),
                       [label](std::string_view mark) { return containsWord(label, mark); });
}

std::string firstWordOf(std::string_view text) {
    std::string word;
    for (char c : text) {
        if (!isLetter(c) && c != '-') break;
        word += c;
    }
    return word;
}

// "northern North America; Greenland": where something lives, with no noun for what it is.
bool namesOnlyPlaces(std::string_view clause) {
    bool named = false;
    for (size_t at = 0; at < clause.size();) {
        const size_t end = std::min(clause.find_first_of(" ,", at), clause.size());
        const std::string_view word = clause.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        if (word[0] >= 'A' && word[0] <= 'Z') {
            named = true;
        } else if (!tables().placeWords.contains(word)) {
            return false;
        }
    }
    return named;
}

// "the state of the economy declines", "the male is chestnut-and-black": a clause with its own
// verb, where a noun's definition names a thing. "the means whereby some act is accomplished" is
// no sentence: the verb belongs to a clause within it.
bool isSentence(std::string_view clause) {
    std::vector<std::string_view> words;
    for (size_t at = 0; at < clause.size() && words.size() < 7;) {
        const size_t end = std::min(clause.find(' ', at), clause.size());
        words.push_back(clause.substr(at, end - at));
        at = end + 1;
    }
    if (words.empty() || !tables().sentenceDeterminers.contains(words[0])) return false;
    for (size_t i = 2; i < words.size(); ++i) {
        // A clause within ("the amount a salary is increased"), or a bracketed remark.
        const bool clauseStarts = tables().sentenceDeterminers.contains(words[i - 1]) && !tables().noNounWords.contains(words[i - 2]);
        if (tables().innerClauseOpeners.contains(words[i - 1]) || clauseStarts || words[i - 1].starts_with("(")) return false;
        if (tables().sentenceVerbs.contains(words[i])) return !tables().noNounWords.contains(words[i - 1]) && !words[i - 1].ends_with("ly");
    }
    return false;
}

}  // namespace

std::string GlossText::clean(std::string_view definition) {
    std::string text(definition);
    for (std::string_view label : tables().colonLabels)
        if (text.starts_with(label) && text.substr(label.size()).starts_with(": "))
            text = "(" + std::string(label) + ")" + text.substr(label.size() + 1);
    // A leading "(label)": a subject becomes words, a form qualifier goes, a register leaves the sense out.
    if (text.starts_with("(")) {
        const size_t close = text.find(')');
        if (close != std::string::npos && close + 1 < text.size()) {
            std::string label = text.substr(1, close - 1);
            while (label.ends_with(' ')) label.pop_back();
            std::string rest = text.substr(close + 1);
            rest.erase(0, rest.find_first_not_of(' '));
            const bool qualifier = label.starts_with("of ") || label.starts_with("usually ") || label.starts_with("often ") ||
                                   label.starts_with("especially ") || label.starts_with("sometimes ") ||
                                   label.starts_with("used ") || label.starts_with("followed ") || label.starts_with("as ") ||
                                   label.starts_with("with ") || label.starts_with("in ") || label.starts_with("or ");
            // A sense that is another word's form ("comparative and superlative of `early'") has no
            // meaning of its own to ask.
            const bool form = label.starts_with("superlative ") || label.starts_with("comparative ");
            if (form || marked(label) || tables().leftOutLabels.contains(label)) return {};
            // A translation of a foreign name ("`our sea'") says nothing of the sense.
            if (label.starts_with("`") || tables().formQualifiers.contains(label) || tables().droppedLabels.contains(label)) {
                text = rest;
            } else if (qualifier) {
                text = label + ": " + rest;
            } else if (isSubject(label) && containsWord(rest, label)) {
                // Named again in the gloss: "(baseball) a successful stroke ... (especially in baseball)".
                text = rest;
            } else if (isSubject(label)) {
                const auto wording = tables().labelWording.find(label);
                text = (wording != tables().labelWording.end() ? wording->second : "in " + label) + ", " + rest;
            } else {
                // A note of some other kind ("always used with a modifier", "RAF rank"): no reading of
                // it as words fits every sense it stands before.
                return {};
            }
        }
    }
    // "literary term for an ocean" means an ocean; "informal terms for the leg" is a register's word.
    for (const std::string& phrase : tables().namingPhrases) {
        const std::string naming = " " + phrase + " ";
        if (const size_t at = text.find(naming); at != std::string::npos && at == text.find(' ')) {
            const std::string kind = text.substr(0, at);
            if (marked(kind) || tables().leftOutLabels.contains(kind) || tables().leftOutRegisters.contains(kind)) return {};
            text.erase(0, at + naming.size());
        }
    }
    for (std::string_view note : tables().usageNotes)
        if (const size_t at = text.find(note); at != std::string::npos) text.erase(at, note.size());
    // A note on how a word is said is none on what it means: "(`aged' is pronounced as two syllables)".
    if (const size_t said = text.find("pronounced"); said != std::string::npos) {
        const size_t open = text.rfind('(', said), close = text.find(')', said);
        if (open != std::string::npos && close != std::string::npos && text.find(')', open) == close) {
            size_t from = open;
            while (from > 0 && (text[from - 1] == ' ' || text[from - 1] == ';')) --from;
            text.erase(from, close + 1 - from);
        }
    }
    // A chemical formula spells the names of its elements: "(SO2)" gives sulfur dioxide away.
    for (size_t open = text.find(" ("); open != std::string::npos; open = text.find(" (", open + 1)) {
        const size_t close = text.find(')', open);
        if (close == std::string::npos) break;
        size_t symbols = 0, digits = 0, i = open + 2;
        while (i < close && isupper(static_cast<unsigned char>(text[i]))) {
            ++symbols;
            if (++i < close && islower(static_cast<unsigned char>(text[i]))) ++i;
            for (; i < close && isdigit(static_cast<unsigned char>(text[i])); ++i) ++digits;
        }
        if (i == close && symbols >= 2 && (digits > 0 || symbols >= 3)) text.erase(open, close + 1 - open);
    }
    for (const auto& [typo, fixed] : tables().glossCorrections)
        for (size_t at = text.find(typo); at != std::string::npos; at = text.find(typo, at + fixed.size()))
            text.replace(at, typo.size(), fixed);
    // The Beaufort scale's speeds are given in miles per hour but called knots.
    if (text.find("Beaufort scale") != std::string::npos)
        for (size_t at = text.find("knots"); at != std::string::npos; at = text.find("knots", at))
            text.replace(at, 5, "miles per hour");
    // ``quoted'' and `quoted' become plain quotes.
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "``") == 0 || text.compare(i, 2, "''") == 0) {
            plain += '"';
            ++i;
        } else if (text[i] == '`') {
            plain += '\'';
        } else {
            plain += text[i];
        }
    }
    // A comma or semicolon is followed by a space, except inside a number (1,000).
    std::string spaced;
    for (size_t i = 0; i < plain.size(); ++i) {
        spaced += plain[i];
        const bool punctuation = plain[i] == ',' || plain[i] == ';';
        if (punctuation && i + 1 < plain.size() && plain[i + 1] != ' ' &&
            !(plain[i] == ',' && i > 0 && isdigit(static_cast<unsigned char>(plain[i - 1])) &&
              isdigit(static_cast<unsigned char>(plain[i + 1]))))
            spaced += ' ';
    }
    return spaced;
}

bool GlossText::isFragment(std::string_view definition, char partOfSpeech) {
    const std::string first = firstWordOf(definition);
    if (first.empty()) return true;
    // A gloss that ends mid-phrase.
    for (std::string_view end : {" or", " and", " of", " the", " a", " to", " by", " with"})
        if (definition.ends_with(end)) return true;
    // A note on an adjective's use, not its meaning: "used of traffic", "primarily temporal sense".
    if (partOfSpeech == 'a' && (first == "used" || definition.ends_with(" sense"))) return true;
    if (partOfSpeech != 'n') return false;
    if (definition.ends_with(" for")) return true;
    // A note on the name, not the thing: "a common name for a variety of Sarcosomataceae".
    if (definition.starts_with("a common name for")) return true;
    if (namesOnlyPlaces(definition.substr(0, definition.find("; ")))) return true;
    // "of the plains of central Africa", "from fermented juice of ...", "with long pointed scales around
    // toes", "about three feet long": a phrase left from a longer gloss.
    if ((first == "of" || first == "from" || first == "with" || first == "about") && definition.find(':') == std::string_view::npos)
        return true;
    // A sentence led by its condition: "if steel or iron cool very slowly the cementite may occur ...".
    if (first == "if" || first == "when" || first == "whenever" || first == "where") return true;
    // A noun is defined by a noun phrase; one starting with a participle or an adverb describes
    // something else's use of it, and one starting with a verb leaves the thing out.
    if (tables().verbLikeLeads.contains(first)) return true;
    std::string_view described = definition;
    // "very similar to Potamogeton": the adverb leaves the adjective leading.
    if (first == "very" || first == "closely" || first == "somewhat") described.remove_prefix(described.find(' ') + 1);
    const std::string lead = firstWordOf(described);
    const size_t space = definition.find(' ');
    const std::string second = space == std::string_view::npos ? std::string{} : firstWordOf(definition.substr(space + 1));
    const size_t leadSpace = described.find(' ');
    const std::string afterLead =
        leadSpace == std::string_view::npos ? std::string{} : firstWordOf(described.substr(leadSpace + 1));
    // A belief about the thing: "thought to derive from meteorites", though "thought that makes ...".
    if ((first == "thought" || first == "believed") && second == "to") return true;
    // A sentence about the thing or its young: "its distinctive song is heard ...", "larvae bore into apples".
    if (first == "its" || (first == "larvae" && second != "of")) return true;
    // A place or a state without the thing: "in conditions of wealth", though "in physics, the rate".
    if ((first == "in" || first == "on" || first == "at") && definition.find(", ") == std::string_view::npos) return true;
    // An adjective's gloss left on a noun: "common in meadows", "responsive to stimulation".
    if (tables().describingLeads.contains(lead) && tables().describingJoins.contains(afterLead)) return true;
    // So is a comparison or a content: "smaller than ... Taxodium distichum", "rich in tarry hydrocarbons".
    if (((lead == "smaller" || lead == "larger") && afterLead == "than") || (lead == "rich" && afterLead == "in")) return true;
    // A sentence about the thing rather than a name for it: "leaves can be used as seasoning".
    if (tables().sentenceSecondWords.contains(second)) return true;
    if (isSentence(definition.substr(0, definition.find("; ")))) return true;
    // A plant described by its parts, with no word for the plant: "leaves deeply incised and bright
    // red in autumn", "stems in clumps with cream-colored flowers"; "leaves of the common basil" names them.
    if (tables().plantPartLeads.contains(first) && (first == "whorls" || second == "in" || second.ends_with("ly"))) return true;
    // A list of families is no name for the thing: "gull family; skimmer family; auk family".
    if (definition.ends_with(" family") && definition.find("family; ") != std::string_view::npos) return true;
    // A word about words with nothing to say of the meaning: "informal term".
    if (definition == "informal term" || definition == "term") return true;
    // A participle followed by a preposition ("cultivated for its fruit") rather than a noun.
    return (first.ends_with("ed") || first.ends_with("en")) && tables().participleLinks.contains(second);
}

}  // namespace questions
