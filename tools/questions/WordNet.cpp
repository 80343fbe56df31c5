#include "tools/questions/WordNet.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unordered_map>
#include <stdexcept>

#include "tools/questions/Wording.h"

namespace questions {

namespace {

constexpr const char* lexFileNames[] = {
    "adj.all", "adj.pert", "adv.all", "noun.Tops", "noun.act", "noun.animal", "noun.artifact", "noun.attribute",
    "noun.body", "noun.cognition", "noun.communication", "noun.event", "noun.feeling", "noun.food", "noun.group",
    "noun.location", "noun.motive", "noun.object", "noun.person", "noun.phenomenon", "noun.plant", "noun.possession",
    "noun.process", "noun.quantity", "noun.relation", "noun.shape", "noun.state", "noun.substance", "noun.time",
    "verb.body", "verb.change", "verb.cognition", "verb.communication", "verb.competition", "verb.consumption",
    "verb.contact", "verb.creation", "verb.emotion", "verb.motion", "verb.perception", "verb.possession",
    "verb.social", "verb.stative", "verb.weather", "adj.ppl"};

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Splits one data line into its space-separated fields up to the gloss.
class LineFields {
public:
    LineFields(std::string_view line, const std::string& path) : m_line(line), m_path(path) {}

    std::string_view next() {
        const size_t end = std::min(m_line.find(' ', m_pos), m_line.size());
        if (m_pos >= m_line.size()) fail();
        std::string_view field = m_line.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        return field;
    }
    long number(int base) {
        const std::string_view field = next();
        long value = 0;
        if (std::from_chars(field.data(), field.data() + field.size(), value, base).ec != std::errc()) fail();
        return value;
    }
    std::string_view gloss() const {
        const size_t bar = m_line.find("| ", m_pos);
        if (bar == std::string_view::npos) return {};
        std::string_view text = m_line.substr(bar + 2);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        return text;
    }
    [[noreturn]] void fail() const {
        throw std::runtime_error(m_path + ": malformed line: " + std::string(m_line.substr(0, 40)));
    }

private:
    std::string_view m_line;
    const std::string& m_path;
    size_t m_pos = 0;
};

// The definition uses the name as a word of its own, not after a negation: "obtainable or
// accessible and ready for use" names accessible; "neither warm nor very cold" does not name cold.
bool namesWithoutDenying(std::string_view definition, std::string_view name) {
    const std::string text = Wording::lowered(definition);
    const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const size_t end = at + name.size();
        if ((at > 0 && isLetter(text[at - 1])) || (end < text.size() && isLetter(text[end]))) continue;
        std::istringstream before(text.substr(0, at));
        bool denied = false;
        for (std::string word; before >> word;)
            denied = denied || word == "not" || word == "no" || word == "nor" || word == "neither" || word == "without" ||
                     word == "lacking";
        if (!denied) return true;
    }
    return false;
}

void splitGloss(std::string_view gloss, Synset& synset) {
    const size_t quote = gloss.find('"');
    std::string_view definition = gloss.substr(0, quote);
    // Cut before an example in brackets, a definition ends on the bracket: "spread by scattering (".
    while (!definition.empty() && std::string_view(" ;:,(").find(definition.back()) != std::string_view::npos)
        definition.remove_suffix(1);
    // A definition that leads into its quoted example ("reach a goal, e.g.") is not whole without it.
    for (std::string_view lead : {"e.g.", "i.e.", " as", " as in", " such as", " like", " for example"})
        if (definition.ends_with(lead)) definition = {};
    synset.definition = definition;
    for (size_t from = quote; from != std::string_view::npos;) {
        const size_t close = gloss.find('"', from + 1);
        if (close == std::string_view::npos) break;
        if (close > from + 1) synset.examples.push_back(gloss.substr(from + 1, close - from - 1));
        from = gloss.find('"', close + 1);
    }
}

struct PendingLink {
    int from;
    char kind;  // '@' hypernym, '&' similar, 'u' usage domain, '^' also see, '$' verb group, '+' derivation,
                // '=' attribute, '!' antonym
    char partOfSpeech;
    long offset;
    int word = 0, targetWord = 0;  // for derivations: one-based word numbers
};

}  // namespace

