#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/questions/WordTables.h"

namespace {

namespace fs = std::filesystem;

// A copy of the build's tables with one file replaced.
class WordTablesFolder {
public:
    WordTablesFolder() : m_path(fs::temp_directory_path() / ("lexivo-word-tables-" + std::to_string(::getpid()))) {
        fs::remove_all(m_path);
        fs::copy(questions::WordTables::defaultDirectory(), m_path);
    }
    ~WordTablesFolder() { fs::remove_all(m_path); }
    void write(const std::string& name, const std::string& text) const { std::ofstream(m_path / name) << text; }
    std::string problem() const {
        try {
            questions::WordTables::read(m_path.string());
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return {};
    }
    std::string path(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

TEST(WordTables, TheBuildsTablesReadInTheFilesOrder) {
    const questions::WordTables tables = questions::WordTables::read(questions::WordTables::defaultDirectory());
    ASSERT_EQ(tables.glossCorrections.size(), 100u);
    EXPECT_EQ(tables.glossCorrections.front(), (std::pair<std::string, std::string>{"during of holidays", "during holidays"}));
    // A quoted side keeps its spaces and may be empty.
    EXPECT_NE(std::find(tables.glossCorrections.begin(), tables.glossCorrections.end(),
                        std::pair<std::string, std::string>{"temporal sense; ", ""}),
              tables.glossCorrections.end());
    EXPECT_TRUE(tables.blockedWords.contains("obscene"));
    EXPECT_FALSE(tables.blockedWords.contains("obscen"));
    EXPECT_EQ(*tables.stemEndings.begin(), "ations");
    EXPECT_EQ(tables.rootSuffixes.front(), (std::pair<std::string, size_t>{"ule", 3}));
    // One list of prefixes, some marked.
    EXPECT_TRUE(tables.prefixes.contains("con") && tables.prefixes.contains("sub"));
    EXPECT_TRUE(tables.commonLeadPrefixes.contains("con"));
    EXPECT_FALSE(tables.commonLeadPrefixes.contains("sub"));
    EXPECT_FALSE(tables.prefixes.contains("con common-lead"));
    EXPECT_EQ(&questions::WordTables::loaded(), &questions::WordTables::loaded());
}

TEST(WordTables, AMissingFileOrAMissingMalformedOrRepeatedLineIsNamed) {
    const WordTablesFolder folder;
    EXPECT_EQ(folder.problem(), "");
    const auto expectProblem = [&](const std::string& file, const std::string& text, const std::string& problem) {
        folder.write(file, text);
        EXPECT_EQ(folder.problem(), folder.path(file) + problem) << text;
    };
    expectProblem("particles.txt", "# comment\nup\n\nout \n", ":4: a space at the start or end of the entry");
    expectProblem("particles.txt", "up\nout\nup\n", ":3: \"up\" is listed on line 1 already");
    expectProblem("particles.txt", "# only a comment\n", ": no entries");
    folder.write("particles.txt", "up\n");
    expectProblem("prefixes.txt", "con common-lead\ndis other\n", ":2: \"other\" is not the mark \"common-lead\"");
    // A repeat, as a bad line, whatever its mark: one of the two would be read without effect.
    expectProblem("prefixes.txt", "con common-lead\nsub\ncon\n", ":3: \"con\" is listed on line 1 already");
    folder.write("prefixes.txt", "con common-lead\nsub\n");
    expectProblem("gloss-corrections.txt", "a => b\nc =>\n", ":2: no \" => \" between the two sides");
    expectProblem("gloss-corrections.txt", "a => b => c\n", ":1: more than one \" => \"");
    expectProblem("gloss-corrections.txt", "a =>  b\n", ":1: a space at the end of a side (a quoted side keeps its spaces)");
    expectProblem("gloss-corrections.txt", "a => \n", ":1: an empty side (\"\" is an empty text)");
    expectProblem("gloss-corrections.txt", "\"a\"b\" => c\n", ":1: a double quote inside a quoted side");
    // A first side given again where only one of its pairs could apply.
    expectProblem("gloss-corrections.txt", "a => b\na => c\n", ":2: \"a\" is listed on line 1 already");
    folder.write("gloss-corrections.txt", "\"a \" => \"\"\n");
    expectProblem("label-wording.txt", "a => b\na => c\n", ":2: \"a\" is listed on line 1 already");
    folder.write("label-wording.txt", "a => b\n");
    // A relation may pair a first side with several, but gives each pair once.
    expectProblem("misfiled-synonyms.txt", "a => b\na => c\na => b\n", ":3: \"a => b\" is listed on line 1 already");
    folder.write("misfiled-synonyms.txt", "a => b\na => c\n");
    // Words taken for each other are so either way round.
    expectProblem("taken-for-each-other.txt", "a => b\nb => a\n", ":2: \"a => b\" is listed on line 1 already");
    folder.write("taken-for-each-other.txt", "a => b\n");
    expectProblem("root-suffixes.txt", "ule => 3\nish => three\n", ":2: \"three\" is no count");
    expectProblem("root-suffixes.txt", "ule => 3\nule => 4\n", ":2: \"ule\" is listed on line 1 already");
    folder.write("root-suffixes.txt", "ule => 3\n");
    EXPECT_EQ(folder.problem(), "");
    fs::remove(folder.path("blocked-words.txt"));
    EXPECT_EQ(folder.problem(), "cannot read the word table " + folder.path("blocked-words.txt"));
    // Neither a pipe, which would hold the build, nor a file far too large is read.
    ASSERT_EQ(::mkfifo(folder.path("blocked-words.txt").c_str(), 0644), 0);
    EXPECT_EQ(folder.problem(), "cannot read the word table " + folder.path("blocked-words.txt"));
    fs::remove(folder.path("blocked-words.txt"));
    folder.write("blocked-words.txt", "a\n");
    fs::resize_file(folder.path("blocked-words.txt"), std::uintmax_t{1} << 32);
    EXPECT_EQ(folder.problem(), folder.path("blocked-words.txt") + ": larger than any word table");
}

}  // namespace
