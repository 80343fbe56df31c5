// The generator's word data, read at generation time from the plain table files of one folder
// (tools/questions/tables): corrections of WordNet's glosses, word pairs and word lists. The code
// keeps the rules; a table says which words they apply to. Each file states its format in the
// comments at its top; lines starting with '#' and empty lines are no entries.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace questions {

// The entries of a list table, in the file's order, looked up whole.
class WordList {
public:
    WordList() = default;
    explicit WordList(std::vector<std::string> entries);

    bool contains(std::string_view entry) const;
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }
    size_t size() const { return m_entries.size(); }

private:
    std::vector<std::string> m_entries;
    std::vector<std::string> m_sorted;
};

// The pairs of a pair table, "first => second", in the file's order.
using WordPairs = std::vector<std::pair<std::string, std::string>>;

struct WordTables {
    // Gloss cleaning (GlossText).
    WordPairs glossCorrections;  // one for each typo, applied in the file's order
    WordList leftOutLabels, leftOutMarks, usageNotes, namingPhrases, colonLabels, droppedLabels, noteOpeners, formQualifiers;
    std::map<std::string, std::string, std::less<>> labelWording;  // label, its wording
    // Glosses that are no definition on their own (GlossText).
    WordList placeWords, sentenceDeterminers, sentenceVerbs, innerClauseOpeners, noNounWords, verbLikeLeads, describingLeads,
        describingJoins, sentenceSecondWords, plantPartLeads, participleLinks;
    // Registers that leave a sense out: as WordNet names its usage domain (Wording) or its gloss the
    // kind of word it is (GlossText).
    WordList leftOutRegisters;
    // Senses and words (Wording).
    WordList contradictedSenses, blockedWords, blockedInExamples, blockedScenes, linkingWords, stemEndings;
    std::vector<std::pair<std::string, size_t>> rootSuffixes;  // suffix, fewest letters of its root
    // Sense choice, giveaways and wrong answers (CategoryQuestions, NearSynonyms).
    WordPairs misfiledSynonyms, unknownSenses, twoSpellings, takenForEachOther;
    WordList commonDefinitionWords, emptyShortWords, vagueGenusWords, pluralPhraseEnds, particles;
    // One list of prefixes: every one (sense choice, the giveaway through WordNet), and those that
    // are also the common lead of many unrelated words (the giveaway by spelling).
    WordList prefixes, commonLeadPrefixes;

    // The tables of a folder; a missing file, or a missing, malformed or repeated line (an entry a
    // list gives again, marked or not; a pair given again; a first side given again where only one
    // pair for it can apply: a count, a gloss correction, a label's wording), throws
    // std::runtime_error naming the file and line.
    static WordTables read(const std::string& directory);
    // The tables of the folder named by readFrom, or else of the source folder the build named,
    // read by the first call.
    static const WordTables& loaded();
    // The folder to read the tables from; only before they are first read.
    static void readFrom(std::string directory);
    static std::string defaultDirectory();
};

}  // namespace questions
