#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "tools/questions/CategoryTable.h"
#include "tools/questions/Commonness.h"
#include "tools/questions/QuestionSetBuilder.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/Wording.h"

namespace {

using questions::Question;
using questions::Synset;

class QuestionRules : public testing::Test {
protected:
    static void SetUpTestSuite() {
        wordNet = std::make_unique<questions::WordNet>(WORDNET_DIR);
        const questions::Commonness commonness(WORDLIST_DIR);
        questions::ScreenFit fit;
        set = std::make_unique<questions::QuestionSet>(questions::QuestionSetBuilder::build(*wordNet, commonness, fit));
    }
    static void TearDownTestSuite() {
        set.reset();
        wordNet.reset();
    }

    // The rules that need the WordNet senses behind a question.
    static void expectSoundSenses(const Question& question, const questions::CategorySource& category) {
        SCOPED_TRACE(question.question);
        const auto& synsets = wordNet->synsets();
        const Synset& right = synsets[question.synset];
        EXPECT_FALSE(right.instance) << "a proper noun";
        EXPECT_FALSE(questions::Wording::isLeftOut(*wordNet, right));
        for (int answer = 0; answer < 3; ++answer) {
            const Synset& sense = synsets[question.answerSynsets[answer]];
            const bool inCategory = std::any_of(category.lexFiles.begin(), category.lexFiles.end(), [&](std::string_view name) {
                return questions::WordNet::lexFileNumber(name) == sense.lexFile;
            });
            EXPECT_TRUE(inCategory) << "answer " << answer << " comes from another category";
            EXPECT_EQ(sense.partOfSpeech(), right.partOfSpeech());
        }
        // Two related wrong answers could both be ruled out, as neither alone can be right.
        EXPECT_FALSE(wordNet->areRelated(question.answerSynsets[1], question.answerSynsets[2]))
            << question.answers[1] << " / " << question.answers[2];
        // A clue of a few words ("Which word means: popular aquarium fish?") fits the word's kin as well.
        if (!question.asksMeaning) {
            const std::string clue = question.question.substr(0, question.question.find("; "));
            EXPECT_GE(std::count(clue.begin(), clue.end(), ' '), 6) << "a clue of three words or fewer";
            // Nor is a wrong word part of a synonym of the right one: meson, mu-meson for muon.
            for (int wrong = 1; wrong < 3; ++wrong)
                for (const questions::SynsetWord& synonym : right.words) {
                    std::string words = " " + std::string(synonym.lemma) + " ";
                    std::replace_if(words.begin(), words.end(), [](char c) { return c == '_' || c == '-'; }, ' ');
                    EXPECT_EQ(words.find(" " + question.answers[wrong] + " "), std::string::npos) << synonym.lemma;
                }
        }
        // No wrong answer may also be right: not a synonym, nor above or below the right sense.
        const char partOfSpeech = right.partOfSpeech();
        for (int wrong = 1; wrong < 3; ++wrong) {
            if (question.asksMeaning) {
                for (int meaning : wordNet->synsetsOf(partOfSpeech, question.word))
                    EXPECT_FALSE(wordNet->areRelated(meaning, question.answerSynsets[wrong])) << question.answers[wrong];
            } else {
                for (int meaning : wordNet->synsetsOf(partOfSpeech, question.answers[wrong]))
                    EXPECT_FALSE(wordNet->areRelated(meaning, question.synset)) << question.answers[wrong];
            }
        }
    }

    static std::unique_ptr<questions::WordNet> wordNet;
    static std::unique_ptr<questions::QuestionSet> set;
};

std::unique_ptr<questions::WordNet> QuestionRules::wordNet;
std::unique_ptr<questions::QuestionSet> QuestionRules::set;

TEST_F(QuestionRules, WrongAnswersAreNotRightAndTheTestDrawsMostlyCommonWordsFromEveryCategory) {
    const auto sources = questions::categorySources();
    ASSERT_EQ(set->categories.size(), sources.size());
    for (size_t c = 0; c < sources.size(); ++c)
        for (const auto& subsection : set->categories[c].subsections)
            for (const Question& question : subsection.questions) expectSoundSenses(question, sources[c]);


    // The test: an even share of every category, most of it from the category's common half.
    ASSERT_EQ(set->test.size(), 575u);
    for (const auto& category : set->categories) {
        std::vector<int> ranked;
        for (const auto& subsection : category.subsections)
            for (const Question& question : subsection.questions) ranked.push_back(question.synset);
        size_t common = 0, taken = 0;
        for (const Question& question : set->test) {
            const auto found = std::find(ranked.begin(), ranked.end(), question.synset);
            if (found == ranked.end()) continue;
            ++taken;
            common += static_cast<size_t>(found - ranked.begin()) < ranked.size() / 2;
        }
        EXPECT_GE(taken, 27u) << category.name;
        EXPECT_LE(taken, 28u) << category.name;
        EXPECT_GT(common, taken / 2) << category.name << ": the common half should give most test questions";
    }
}

TEST(WordNetRelations, CatchSynonymsAndSensesAboveOrBelow) {
    const questions::WordNet wordNet(WORDNET_DIR);
    const auto anySensesRelated = [&wordNet](const char* first, const char* second) {
        for (int a : wordNet.synsetsOf('n', first))
            for (int b : wordNet.synsetsOf('n', second))
                if (wordNet.areRelated(a, b)) return true;
        return false;
    };
    struct Case {
        const char* first;
        const char* second;
        bool related;
    };
    const Case cases[] = {{"dog", "canine", true}, {"poodle", "dog", true}, {"car", "automobile", true},
                          {"poodle", "animal", true}, {"poodle", "cat", false}, {"poodle", "bicycle", false}};
    for (const Case& c : cases) EXPECT_EQ(anySensesRelated(c.first, c.second), c.related) << c.first << " " << c.second;
}

}  // namespace
