#include "tools/questions/GlossText.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace questions {

namespace {

// Typos and slips met in the glosses the quiz asks, with their corrections.
constexpr std::pair<std::string_view, std::string_view> corrections[] = {
    {"during of holidays", "during holidays"},
    {"inflicting pain or others", "inflicting pain on others"},
    {"Th Egyptians", "The Egyptians"},
    {"the sound of light blow", "the sound of a light blow"},
    {"a spreading shrub with pink flowers", "a spreading shrub with long spikes of white flowers"},
    {"in Jungian psychology, a personal facade", "a personal facade"},
    {"you own legs", "your own legs as a means of getting about"},
    {"amass of", "a mass of"},
    {"sets in in adolescence", "sets in during adolescence"},
    {"trade in in a bartering", "trade in as part of a bartering"},
    {"dip into to get", "dip into so as to get"},
    {"equiping", "equipping"},
    {"bit or wood", "bit of wood"},
    {"held a college", "held at a college"},
    {"a more complex, product", "a more complex product"},
    {"full or promise", "full of promise"},
    {"by the omitting", "by omitting"},
    {"tree of shrub", "tree or shrub"},
    {"have be cooked", "have been cooked"},
    {"cultivated for it large", "cultivated for its large"},
    {"resin obtain from", "resin obtained from"},
    {"European purple-flowered with", "European purple-flowered vetch with"},
    {"become more focus on", "become more focused on"},
    {"ductile silvery-white ductile", "ductile silvery-white"},
    {"for it wide-spreading crown", "for its wide-spreading crown"},
    {"judge or regard; look upon; judge", "judge or regard; look upon"},
    {"dotes on her the twins", "dotes on the twins"},
    {"right a wrongs", "right the wrongs"},
    {"She dying for", "She is dying for"},
    {"northern Zealand", "northern New Zealand"},
    {"held together by single deck", "held together by a single deck"},
    {"common enterprise of project", "common enterprise or project"},
    {"one of two the two roots", "one of the two roots"},
    {"estrangement from god", "estrangement from God"},
    {"on the back of animal", "on the back of an animal"},
    {"prior to 19th century", "prior to the 19th century"},
    {"the object is use as", "the object is to use as"},
    {"..startled", "...startled"},
    {"some are fixed and other circulate", "some are fixed and others circulate"},
    {"dunes Florida to Texas", "dunes from Florida to Texas"},
    {"Gibbon of Macaulay", "Gibbon or Macaulay"},
    {"(southern)", "(in the southern United States)"},
    {"there as a trail", "there was a trail"},
    {"contain not organic", "contain no organic"},
    {"lasts all night and electronically", "lasts all night, at which electronically"},
    {"whose seed yield", "whose seeds yield"},
    {"in mid air", "in midair"},
    {"a smallest army unit", "the smallest army unit"},
    {"on either side to the ecliptic", "on either side of the ecliptic"},
    {"(popular is Swiss folk songs)", "(popular in Swiss folk songs)"},
    {"to expres their", "to express their"},
    {"not of long duration; having just", "having just"},
    {"gaseous element that give a red glow", "gaseous element that gives a red glow"},
    {"overflowing with eager enjoyment or approval", "a state of overflowing with eager enjoyment or approval"},
    // Plural definitions of singular words.
    {"hard bonelike structures in the jaws", "a hard bonelike structure in the jaws"},
    {"edible viscera of a fowl", "an edible internal organ of a fowl"},
    {"any spherical or nearly spherical bacteria", "any spherical or nearly spherical bacterium"},
    {"assets that are saleable though not", "an asset that is saleable though not"},
    {"the largest flying birds in the western hemisphere", "one of the largest flying birds in the western hemisphere"},
    {"natural objects visible in the sky", "a natural object visible in the sky"},
    {"variety inhabiting the Great Lakes", "a variety of walleye inhabiting the Great Lakes"},
    // Facts the glosses get wrong.
    {"a suspected cause of diarrhea in humans", "a flagellate protozoan that causes diarrhea in humans"},
    {"hardy English breed of dairy cattle", "hardy English breed of beef cattle"},
    {"large arboreal boa", "large semiaquatic boa"},
    {"mescal cactus; a source of psilocybin", "mescal cactus; a source of mescaline"},
    {"(liquid at normal temperatures)", "(liquid just above room temperature)"},
    {"the lower layer of the crust", "the soft layer of the mantle beneath the crust"},
    {"worn primarily by Hindu women", "worn primarily by women of South Asia"},
    {"smooth muscle surrounding the iris", "smooth muscle in the iris surrounding the pupil"},
    {"yellowish flowers; central and western United States", "yellowish flowers; eastern North America"},
    {"largest mollusk known about but never seen", "largest mollusk known, rarely seen alive"},
    {"from hemoglobin; the oxygen carrying compound", "from hemoglobin, the oxygen-carrying compound"},
    {"family of brightly colored voracious eels", "any of a family of brightly colored voracious eels"},
    {"trillium found in the southeastern United States", "trillium found in the east-central United States"},
    {"a member of the House of Commons who does not vote",
     "a member of the British Parliament, chiefly of the House of Lords, who does not vote"},
    {"by hand or fired from a missile", "by hand or fired from a rifle or launcher"},
    {"a staple in the Orient", "a staple in Asia"},
    {"extremely lofty evergreen of southern end of western foothills of Sierra Nevada in California",
     "extremely lofty evergreen of the western slopes of the Sierra Nevada in California"},
    {"; largest living organism", "; the largest tree by volume"},
    {"constituent of DNA and RNA", "constituent of RNA"},
    {"a yellow trivalent metallic element of the rare earth group", "a silvery-white trivalent metallic element of the rare earth group"},
    {"light automatic rifle", "a light rifle with a short barrel"},
    {"a complex carbohydrate found in many plants", "a sugar found in many plants"},
    {"a buttress of tower", "a buttress or tower"},
    {"temporal sense; ", ""},
    {"These news", "The news"},
    {"there no other alternative", "there is no other alternative"},
    {"mounted the aerator on a floating", "mounted the aerator on a floating platform"},
    {"in the battle of Chickamauga", "in the battle of Chattanooga"},
    {"New Zealand with pinnate fronds and a densely woolly stalks", "fern of New Zealand with pinnate fronds and densely woolly stalks"},
    {"the posterior lobe of the pituitary body; primarily glandular in nature", "the posterior lobe of the pituitary body; made of nerve tissue"},
    {"a stony meteor lacking", "a stony meteorite lacking"},
    {"numerous dark brown seed;", "numerous dark brown seeds;"},
    {"being two identical", "being one of two identical things"},
    {"a strong wind moving 45-90 knots", "a strong wind moving 32-63 knots"},
    {"winds moving a 73-136 knots", "winds moving 73-136 knots"},
    {"all of the planets rotate the sun in approximately the same ecliptic", "all the planets orbit the sun near the plane of the ecliptic"},
    // A dated name for the peoples of the Arctic.
    {"used by Eskimos", "used by the peoples of the Arctic"},
    {"an Eskimo hut", "an Inuit hut"},
    {"an Eskimo summer dwelling", "an Inuit summer dwelling"},
};

// Labels naming the word's language or register rather than a subject: the sense is left out.
constexpr std::string_view leftOutLabels[] = {
    "Yiddish", "French", "Spanish", "Latin", "German", "Italian", "Hebrew", "Greek", "Scottish", "Scots", "Irish",
    "Hawaiian", "Japanese", "Chinese", "Hindi", "Arabic", "Russian", "Portuguese", "Australian", "vulgar", "obscene",
    "ethnic slur", "baby talk", "trademark", "trade mark", "Akkadian", "Sanskrit", "used informally",
    "used colloquially"};
// Words that mark a label as a register of the word, whatever else it says: the sense is left out.
constexpr std::string_view leftOutMarks[] = {"slang", "informal", "colloquial", "offensive", "British", "Brit",
                                             "dated", "old-fashioned", "formerly", "historically", "obsolete",
                                             "archaic", "euphemism", "nonstandard", "dialect", "usage", "regional"};

// Notes on how the word is used, not what it means; dropped.
constexpr std::string_view usageNotes[] = {"; also used metaphorically", "; also used figuratively",
                                           "; also used with abstract nouns", "; also used in an abstract sense",
                                           ", also in a metaphorical sense"};

// What a gloss calls its word when it names it rather than defining it: "informal terms for the leg".
constexpr std::string_view namings[] = {" term for ", " terms for ", " name for ", " names for ", " word for ", " words for "};
// Registers of such names, beside the marks above, that leave the sense out: a child's word for a
// duck is no name for ducks.
constexpr std::string_view leftOutRegisters[] = {"uncomplimentary", "pejorative", "street", "trade", "local", "child's"};

// Subjects some glosses lead with as "subject: ..." rather than in brackets.
constexpr std::string_view colonLabels[] = {"bridge", "baseball", "banking", "economics", "electronics", "geology",
                                            "hunting", "law", "math", "physics", "printing", "psychology", "trademark"};

// Labels of style the sense stands without.
constexpr std::string_view droppedLabels[] = {"formal", "somewhat formal", "literary", "poetic", "figurative", "metaphor",
                                              "verse", "rare", "postpositive", "contrastive", "meat", "eggs", "color"};

// First words of labels that are notes on the word rather than a subject ("always used with a
// modifier", "from the Sanskrit word for ...", "quantifier used with mass nouns").
constexpr std::string_view noteOpeners[] = {"a", "an", "the", "always", "when", "from", "for", "on", "during",
                                            "meaning", "literally", "literal", "abbreviated", "according", "intensifier",
                                            "degree", "quantifier", "sentence", "prefatory", "primarily", "spatial",
                                            "nontechnical", "possibly", "chiefly", "comparatives", "our", "free",
                                            "closed", "behavioral", "reduction"};

// Labels that read better otherwise than as "in <label>, ...".
constexpr std::pair<std::string_view, std::string_view> labelWording[] = {
    {"nautical", "at sea"}, {"military", "in the military"}, {"Old Testament", "in the Old Testament"},
    {"New Testament", "in the New Testament"}, {"Middle Ages", "in the Middle Ages"},
    {"Roman Catholic Church", "in the Roman Catholic Church"}, {"medical", "in medicine"},
    {"ecclesiastical", "in the church"}, {"legal", "in law"}, {"theater", "in the theater"},
    {"stock market", "on the stock market"}, {"sports", "in sports"}};

// Qualifiers about the word's form, not its subject; dropped.
constexpr std::string_view formQualifiers[] = {"usually plural", "often plural", "plural", "usually singular",
                                               "often capitalized", "usually capitalized", "capitalized",
                                               "frequently plural"};

template <size_t N>
bool listed(const std::string_view (&list)[N], std::string_view word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

// A subject: words of letters, each lower case or capitalised only ("computer science", "Greek
// mythology"), not led by a word that makes it a note; "RAF rank", "NaNO3", "15-16th century" are not.
bool isSubject(std::string_view label) {
    if (listed(noteOpeners, label.substr(0, label.find(' ')))) return false;
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
    return std::any_of(std::begin(leftOutMarks), std::end(leftOutMarks),
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
    constexpr std::string_view placeWords[] = {"northern",     "southern",     "eastern",      "western",
                                               "southeastern", "southwestern", "northeastern", "northwestern",
                                               "central",      "and",          "or",           "of",
                                               "the",          "to",           "tropical",     "temperate",
                                               "except"};
    bool named = false;
    for (size_t at = 0; at < clause.size();) {
        const size_t end = std::min(clause.find_first_of(" ,", at), clause.size());
        const std::string_view word = clause.substr(at, end - at);
        at = end + 1;
        if (word.empty()) continue;
        if (word[0] >= 'A' && word[0] <= 'Z') {
            named = true;
        } else if (!listed(placeWords, word)) {
            return false;
        }
    }
    return named;
}

// "the state of the economy declines", "the male is chestnut-and-black": a clause with its own
// verb, where a noun's definition names a thing. "the means whereby some act is accomplished" is
// no sentence: the verb belongs to a clause within it.
bool isSentence(std::string_view clause) {
    constexpr std::string_view determiners[] = {"the", "a", "an"};
    constexpr std::string_view finite[] = {"is", "are", "was", "were", "declines", "rises", "falls", "increases",
                                           "decreases", "occurs", "happens", "becomes"};
    constexpr std::string_view inner[] = {"that", "which", "who", "whom", "whose", "whereby", "where", "when", "while",
                                          "what", "how", "whether", "there", "after", "before", "until", "if", "because",
                                          "since", "as", "than", "something", "someone", "one", "you", "we", "it", "they",
                                          "he", "she"};
    constexpr std::string_view noNoun[] = {"of", "a", "an", "the", "in", "on", "for", "with", "by", "to", "and", "or"};
    std::vector<std::string_view> words;
    for (size_t at = 0; at < clause.size() && words.size() < 7;) {
        const size_t end = std::min(clause.find(' ', at), clause.size());
        words.push_back(clause.substr(at, end - at));
        at = end + 1;
    }
    if (words.empty() || !listed(determiners, words[0])) return false;
    for (size_t i = 2; i < words.size(); ++i) {
        // A clause within ("the amount a salary is increased"), or a bracketed remark.
        const bool clauseStarts = listed(determiners, words[i - 1]) && !listed(noNoun, words[i - 2]);
        if (listed(inner, words[i - 1]) || clauseStarts || words[i - 1].starts_with("(")) return false;
        if (listed(finite, words[i])) return !listed(noNoun, words[i - 1]) && !words[i - 1].ends_with("ly");
    }
    return false;
}

}  // namespace

std::string GlossText::clean(std::string_view definition) {
    std::string text(definition);
    for (std::string_view label : colonLabels)
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
            if (form || marked(label) || listed(leftOutLabels, label)) return {};
            // A translation of a foreign name ("`our sea'") says nothing of the sense.
            if (label.starts_with("`") || listed(formQualifiers, label) || listed(droppedLabels, label)) {
                text = rest;
            } else if (qualifier) {
                text = label + ": " + rest;
            } else if (isSubject(label) && containsWord(rest, label)) {
                // Named again in the gloss: "(baseball) a successful stroke ... (especially in baseball)".
                text = rest;
            } else if (isSubject(label)) {
                std::string wording = "in " + label;
                for (const auto& [from, to] : labelWording)
                    if (label == from) wording = std::string(to);
                text = wording + ", " + rest;
            } else {
                // A note of some other kind ("always used with a modifier", "RAF rank"): no reading of
                // it as words fits every sense it stands before.
                return {};
            }
        }
    }
    // "literary term for an ocean" means an ocean; "informal terms for the leg" is a register's word.
    for (std::string_view naming : namings)
        if (const size_t at = text.find(naming); at != std::string::npos && at == text.find(' ')) {
            const std::string kind = text.substr(0, at);
            if (marked(kind) || listed(leftOutLabels, kind) || listed(leftOutRegisters, kind)) return {};
            text.erase(0, at + naming.size());
        }
    for (std::string_view note : usageNotes)
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
    for (const auto& [typo, fixed] : corrections)
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
    // something else's use of it.
    constexpr std::string_view verbLike[] = {"eaten", "used", "grown", "made", "cooked", "served", "usually", "often",
                                             "especially", "sometimes", "typically", "having", "being", "found",
                                             "known", "called", "considered", "regarded", "formerly", "chiefly",
                                             "mostly", "resembling", "occurring", "native", "belonging", "containing",
                                             "consisting", "including", "comprising",
                                             // A verb with the thing left out: "yields the staple food of ...".
                                             "yields", "includes", "contains", "comprises", "consists", "accompanies",
                                             "produces", "forms", "grows", "lives", "feeds", "resembles", "occurs", "has",
                                             "supplies", "serves", "drains", "covers", "connects", "extends", "causes",
                                             "carries", "constituting", "beyond", "makes", "sells", "repairs", "builds",
                                             "writes", "keeps", "takes", "gives", "deals", "designs", "prepares",
                                             "located", "situated", "lying", "widely", "ranges", "breeds", "inhabits",
                                             "digs", "fights", "works"};
    if (listed(verbLike, first)) return true;
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
    constexpr std::string_view describing[] = {"common", "wild", "responsive", "sensitive", "abundant", "rare",
                                               "widespread", "endemic", "similar", "related", "prized", "poisonous",
                                               "parasitic", "intermediate"};
    constexpr std::string_view joining[] = {"in", "to", "or", "throughout", "on", "for", "as", "from", "and", "between"};
    if (listed(describing, lead) && listed(joining, afterLead)) return true;
    // So is a comparison or a content: "smaller than ... Taxodium distichum", "rich in tarry hydrocarbons".
    if (((lead == "smaller" || lead == "larger") && afterLead == "than") || (lead == "rich" && afterLead == "in")) return true;
    // A sentence about the thing rather than a name for it: "leaves can be used as seasoning".
    constexpr std::string_view verbs[] = {"can", "may", "are", "is", "sometimes", "should"};
    if (listed(verbs, second)) return true;
    if (isSentence(definition.substr(0, definition.find("; ")))) return true;
    // A plant described by its parts, with no word for the plant: "leaves deeply incised and bright
    // red in autumn", "stems in clumps with cream-colored flowers"; "leaves of the common basil" names them.
    constexpr std::string_view parts[] = {"leaves", "stems", "whorls", "fronds", "branches"};
    if (listed(parts, first) && (first == "whorls" || second == "in" || second.ends_with("ly"))) return true;
    // A list of families is no name for the thing: "gull family; skimmer family; auk family".
    if (definition.ends_with(" family") && definition.find("family; ") != std::string_view::npos) return true;
    // A word about words with nothing to say of the meaning: "informal term".
    if (definition == "informal term" || definition == "term") return true;
    // A participle followed by a preposition ("cultivated for its fruit") rather than a noun.
    constexpr std::string_view linking[] = {"as", "for", "by", "in", "to", "with", "from", "on", "at", "chiefly",
                                            "especially", "mainly", "primarily", "usually", "often", "fresh", "raw"};
    return (first.ends_with("ed") || first.ends_with("en")) && listed(linking, second);
}

}  // namespace questions