int WordNet::lexFileNumber(std::string_view name) {
    for (size_t i = 0; i < std::size(lexFileNames); ++i)
        if (name == lexFileNames[i]) return static_cast<int>(i);
    return -1;
}

WordNet::WordNet(const std::string& directory) {
    // Views into these texts stay valid: the vector never grows past its reservation.
    m_files.reserve(7);
    std::unordered_map<std::string_view, int> tagCounts;
    {
        const std::string path = directory + "/cntlist.rev";
        m_files.push_back(readWhole(path));
        std::string_view text = m_files.back();
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            const std::string_view line = text.substr(start, end - start);
            start = end + 1;
            // "key sense_number count"; the key's lemma, type, file and lexical id name the sense.
            const size_t space = line.find(' '), lastSpace = line.rfind(' ');
            if (space == std::string_view::npos || lastSpace == space) continue;
            size_t cut = line.find(':');
            for (int colons = 1; colons < 3 && cut < space; ++colons) cut = line.find(':', cut + 1);
            int count = 0;
            std::from_chars(line.data() + lastSpace + 1, line.data() + line.size(), count);
            tagCounts[line.substr(0, std::min(cut, space))] += count;
            // Adverbs are not read, but a word mostly used as one reads as one ("nowhere").
            if (const size_t type = line.find('%'); type != std::string_view::npos && type + 1 < line.size() && line[type + 1] == '4')
                m_adverbUses[std::string(line.substr(0, type))] += count;
        }
        if (tagCounts.empty()) throw std::runtime_error(path + " holds no tag counts");
    }
    std::vector<PendingLink> links;
    std::unordered_map<uint64_t, int> byOffset;
    std::vector<std::pair<LemmaKey, int>> lemmas;
    std::string probe;
    const char parts[] = {'n', 'v', 'a'};
    const char* names[] = {"noun", "verb", "adj"};
    for (int p = 0; p < 3; ++p) {
        const std::string path = directory + "/data." + names[p];
        m_files.push_back(readWhole(path));
        const std::string_view text = m_files.back();
        m_files.push_back(Wording::lowered(text));
        const std::string_view lowerText = m_files.back();
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            start = end + 1;
            if (line.starts_with("  ")) {
                if (p == 0) {
                    // "  12 text": the licence notice, one numbered line at a time.
                    size_t body = line.find_first_not_of(' ');
                    body = line.find(' ', body);
                    std::string_view notice = body == std::string_view::npos ? std::string_view{} : line.substr(body + 1);
                    while (!notice.empty() && notice.back() == ' ') notice.remove_suffix(1);
                    m_licence.append(notice).append("\n");
                }
                continue;
            }
            if (line.empty()) continue;
            LineFields fields(line, path);
            const long offset = fields.number(10);
            Synset synset;
            synset.lexFile = static_cast<int>(fields.number(10));
            const std::string_view type = fields.next();
            if (type.size() != 1) fields.fail();
            synset.type = type[0];
            const int id = static_cast<int>(m_synsets.size());
            const long wordCount = fields.number(16);
            for (long w = 0; w < wordCount; ++w) {
                std::string_view lemma = fields.next();
                const long lexId = fields.number(16);
                if (const size_t marker = lemma.find('('); marker != std::string_view::npos) lemma = lemma.substr(0, marker);
                const std::string_view lowerLemma = lowerText.substr(static_cast<size_t>(lemma.data() - text.data()), lemma.size());
                char key[16];
                std::snprintf(key, sizeof key, "%%%d:%02d:%02ld",
                              static_cast<int>(std::string_view("nvars").find(synset.type)) + 1, synset.lexFile, lexId);
                probe.assign(lowerLemma).append(key);
                const auto counted = tagCounts.find(probe);
                synset.words.push_back({lemma, counted == tagCounts.end() ? 0 : counted->second});
                lemmas.push_back({{parts[p], lowerLemma}, id});
            }
            const long pointerCount = fields.number(10);
            for (long k = 0; k < pointerCount; ++k) {
                const std::string_view symbol = fields.next();
                const long target = fields.number(10);
                const std::string_view targetPart = fields.next();
                const std::string_view fieldsWords = fields.next();
                const char targetType = targetPart.empty() ? ' ' : targetPart[0];
                const char targetPos = targetType == 's' ? 'a' : targetType;
                if (symbol == "@" || symbol == "@i") {
                    links.push_back({id, '@', targetPos, target});
                    synset.instance = synset.instance || symbol == "@i";
                } else if (symbol == "&") {
                    links.push_back({id, '&', targetPos, target});
                } else if (symbol == ";u") {
                    links.push_back({id, 'u', targetPos, target});
                } else if ((symbol == "=" || symbol == "!") && synset.type == 'a') {
                    links.push_back({id, symbol[0], targetPos, target});
                } else if (symbol == "^" || symbol == "$" || symbol == "*" || symbol == ">") {
                    links.push_back({id, symbol[0], targetPos, target});
                } else if (symbol == "+") {
                    const std::string_view words = fieldsWords;
                    int source = 0, destination = 0;
                    if (words.size() == 4) {
                        std::from_chars(words.data(), words.data() + 2, source, 16);
                        std::from_chars(words.data() + 2, words.data() + 4, destination, 16);
                    }
                    links.push_back({id, '+', targetPos, target, source, destination});
                }
            }
            splitGloss(fields.gloss(), synset);
            byOffset[(static_cast<uint64_t>(parts[p]) << 32) | static_cast<uint64_t>(offset)] = id;
            m_synsets.push_back(std::move(synset));
        }
    }
    for (const PendingLink& link : links) {
        const auto target = byOffset.find((static_cast<uint64_t>(link.partOfSpeech) << 32) | static_cast<uint64_t>(link.offset));
        if (target == byOffset.end()) continue;
        Synset& from = m_synsets[link.from];
        if (link.kind == '@') {
            from.hypernyms.push_back(target->second);
        } else if (link.kind == 'u') {
            from.usageDomains.push_back(target->second);
        } else if (link.kind == '=') {
            from.attributes.push_back(target->second);
        } else if (link.kind == '!') {
            from.antonyms.push_back(target->second);
        } else if (link.kind == '^' || link.kind == '$' || link.kind == '*' || link.kind == '>') {
            auto member = link.kind == '^' ? &Synset::alsoSee : link.kind == '$' ? &Synset::verbGroup : &Synset::entailments;
            (from.*member).push_back(target->second);
            (m_synsets[target->second].*member).push_back(link.from);
        } else if (link.kind == '+') {
            // The data files list each derivation from both ends.
            const bool inRange = link.word > 0 && link.word <= static_cast<int>(from.words.size()) && link.targetWord > 0 &&
                                 link.targetWord <= static_cast<int>(m_synsets[target->second].words.size());
            if (inRange) from.derivations.push_back({link.word - 1, target->second, link.targetWord - 1});
        } else {
            from.similar.push_back(target->second);
            m_synsets[target->second].similar.push_back(link.from);
        }
    }
    std::sort(lemmas.begin(), lemmas.end());
    lemmas.erase(std::unique(lemmas.begin(), lemmas.end()), lemmas.end());
    m_lemmaKeys.reserve(lemmas.size());
    m_lemmaSynsets.reserve(lemmas.size());
    for (const auto& [key, synset] : lemmas) {
        m_lemmaKeys.push_back(key);
        m_lemmaSynsets.push_back(synset);
    }
    if (m_licence.empty()) throw std::runtime_error(directory + "/data.noun carries no licence notice");
    // "inflected base ..." lines; a database without a file simply lists none of its part of speech.
    for (const char* file : {"noun.exc", "verb.exc", "adj.exc"})
        if (std::ifstream exceptions(directory + "/" + file); exceptions) {
            std::string form, base, rest;
            while (exceptions >> form >> base && std::getline(exceptions, rest)) {
                if (file[0] == 'n') m_inflectedNouns.push_back(Wording::lowered(form));
                m_inflections.emplace_back(Wording::lowered(form), Wording::lowered(base));
            }
        }
    std::sort(m_inflectedNouns.begin(), m_inflectedNouns.end());
    std::sort(m_inflections.begin(), m_inflections.end());
    linkAdjectiveHeads();
}

