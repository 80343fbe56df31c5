#include "tools/questions/WordTables.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <tuple>

#ifndef QUESTION_TABLES_DIR
#error "the build names the folder of the word tables"
#endif

namespace questions {

namespace {

struct Folder {
    std::string directory = QUESTION_TABLES_DIR;
    bool read = false;
};

Folder& folder() {
    static Folder chosen;
    return chosen;
}

struct Line {
    size_t number;
    std::string text;
};

[[noreturn]] void malformed(const std::string& path, size_t line, const std::string& problem) {
    throw std::runtime_error(path + ":" + std::to_string(line) + ": " + problem);
}

bool spaceAtEnds(std::string_view text) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    return !text.empty() && (space(text.front()) || space(text.back()));
}

// Far above any table's size: a larger file is no table, and is not read.
constexpr std::uintmax_t MAX_TABLE_BYTES = std::uintmax_t{4} << 20;

// The lines that are entries: neither empty nor comments.
std::vector<Line> entryLines(const std::string& path) {
    // Looked at before it is opened: a pipe in a table's place would hold the build.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) throw std::runtime_error("cannot read the word table " + path);
    if (std::filesystem::file_size(path, error) > MAX_TABLE_BYTES)
        throw std::runtime_error(path + ": larger than any word table");
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read the word table " + path);
    std::vector<Line> lines;
    size_t number = 0;
    for (std::string text; std::getline(in, text);) {
        ++number;
        if (!text.empty() && text.front() != '#') lines.push_back({number, std::move(text)});
    }
    if (lines.empty()) throw std::runtime_error(path + ": no entries");
    return lines;
}

// The lines of one file by the entry each gives: a second line for an entry already given is an
// error, since one of the two would be read without effect.
class Entries {
public:
    explicit Entries(const std::string& path) : m_path(path) {}
    void add(const std::string& entry, size_t line) {
        if (const auto [at, fresh] = m_seen.emplace(entry, line); !fresh)
            malformed(m_path, line, "\"" + entry + "\" is listed on line " + std::to_string(at->second) + " already");
    }

private:
    const std::string& m_path;
    std::map<std::string, size_t, std::less<>> m_seen;  // entry, line
};

// The entries of a list, with no space at their ends.
std::vector<Line> listLines(const std::string& path) {
    std::vector<Line> lines = entryLines(path);
    for (const Line& line : lines)
        if (spaceAtEnds(line.text)) malformed(path, line.number, "a space at the start or end of the entry");
    return lines;
}

WordList readList(const std::string& path) {
    std::vector<std::string> entries;
    Entries seen(path);
    for (Line& line : listLines(path)) {
        seen.add(line.text, line.number);
        entries.push_back(std::move(line.text));
    }
    return WordList(std::move(entries));
}

// A list whose entries may be followed by a space and the mark: all of them, and those marked. An
// entry is listed once, marked or not.
std::pair<WordList, WordList> readMarkedList(const std::string& path, std::string_view mark) {
    std::vector<std::string> entries, marked;
    Entries seen(path);
    for (const Line& line : listLines(path)) {
        const size_t space = line.text.find(' ');
        entries.push_back(line.text.substr(0, space));
        seen.add(entries.back(), line.number);
        if (space == std::string::npos) continue;
        if (std::string_view(line.text).substr(space + 1) != mark)
            malformed(path, line.number, "\"" + line.text.substr(space + 1) + "\" is not the mark \"" + std::string(mark) + "\"");
        marked.push_back(entries.back());
    }
    return {WordList(std::move(entries)), WordList(std::move(marked))};
}

// A side of a pair: quoted whole, taken as it stands; otherwise with no space at its ends.
std::string side(const std::string& path, size_t line, std::string_view text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = text.substr(1, text.size() - 2);
        if (text.find('"') != std::string_view::npos) malformed(path, line, "a double quote inside a quoted side");
        return std::string(text);
    }
    if (text.empty()) malformed(path, line, "an empty side (\"\" is an empty text)");
    if (text.find('"') != std::string_view::npos) malformed(path, line, "a double quote in a side that is not quoted whole");
    if (spaceAtEnds(text)) malformed(path, line, "a space at the end of a side (a quoted side keeps its spaces)");
    return std::string(text);
}

struct PairLine {
    size_t number;
    std::string first, second;
};

std::vector<PairLine> pairLines(const std::string& path) {
    constexpr std::string_view arrow = " => ";
    std::vector<PairLine> pairs;
    for (const Line& line : entryLines(path)) {
        const std::string_view text = line.text;
        const size_t at = text.find(arrow);
        if (at == std::string_view::npos) malformed(path, line.number, "no \" => \" between the two sides");
        if (text.find(arrow, at + 1) != std::string_view::npos) malformed(path, line.number, "more than one \" => \"");
        pairs.push_back({line.number, side(path, line.number, text.substr(0, at)),
                         side(path, line.number, text.substr(at + arrow.size()))});
    }
    return pairs;
}

// The pairs of a table, each given once by the key the table's users go by.
WordPairs readPairs(const std::string& path, std::string (*key)(const PairLine&)) {
    WordPairs pairs;
    Entries seen(path);
    for (PairLine& line : pairLines(path)) {
        seen.add(key(line), line.number);
        pairs.emplace_back(std::move(line.first), std::move(line.second));
    }
    return pairs;
}

