// Rules of the question generator that each decide what a player sees, every one shown on a
// database made for it, small enough that the rule alone decides: with the rule switched off, the
// test fails. Glosses and examples are WordNet's where WordNet has a case of the rule's own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/questions/CategoryQuestions.h"
#include "tools/questions/CategoryTable.h"
#include "tools/questions/Commonness.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/Wording.h"

namespace {

using questions::Question;

// One synset of a WordNet data file. Lexical ids are numbered in order of appearance, and each
// lemma is listed among the commonest words, so that commonness decides nothing.
struct Sense {
    int offset;  // unique within its part of speech
    std::string_view lexFile;
    char type;  // n, v or a (an adjective head)
    std::vector<std::string> words;
    std::string gloss;  // definition; "examples" quoted
    std::vector<std::string> links = {};
    int tagCount = 0;  // of its first word
};

std::string kindOf(int offset, char type) {
    char link[32];
    std::snprintf(link, sizeof link, "@ %08d %c 0000", offset, type);
    return link;
}

// Plain senses with nothing in common, to stand as wrong answers: nouns and verbs in files of their
// own, which a test's category takes in beside the file it asks about, and adjectives.
std::vector<Sense> fillers() {
    return {
        {901, "noun.possession", 'n', {"barter"}, "an exchange of goods without money"},
        {902, "noun.possession", 'n', {"dowry"}, "the property that a bride brings to her marriage"},
        {903, "noun.possession", 'n', {"pension"}, "a regular payment made after retirement"},
        {904, "noun.possession", 'n', {"ransom"}, "a price demanded to free a captive"},
        {911, "verb.possession", 'v', {"bake"}, "cook in an oven"},
        {912, "verb.possession", 'v', {"knit"}, "produce garments by looping yarn"},
        {913, "verb.possession", 'v', {"paint"}, "color surfaces with a brush"},
        {914, "verb.possession", 'v', {"whistle"}, "sound a shrill note with pursed lips"},
        {921, "adj.all", 'a', {"humid"}, "containing much moisture"},
        {922, "adj.all", 'a', {"frugal"}, "avoiding waste of resources"},
        {923, "adj.all", 'a', {"fragrant"}, "having a pleasant smell"},
        {924, "adj.all", 'a', {"brittle"}, "easily broken into pieces"},
    };
}

// The senses given and the fillers, as a WordNet database and word lists in a temporary directory.
class TestDatabase {
public:
    explicit TestDatabase(std::vector<Sense> senses) : m_directory(freshDirectory()) {
        const std::vector<Sense> more = fillers();
        senses.insert(senses.end(), more.begin(), more.end());
        std::map<char, std::string> data{{'n', "  1 Licence.  \n"}, {'v', ""}, {'a', ""}};
        std::string counts = "entity%1:03:00:: 1 1\n", listed;
        std::map<std::string, int> lexIds;
        for (const Sense& sense : senses) {
            const int lexFile = questions::WordNet::lexFileNumber(sense.lexFile);
            char head[32];
            std::snprintf(head, sizeof head, "%08d %02d %c %02zx", sense.offset, lexFile, sense.type, sense.words.size());
            std::string line = head;
            for (size_t w = 0; w < sense.words.size(); ++w) {
                const std::string& lemma = sense.words[w];
                const int lexId = lexIds[std::string(1, sense.type) + std::to_string(lexFile) + lemma]++;
                line += " " + lemma + " " + std::to_string(lexId);
                listed += questions::Wording::shown(lemma) + "\n";
                if (w == 0 && sense.tagCount > 0) {
                    char key[64];
                    std::snprintf(key, sizeof key, "%%%d:%02d:%02d:: 1 %d\n", sense.type == 'n' ? 1 : sense.type == 'v' ? 2 : 3,
                                  lexFile, lexId, sense.tagCount);
                    counts += questions::Wording::lowered(lemma) + key;
                }
            }
            char pointers[8];
            std::snprintf(pointers, sizeof pointers, " %03zu", sense.links.size());
            line += pointers;
            for (const std::string& link : sense.links) line += " " + link;
            data[sense.type] += line + " | " + sense.gloss + "  \n";
        }
        write("data.noun", data['n']);
        write("data.verb", data['v']);
        write("data.adj", data['a']);
        write("cntlist.rev", counts);
        for (const char* list : {"american-english-small", "american-english", "american-english-large", "american-english-huge"})
            write(list, listed);
    }
    ~TestDatabase() { std::filesystem::remove_all(m_directory); }
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    std::string path() const { return m_directory.string(); }

private:
    static std::filesystem::path freshDirectory() {
        static int made = 0;
        const auto directory = std::filesystem::temp_directory_path() /
                               ("lexivo-rules-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
        std::filesystem::create_directories(directory);
        return directory;
    }
    void write(const char* name, const std::string& text) { std::ofstream(m_directory / name) << text; }

    std::filesystem::path m_directory;
};

// The generator over a test database: one category's questions as a player meets them.
class Generator {
public:
    explicit Generator(const TestDatabase& database)
        : wordNet(database.path()), m_commonness(database.path()), m_maker(wordNet, m_commonness, m_fit) {}