void WordNet::linkAdjectiveHeads() {
    std::unordered_map<int, std::vector<int>> headsOf;  // attribute noun -> adjective heads valuing it
    for (int id = 0; id < static_cast<int>(m_synsets.size()); ++id)
        if (m_synsets[id].type == 'a') {
            for (int attribute : m_synsets[id].attributes) headsOf[attribute].push_back(id);
            const std::string head = Wording::lowered(m_synsets[id].words.front().lemma);
            if (head == "cardinal" || head == "ordinal") m_countHeads.push_back(id);
        }
    // One head holds a word of the other or names it in its definition. Two heads led by one word are
    // two of its senses (old: of long duration, of persons), each with answers of its own.
    const auto alike = [](const Synset& one, const Synset& other) {
        for (const SynsetWord& word : other.words) {
            const std::string key = Wording::lowered(word.lemma);
            const bool shared = std::any_of(one.words.begin(), one.words.end(),
                                            [&](const SynsetWord& own) { return Wording::lowered(own.lemma) == key; }) &&
                                !(Wording::lowered(one.words.front().lemma) == key && Wording::lowered(other.words.front().lemma) == key);
            std::string name = key;
            std::replace(name.begin(), name.end(), '_', ' ');
            if (shared || namesWithoutDenying(one.definition, name)) return true;
        }
        return false;
    };
    const auto holds = [](const std::vector<int>& list, int id) { return std::find(list.begin(), list.end(), id) != list.end(); };
    // Or the attribute is named after both: obviousness, noticeability for obvious and noticeable.
    const auto namesIt = [](const Synset& head, int attribute) {
        return std::any_of(head.derivations.begin(), head.derivations.end(),
                           [&](const Derivation& link) { return link.target == attribute; });
    };
    for (const auto& [attribute, heads] : headsOf)
        for (size_t i = 0; i < heads.size(); ++i)
            for (size_t j = i + 1; j < heads.size(); ++j) {
                Synset& a = m_synsets[heads[i]];
                Synset& b = m_synsets[heads[j]];
                const bool opposed = holds(a.antonyms, heads[j]) || holds(b.antonyms, heads[i]);
                const bool named = namesIt(a, attribute) && namesIt(b, attribute) &&
                                   Wording::lowered(a.words.front().lemma) != Wording::lowered(b.words.front().lemma);
                if (opposed || holds(a.sameSide, heads[j]) || !(named || alike(a, b) || alike(b, a))) continue;
                a.sameSide.push_back(heads[j]);
                b.sameSide.push_back(heads[i]);
            }
}

