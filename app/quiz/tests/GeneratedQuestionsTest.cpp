#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/quiz/QuestionDatabase.h"
#include "app/quiz/TopicsFile.h"
#include "app/quiz/tests/QuizFileBytes.h"
#include "runtime/io/Utf8.h"
#include "runtime/text/String.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/Wording.h"

using java::lang::String;

namespace {

const std::string questionsDirectory = QUESTIONS_DIR;

std::string utf8(const JavaPtr<String>& text) { return java::io::toUtf8(text->view()); }

JavaPtr<JArray<signed char>> generated(const std::string& name) {
    const std::vector<uint8_t> bytes = fileBytes(questionsDirectory + "/" + name);
    EXPECT_FALSE(bytes.empty()) << name << " was not generated";
    return javaBytes(bytes);
}

// Every rule a record read back from a database can be checked against on its own.
void expectGoodQuestion(const JavaPtr<JArray<String>>& record, questions::ScreenFit& fit, const std::string& where) {
    const std::string question = utf8(record->data[0]);
    std::vector<std::string> answers;
    for (int a = 1; a <= 3; ++a) answers.push_back(utf8(record->data[a]));
    const std::string information = utf8(record->data[4]);
    SCOPED_TRACE(where + ": " + question);
    EXPECT_EQ(std::set<std::string>(answers.begin(), answers.end()).size(), 3u) << "answers must be distinct";
    const std::string meaningPrefix = "What does ", meaningSuffix = " mean?";
    if (question.starts_with(meaningPrefix)) {
        const std::string word = question.substr(meaningPrefix.size(), question.size() - meaningPrefix.size() - meaningSuffix.size());
        for (const std::string& answer : answers) EXPECT_FALSE(questions::Wording::givesAway(answer, word)) << answer;
    } else {
        EXPECT_TRUE(question.starts_with("Which word means: ")) << "unknown question form";
        EXPECT_FALSE(questions::Wording::givesAway(question, answers[0]));
        for (const std::string& answer : answers) EXPECT_TRUE(questions::Wording::isPlainWord(answer)) << answer;
    }
    EXPECT_TRUE(fit.question(question)) << "question box";
    for (const std::string& answer : answers) EXPECT_TRUE(fit.answer(answer)) << "answer button: " << answer;
    EXPECT_TRUE(fit.information(information)) << "information panel: " << information;
    for (const std::string& text : {question, answers[0], answers[1], answers[2], information}) {
        EXPECT_TRUE(questions::Wording::hasOnlyFontCharacters(text)) << text;
        EXPECT_FALSE(questions::Wording::hasBlockedWord(text)) << text;
    }
}

TEST(GeneratedQuestions, EverySubsectionHasItsDatabaseAndEveryQuestionKeepsTheRules) {
    TopicsFile topics;
    topics.read(generated("topics.dat"));
    questions::ScreenFit fit;
    std::set<std::string> categoryNames;
    for (int32_t c = 0; c < TopicsFile::PARAM_NUMBER_OF_CATEGORIES; ++c) {
        categoryNames.insert(utf8(topics.categoryStrings->data[c]));
        const auto& subsections = topics.subsectionStrings->data[c];
        EXPECT_GE(subsections->length, 3);
        EXPECT_LE(subsections->length, 8);
        for (int32_t s = 0; s < subsections->length; ++s) {
            QuestionDatabase database;
            database.load(generated(utf8(QuestionDatabase::practiceFileName(c, s))));
            EXPECT_GE(database.database_count, 20) << c << "_" << s;
            EXPECT_LE(database.database_count, 40) << c << "_" << s;
            for (int32_t i = 0; i < database.database_count; ++i)
                expectGoodQuestion(database.readRecord(i), fit, "cdb" + std::to_string(c) + "_" + std::to_string(s));
        }
    }
    EXPECT_EQ(categoryNames.size(), 21u);
    EXPECT_TRUE(fileBytes(questionsDirectory + "/cdb21_0.dat").empty()) << "the test has no practice database";
}

TEST(GeneratedQuestions, TheTestHas575DistinctQuestionsThatKeepTheRules) {
    QuestionDatabase database;
    database.load(generated("shuffle_db.dat"));
    ASSERT_EQ(database.database_count, QuestionDatabase::PARAM_SHUFFLE_GRAND_TOTAL);
    questions::ScreenFit fit;
    std::set<std::string> seen;
    for (int32_t i = 0; i < database.database_count; ++i) {
        const auto record = database.readRecord(i);
        seen.insert(utf8(record->data[0]) + "|" + utf8(record->data[1]));
        expectGoodQuestion(record, fit, "shuffle_db");
    }
    EXPECT_EQ(seen.size(), 575u);
}

}  // namespace
