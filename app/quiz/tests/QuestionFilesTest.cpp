#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/quiz/QuestionDatabase.h"
#include "app/quiz/TopicsFile.h"
#include "app/quiz/tests/QuizFileBytes.h"
#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"
#include "tools/writers/QuestionDatabaseFile.h"
#include "tools/writers/TopicsFile.h"

using java::lang::String;

namespace {

std::string utf8(const JavaPtr<String>& text) { return java::io::toUtf8(text->view()); }

// A text of the given byte length, mostly two-byte characters, so that a cut inside one would show.
std::string textOfBytes(size_t bytes, char fill) {
    std::string text(bytes % 2, fill);
    for (size_t i = 0; i < bytes / 2; ++i) text += "\xC3\xA9";
    return text;
}

writers::QuestionRecord recordOfLengths(size_t question, size_t answer, size_t information, char fill) {
    return {textOfBytes(question, fill),
            {textOfBytes(answer, fill), std::string(1, fill), textOfBytes(answer == 0 ? 0 : answer - 1, fill)},
            textOfBytes(information, fill)};
}

TEST(QuestionDatabaseReading, RecordsOfEveryLengthReadBackWhole) {
    writers::QuestionDatabaseFile file;
    file.records = {recordOfLengths(0, 0, 0, 'a'), recordOfLengths(300, 127, 128, 'b'),
                    recordOfLengths(65535, 255, 255, 'c'), recordOfLengths(17, 128, 254, 'd'),
                    recordOfLengths(1, 200, 1, 'e')};
    QuestionDatabase database;
    database.load(javaBytes(file.bytes()));
    ASSERT_EQ(database.database_count, 5);
    // Read out of order: each record is found through the index, not by reading on.
    for (int32_t i : {4, 2, 0, 3, 1}) {
        const auto record = database.readRecord(i);
        const writers::QuestionRecord& written = file.records[i];
        EXPECT_EQ(utf8(record->data[0]), written.question) << i;
        for (int a = 0; a < 3; ++a) EXPECT_EQ(utf8(record->data[a + 1]), written.answers[a]) << i << " " << a;
        EXPECT_EQ(utf8(record->data[4]), written.information) << i;
    }
    EXPECT_THROW(database.readRecord(5), java::lang::ArrayIndexOutOfBoundsException);
}

TEST(QuestionDatabaseReading, TextsBeyondTheirLengthFieldAreRefusedByTheWriter) {
    const std::vector<writers::QuestionRecord> tooLong = {
        {std::string(65536, 'q'), {"a", "b", "c"}, "i"},
        {"q", {std::string(256, 'a'), "b", "c"}, "i"},
        {"q", {"a", "b", "c"}, std::string(256, 'i')},
    };
    for (const auto& record : tooLong) EXPECT_THROW((writers::QuestionDatabaseFile{{record}}.bytes()), std::length_error);
}

TEST(QuestionDatabaseReading, ACutFileIsAnErrorAndKeepsTheLoadedDatabase) {
    writers::QuestionDatabaseFile file;
    file.records = {{"Which word means: a pet?", {"dog", "log", "fog"}, "a pet."}, {"q2", {"x", "y", "z"}, "info"}};
    const std::vector<uint8_t> whole = file.bytes();
    QuestionDatabase database;
    database.load(javaBytes(whole));
    for (size_t cut : {size_t{0}, size_t{1}, size_t{3}, size_t{20}, whole.size() - 1}) {
        std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<long>(cut));
        EXPECT_THROW(database.load(javaBytes(part)), java::io::IOException) << cut;
    }
    EXPECT_EQ(database.database_count, 2);
    EXPECT_EQ(utf8(database.readRecord(1)->data[4]), "info");
}

TEST(QuestionDatabaseReading, PracticeFileNamesExistOnlyForTheTwentyOneCategories) {
    EXPECT_EQ(utf8(QuestionDatabase::practiceFileName(3, 12)), "cdb3_12.dat");
    EXPECT_EQ(utf8(QuestionDatabase::practiceFileName(20, 0)), "cdb20_0.dat");
    for (auto [category, subsection] : {std::pair{21, 0}, std::pair{-1, 0}, std::pair{0, -1}})
        EXPECT_THROW(QuestionDatabase::practiceFileName(category, subsection), java::lang::IllegalArgumentException);
}

TEST(TopicsFileReading, NamesAndCountsReadBackAndCutOrEmptiedFilesFail) {
    writers::TopicsFile file;
    for (int c = 0; c < TopicsFile::PARAM_NUMBER_OF_CATEGORIES; ++c) {
        writers::TopicsCategory category{"Cat\xC3\xA9gorie " + std::to_string(c), {}};
        // The data-stream form writes NUL as two bytes and a character beyond 16 bits as two surrogates.
        if (c == 0) category.name = std::string("Tree \xF0\x9F\x8C\xB3 \0 end", 15);
        for (int s = 0; s <= c % 4; ++s) category.subsections.push_back("Level " + std::to_string(s));
        file.categories.push_back(category);
    }
    const std::vector<uint8_t> whole = file.bytes();
    TopicsFile topics;
    topics.read(javaBytes(whole));
    for (int c = 0; c < TopicsFile::PARAM_NUMBER_OF_CATEGORIES; ++c) {
        EXPECT_EQ(utf8(topics.categoryStrings->data[c]), file.categories[c].name);
        ASSERT_EQ(topics.subsectionStrings->data[c]->length, c % 4 + 1);
        ASSERT_EQ(topics.practicedDBs->data[c]->length, c % 4 + 1);
        for (int s = 0; s <= c % 4; ++s) EXPECT_EQ(utf8(topics.subsectionStrings->data[c]->data[s]), "Level " + std::to_string(s));
    }
    std::vector<std::vector<uint8_t>> refused;
    for (size_t cut : {size_t{0}, size_t{5}, whole.size() / 2, whole.size() - 1})
        refused.emplace_back(whole.begin(), whole.begin() + static_cast<long>(cut));
    // A category left with nothing to practise, and every name empty with the lists kept.
    writers::TopicsFile emptied = file;
    emptied.categories[7].subsections.clear();
    refused.push_back(emptied.bytes());
    emptied = file;
    for (writers::TopicsCategory& category : emptied.categories) category.name.clear();
    refused.push_back(emptied.bytes());
    for (const std::vector<uint8_t>& bytes : refused)
        EXPECT_THROW(topics.read(javaBytes(bytes)), java::io::IOException) << bytes.size();
    EXPECT_EQ(utf8(topics.categoryStrings->data[20]), file.categories[20].name);
}

}  // namespace