// A first side may stand in several pairs (a word with two misfiled synonyms), a pair only once.
WordPairs readRelation(const std::string& path) {
    return readPairs(path, [](const PairLine& line) { return line.first + " => " + line.second; });
}

// A pair that holds both ways round, given once in either order.
WordPairs readSymmetricRelation(const std::string& path) {
    return readPairs(path, [](const PairLine& line) {
        const auto& [low, high] = std::minmax(line.first, line.second);
        return low + " => " + high;
    });
}

// One pair for each first side, where a second could never apply: a typo's first correction leaves
// none for another to find, and a label has one wording.
WordPairs readMapping(const std::string& path) {
    return readPairs(path, [](const PairLine& line) { return line.first; });
}

// Pairs whose second side is a small count, one for each first side.
std::vector<std::pair<std::string, size_t>> readCounts(const std::string& path) {
    std::vector<std::pair<std::string, size_t>> counts;
    Entries seen(path);
    for (PairLine& line : pairLines(path)) {
        seen.add(line.first, line.number);
        if (line.second.empty() || line.second.size() > 3 || line.second.find_first_not_of("0123456789") != std::string::npos)
            malformed(path, line.number, "\"" + line.second + "\" is no count");
        counts.emplace_back(std::move(line.first), std::stoul(line.second));
    }
    return counts;
}

}  // namespace

WordTables WordTables::read(const std::string& directory) {
    const auto path = [&directory](const char* name) { return directory + "/" + name + ".txt"; };
    WordTables tables;
    tables.glossCorrections = readMapping(path("gloss-corrections"));
    tables.leftOutLabels = readList(path("left-out-labels"));
    tables.leftOutMarks = readList(path("left-out-marks"));
    tables.usageNotes = readList(path("usage-notes"));
    tables.namingPhrases = readList(path("naming-phrases"));
    tables.colonLabels = readList(path("colon-labels"));
    tables.droppedLabels = readList(path("dropped-labels"));
    tables.noteOpeners = readList(path("note-openers"));
    tables.formQualifiers = readList(path("form-qualifiers"));
    const WordPairs labelWording = readMapping(path("label-wording"));
    tables.labelWording = {labelWording.begin(), labelWording.end()};
    tables.placeWords = readList(path("place-words"));
    tables.sentenceDeterminers = readList(path("sentence-determiners"));
    tables.sentenceVerbs = readList(path("sentence-verbs"));
    tables.innerClauseOpeners = readList(path("inner-clause-openers"));
    tables.noNounWords = readList(path("no-noun-words"));
    tables.verbLikeLeads = readList(path("verb-like-leads"));
    tables.describingLeads = readList(path("describing-leads"));
    tables.describingJoins = readList(path("describing-joins"));
    tables.sentenceSecondWords = readList(path("sentence-second-words"));
    tables.plantPartLeads = readList(path("plant-part-leads"));
    tables.participleLinks = readList(path("participle-links"));
    tables.contradictedSenses = readList(path("contradicted-senses"));
    tables.leftOutRegisters = readList(path("left-out-registers"));
    tables.blockedWords = readList(path("blocked-words"));
    tables.blockedInExamples = readList(path("blocked-in-examples"));
    tables.blockedScenes = readList(path("blocked-scenes"));
    tables.linkingWords = readList(path("linking-words"));
    tables.stemEndings = readList(path("stem-endings"));
    tables.rootSuffixes = readCounts(path("root-suffixes"));
    tables.misfiledSynonyms = readRelation(path("misfiled-synonyms"));
    tables.unknownSenses = readRelation(path("unknown-senses"));
    tables.twoSpellings = readRelation(path("two-spellings"));
    tables.takenForEachOther = readSymmetricRelation(path("taken-for-each-other"));
    std::tie(tables.prefixes, tables.commonLeadPrefixes) = readMarkedList(path("prefixes"), "common-lead");
    tables.commonDefinitionWords = readList(path("common-definition-words"));
    tables.emptyShortWords = readList(path("empty-short-words"));
    tables.vagueGenusWords = readList(path("vague-genus-words"));
    tables.pluralPhraseEnds = readList(path("plural-phrase-ends"));
    tables.particles = readList(path("particles"));
    return tables;
}

WordList::WordList(std::vector<std::string> entries) : m_entries(std::move(entries)), m_sorted(m_entries) {
    std::sort(m_sorted.begin(), m_sorted.end());
}

bool WordList::contains(std::string_view entry) const {
    return std::binary_search(m_sorted.begin(), m_sorted.end(), entry, std::less<>());
}

const WordTables& WordTables::loaded() {
    static const WordTables tables = [] {
        folder().read = true;
        return read(folder().directory);
    }();
    return tables;
}

void WordTables::readFrom(std::string directory) {
    if (folder().read) throw std::logic_error("the word tables are read already, from " + folder().directory);
    folder().directory = std::move(directory);
}

std::string WordTables::defaultDirectory() { return QUESTION_TABLES_DIR; }

}  // namespace questions