std::vector<std::string> WordNet::baseForms(std::string_view form) const {
    const std::string key = Wording::lowered(form);
    std::vector<std::string> bases;
    for (auto at = std::lower_bound(m_inflections.begin(), m_inflections.end(), std::pair{key, std::string{}});
         at != m_inflections.end() && at->first == key; ++at)
        bases.push_back(at->second);
    return bases;
}

bool WordNet::isInflectedNoun(std::string_view lemma) const {
    std::string key = Wording::lowered(lemma);
    std::replace(key.begin(), key.end(), ' ', '_');
    return std::binary_search(m_inflectedNouns.begin(), m_inflectedNouns.end(), key);
}

bool WordNet::wordsRelated(char partOfSpeech, std::string_view first, std::string_view second) const {
    for (int a : synsetsOf(partOfSpeech, first))
        for (int b : synsetsOf(partOfSpeech, second))
            if (areRelated(a, b)) return true;
    return false;
}

std::vector<std::string> WordNet::derivedForms(std::string_view lemma) const {
    std::string key = Wording::lowered(lemma);
    std::replace(key.begin(), key.end(), ' ', '_');
    std::vector<std::string> found;
    for (char partOfSpeech : {'n', 'v', 'a'})
        for (int id : synsetsOf(partOfSpeech, key))
            for (const Derivation& link : m_synsets[id].derivations) {
                if (Wording::lowered(m_synsets[id].words[link.word].lemma) != key) continue;
                std::string form = Wording::lowered(m_synsets[link.target].words[link.targetWord].lemma);
                if (std::find(found.begin(), found.end(), form) == found.end()) found.push_back(std::move(form));
            }
    return found;
}