    std::vector<Question> make(std::initializer_list<std::string_view> lexFiles) {
        return m_maker.make({"Test", std::vector<std::string_view>(lexFiles)}, 50);
    }
    bool fitsAnAnswerButton(std::string_view text) { return m_fit.answer(text); }

    const questions::WordNet wordNet;

private:
    const questions::Commonness m_commonness;
    questions::ScreenFit m_fit;
    questions::CategoryQuestions m_maker;
};

std::vector<const Question*> askedFor(const std::vector<Question>& made, std::string_view word) {
    std::vector<const Question*> found;
    for (const Question& question : made)
        if (question.word == word) found.push_back(&question);
    return found;
}

// Every question as a player sees it, for failure messages.
std::string shown(const std::vector<Question>& made) {
    std::string text;
    for (const Question& question : made)
        text += "\n  " + question.question + " [" + question.answers[0] + " | " + question.answers[1] + " | " +
                question.answers[2] + "] " + question.information;
    return text;
}

// The same word twice in a category reads as a repeat, and the second time in a sense players know
// it less by (run as water runs).
TEST(RuleSwitch, AWordIsAskedOncePerCategoryInItsUsualSense) {
    const TestDatabase database({
        {101, "verb.motion", 'v', {"run"}, "move fast by using the legs", {}, 20},
        {102, "verb.motion", 'v', {"run"}, "flow in a current, as water does", {}, 5},
    });
    Generator generator(database);
    const auto made = generator.make({"verb.motion", "verb.possession"});
    const auto run = askedFor(made, "run");
    ASSERT_EQ(run.size(), 1u) << shown(made);
    EXPECT_EQ(run[0]->answers[0], "move fast by using the legs");
}

// A verb's kin are shades of one meaning: the meaning of a verb sharing a kind with the asked one up
// to four steps up (to twirl, to quiver: ways of moving, as strolling is) could pass for its own.
TEST(RuleSwitch, AVerbsWrongMeaningsAreNotThoseOfItsDistantKin) {
    const TestDatabase database({
        {200, "verb.motion", 'v', {"move"}, "change position or posture"},
        {201, "verb.motion", 'v', {"travel"}, "go from one place to another", {kindOf(200, 'v')}},
        {202, "verb.motion", 'v', {"walk"}, "go on foot at a steady pace", {kindOf(201, 'v')}},
        {203, "verb.motion", 'v', {"stroll"}, "walk leisurely for pleasure", {kindOf(202, 'v')}},
        {204, "verb.motion", 'v', {"march"}, "proceed in step with others", {kindOf(202, 'v')}},
        {205, "verb.motion", 'v', {"ride"}, "be carried on horseback", {kindOf(201, 'v')}},
        {206, "verb.motion", 'v', {"gallop"}, "go at the fastest gait of a horse", {kindOf(205, 'v')}},
        {207, "verb.motion", 'v', {"turn"}, "change orientation or direction", {kindOf(200, 'v')}},
        {208, "verb.motion", 'v', {"spin"}, "revolve quickly around an axis", {kindOf(207, 'v')}},
        {209, "verb.motion", 'v', {"twirl"}, "rotate in small circles", {kindOf(207, 'v')}},
        {210, "verb.motion", 'v', {"shake"}, "move back and forth", {kindOf(200, 'v')}},
        {211, "verb.motion", 'v', {"quiver"}, "tremble with a slight rapid motion", {kindOf(210, 'v')}},
    });
    Generator generator(database);
    const auto made = generator.make({"verb.motion", "verb.possession"});
    const auto stroll = askedFor(made, "stroll");
    ASSERT_EQ(stroll.size(), 1u) << shown(made);
    ASSERT_TRUE(stroll[0]->asksMeaning);
    // Every other way of moving, near or far.
    const std::set<std::string_view> kin{"move", "travel", "walk", "march", "ride", "gallop", "turn", "spin", "twirl", "shake", "quiver"};
    for (size_t wrong = 1; wrong < 3; ++wrong)
        EXPECT_FALSE(kin.contains(generator.wordNet.synsets()[stroll[0]->answerSynsets[wrong]].words.front().lemma))
            << stroll[0]->answers[wrong];
}

// A bare word ("to hurry") is a synonym rather than a definition, loose enough to fit some sense of
// many words: a player cannot rule it out as swim's meaning.
TEST(RuleSwitch, ABareWordIsNoWrongMeaning) {
    const TestDatabase database({
        {301, "verb.motion", 'v', {"swim"}, "propel yourself through water"},
        {302, "verb.motion", 'v', {"scurry"}, "to hurry"},
        {303, "verb.motion", 'v', {"scamper"}, "to dash"},
        // The words they are defined by, in a file outside the category.
        {304, "verb.social", 'v', {"hurry"}, "go quickly"},
        {305, "verb.social", 'v', {"dash"}, "run with sudden speed"},
    });
    Generator generator(database);
    const auto made = generator.make({"verb.motion", "verb.possession"});
    const auto swim = askedFor(made, "swim");
    ASSERT_EQ(swim.size(), 1u) << shown(made);
    for (size_t wrong = 1; wrong < 3; ++wrong) {
        EXPECT_NE(swim[0]->answers[wrong], "to hurry");
        EXPECT_NE(swim[0]->answers[wrong], "to dash");
    }
}

// Senses a player would misread are not asked, and neither their words nor their definitions are
// shown anywhere, as wrong answers either.
TEST(RuleSwitch, SensesPlayersWouldMisreadAreNeitherAskedNorShown) {
    const TestDatabase database({
        {401, "noun.food", 'n', {"kabob"}, "cubes of meat marinated and cooked on a skewer usually with vegetables"},
        {402, "noun.food", 'n', {"double_cream"}, "fresh soft French cheese containing at least 60% fat"},
        {403, "noun.body", 'n', {"exuviae"}, "cast-off skins or coverings of various organisms during ecdysis"},
        // Nouns the plurals are of, in files outside the category.
        {404, "noun.shape", 'n', {"cube"}, "a solid with six square faces"},
        {405, "noun.object", 'n', {"skin"}, "a natural protective covering of an animal"},
    });
    Generator generator(database);
    const auto made = generator.make({"noun.food", "noun.body", "noun.possession"});
    ASSERT_EQ(askedFor(made, "barter").size(), 1u) << "the category's other senses are asked" << shown(made);
    struct Case {
        const char* word;
        const char* definition;
        const char* why;
    };
    const Case cases[] = {
        {"kabob", "cubes of meat", "a plural leading a noun's gloss defines things, not the one thing asked"},
        {"double cream", "French cheese", "to most players double cream is thick cream, a sense WordNet lacks"},
        {"exuviae", "cast-off skins", "a Latin plural is the many, not any one of the cast-off skins"},
    };
    for (const Case& c : cases)
        for (const Question& question : made)
            for (const std::string& text : {question.question, question.answers[0], question.answers[1], question.answers[2],
                                            question.information})
                EXPECT_TRUE(text.find(c.word) == std::string::npos && text.find(c.definition) == std::string::npos)
                    << c.word << ": " << c.why << "\n  " << text;
}

// The example shown with an answer uses the word, and brings up no harm while another example does
// not: no drinking or killing, no "everybody" for body or "sometime" for time, which use other words.
TEST(RuleSwitch, TheExampleShownUsesTheWordAndBringsUpNoHarm) {
    const TestDatabase database({
        {501, "noun.act", 'n', {"answer"}, "a nonverbal reaction; \"his answer to any problem was to get drunk\"; "
                                           "\"their answer was to sue me\""},
        {502, "noun.event", 'n', {"collision"}, "an accident resulting from violent impact of a moving object; "
                                                "\"three passengers were killed in the collision\"; "
                                                "\"the collision of the two ships resulted in a serious oil spill\""},
        {503, "noun.body", 'n', {"body"}, "the entire structure of an organism; \"everybody felt the cold\"; "
                                          "\"he felt as if his whole body were on fire\""},
        {504, "noun.time", 'n', {"time"}, "an instance or single occasion for some event; \"sometime we should meet again\"; "
                                          "\"this time he succeeded\""},
        // The words that lead those others, outside the category.
        {505, "adj.all", 'a', {"every"}, "each one without exception"},
        {506, "adj.all", 'a', {"some"}, "of an unspecified number or quantity"},
    });
    Generator generator(database);
    const auto made = generator.make({"noun.act", "noun.event", "noun.body", "noun.time", "noun.possession"});
    struct Case {
        const char* word;
        const char* left;  // the first example, not shown
        const char* example;
    };
    const Case cases[] = {
        {"answer", "his answer to any problem was to get drunk", "their answer was to sue me"},
        {"collision", "three passengers were killed in the collision", "the collision of the two ships resulted in a serious oil spill"},
        {"body", "everybody felt the cold", "he felt as if his whole body were on fire"},
        {"time", "sometime we should meet again", "this time he succeeded"},
    };
    for (const Case& c : cases) {
        const auto asked = askedFor(made, c.word);
        ASSERT_EQ(asked.size(), 1u) << c.word << shown(made);
        const std::string& information = asked[0]->information;
        EXPECT_EQ(information.find(c.left), std::string::npos) << information;
        EXPECT_NE(information.find("\"" + std::string(c.example) + "\""), std::string::npos) << information;
    }
}

// A word made of two shows in another word of its definition made on its lead: "upward" gives
// updraft away. Of leads of two letters only "up" is a word so used; others are prefixes, and
// "reaction" shows nothing of reflex.
TEST(RuleSwitch, UpIsTheOneTwoLetterLeadThatGivesACompoundAway) {
    const TestDatabase database({
        {601, "noun.phenomenon", 'n', {"updraft"}, "a strong upward air current"},
        {602, "noun.act", 'n', {"reflex"}, "an automatic instinctive unlearned reaction to a stimulus"},
        // The words the two are made of, and their definitions' words past the lead, outside the category.
        {603, "adj.all", 'a', {"up"}, "being above a former position"},
        {604, "noun.artifact", 'n', {"draft"}, "a current of air in an enclosed area"},
        {605, "noun.location", 'n', {"ward"}, "a division of a city"},
        {606, "noun.communication", 'n', {"re"}, "the second note of a scale"},
        {607, "verb.body", 'v', {"flex"}, "bend a joint"},
        {608, "noun.event", 'n', {"action"}, "something done"},
    });
    Generator generator(database);
    const auto made = generator.make({"noun.phenomenon", "noun.act", "noun.possession"});
    struct Case {
        const char* word;
        bool asked;
        const char* why;
    };
    const Case cases[] = {{"updraft", false, "\"upward\" shows its lead"}, {"reflex", true, "\"reaction\" is led by a prefix"}};
    for (const Case& c : cases) EXPECT_EQ(askedFor(made, c.word).size(), c.asked ? 1u : 0u) << c.word << ": " << c.why << shown(made);
}

// A definition too long for an answer button shows its first clause, with the label that says what
// the clause is said of: "of hatchlings" alone tells nothing.
TEST(RuleSwitch, ALabelBeforeAColonStaysWithTheClauseItLabels) {
    const TestDatabase database({
        {701, "adj.all", 'a', {"precocial"},
         "(of hatchlings) covered with down and having eyes open; capable of leaving the nest within a few days"},
    });
    Generator generator(database);
    ASSERT_FALSE(generator.fitsAnAnswerButton(
        "of hatchlings: covered with down and having eyes open; capable of leaving the nest within a few days"));
    const auto made = generator.make({"adj.all"});
    const auto precocial = askedFor(made, "precocial");
    ASSERT_EQ(precocial.size(), 1u) << shown(made);
    ASSERT_TRUE(precocial[0]->asksMeaning) << "with no kin to stand beside it, it is asked by its meaning";
    EXPECT_EQ(precocial[0]->answers[0], "of hatchlings: covered with down and having eyes open");
}

}  // namespace