std::span<const int> WordNet::synsetsOf(char partOfSpeech, std::string_view lemma) const {
    std::string key = Wording::lowered(lemma);
    std::replace(key.begin(), key.end(), ' ', '_');
    const auto [first, last] = std::equal_range(m_lemmaKeys.begin(), m_lemmaKeys.end(), LemmaKey{partOfSpeech, key});
    return std::span<const int>(m_lemmaSynsets).subspan(static_cast<size_t>(first - m_lemmaKeys.begin()),
                                                         static_cast<size_t>(last - first));
}

const std::vector<int>& WordNet::ancestors(int synset) const {
    // Asked for again and again while questions are made: each list is worked out once.
    if (m_ancestors.empty()) m_ancestors.resize(m_synsets.size());
    auto& [known, found] = m_ancestors[static_cast<size_t>(synset)];
    if (known) return found;
    known = true;
    std::vector<int> pending = m_synsets[synset].hypernyms;
    while (!pending.empty()) {
        const int next = pending.back();
        pending.pop_back();
        if (std::find(found.begin(), found.end(), next) != found.end()) continue;
        found.push_back(next);
        const auto& up = m_synsets[next].hypernyms;
        pending.insert(pending.end(), up.begin(), up.end());
    }
    return found;
}

bool WordNet::areRelated(int first, int second) const {
    if (first == second) return true;
    const Synset& a = m_synsets[first];
    const Synset& b = m_synsets[second];
    const auto links = [](const std::vector<int>& list, int id) { return std::find(list.begin(), list.end(), id) != list.end(); };
    if (links(a.alsoSee, second) || links(a.verbGroup, second) || links(a.entailments, second)) return true;
    for (const Derivation& link : a.derivations)
        if (link.target == second) return true;
    if (a.partOfSpeech() != b.partOfSpeech()) return false;
    if (a.partOfSpeech() == 'a') {
        // A cluster is a head adjective and its satellites, all linked to the head.
        const auto clusterOf = [this](int id) { const Synset& s = m_synsets[id]; return s.type == 's' && !s.similar.empty() ? s.similar.front() : id; };
        // Clusters whose heads see each other are shades of one meaning too: fortunate (rosy,
        // "presaging good fortune") and propitious ("presenting favorable circumstances").
        const int headOfFirst = clusterOf(first), headOfSecond = clusterOf(second);
        // But numbers are values of a count, none a shade of another: seven is a fair wrong answer for six.
        if (first != second && isNumber(first) && isNumber(second)) return false;
        return headOfFirst == headOfSecond || links(m_synsets[headOfFirst].alsoSee, headOfSecond) ||
               links(m_synsets[headOfFirst].sameSide, headOfSecond);
    }
    // Senses under one parent are too close to tell apart reliably (a marsh and a mire).
    for (int parent : a.hypernyms)
        if (std::find(b.hypernyms.begin(), b.hypernyms.end(), parent) != b.hypernyms.end()) return true;
    const std::vector<int>& aboveFirst = ancestors(first);
    if (std::find(aboveFirst.begin(), aboveFirst.end(), second) != aboveFirst.end()) return true;
    const std::vector<int>& aboveSecond = ancestors(second);
    return std::find(aboveSecond.begin(), aboveSecond.end(), first) != aboveSecond.end();
}

bool WordNet::isNumber(int synset) const {
    const Synset& sense = m_synsets[synset];
    return sense.type == 's' && !sense.similar.empty() &&
           std::find(m_countHeads.begin(), m_countHeads.end(), sense.similar.front()) != m_countHeads.end();
}

int WordNet::adverbUses(std::string_view lemma) const {
    std::string key = Wording::lowered(lemma);
    std::replace(key.begin(), key.end(), ' ', '_');
    const auto found = m_adverbUses.find(key);
    return found == m_adverbUses.end() ? 0 : found->second;
}

}  // namespace questions
