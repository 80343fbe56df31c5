#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tools/questions/WordNet.h"

namespace {

namespace fs = std::filesystem;

// A database of a few lines in the distributed format, each feature the reader relies on once.
class SmallWordNet : public testing::Test {
protected:
    void SetUp() override {
        directory = fs::temp_directory_path() / ("lexivo-wordnet-" + std::to_string(::getpid()));
        fs::create_directories(directory);
        write("data.noun",
              "  1 Licence line one.  \n"
              "  2 Line two.  \n"
              "00000001 05 n 02 dog 0 domestic_dog 0 001 @ 00000002 n 0000 | a member of the genus Canis; "
              "\"the dog barked all night\"; \"a second example\"  \n"
              "00000002 05 n 01 canine 0 001 ~ 00000001 n 0000 | a carnivore  \n"
              "00000003 15 n 01 Paris 0 001 @i 00000004 n 0000 | the capital of France  \n"
              "00000004 15 n 01 city 0 002 ~i 00000003 n 0000 ;u 00000005 n 0000 | a large town  \n"
              "00000005 10 n 01 slang 0 000 | informal language  \n");
        write("data.verb",
              "00000010 38 v 01 make 2 000 01 + 02 00 | reach a goal, e.g., \"make the first team\"  \n"
              "00000011 38 v 01 run 0 000 01 + 02 00 | move fast (\"run\" is common); \"He runs\"  \n");
        write("data.adj",
              "00000020 00 a 01 big(a) 1 001 & 00000021 s 0000 | above average in size  \n"
              "00000021 00 s 01 huge 0 001 & 00000020 a 0000 | unusually great in size  \n"
              "00000022 00 a 01 small 0 000 | limited in size  \n");
        write("cntlist.rev", "dog%1:05:00:: 1 42\ndomestic_dog%1:05:00:: 1 3\nbig%3:00:01:: 1 107\n"
                             "big%4:02:00:: 1 6\nbig%4:02:01:: 2 2\n");
    }
    void TearDown() override { fs::remove_all(directory); }

    void write(const char* name, const std::string& text) { std::ofstream(directory / name) << text; }
    int only(char partOfSpeech, const char* lemma, const questions::WordNet& wordNet) {
        const auto found = wordNet.synsetsOf(partOfSpeech, lemma);
        EXPECT_EQ(found.size(), 1u) << lemma;
        return found.empty() ? -1 : found.front();
    }

    fs::path directory;
};

TEST_F(SmallWordNet, ReadsWordsCountsGlossesAndLinks) {
    const questions::WordNet wordNet(directory.string());
    EXPECT_EQ(wordNet.licence(), "Licence line one.\nLine two.\n");

    const auto& dog = wordNet.synsets()[only('n', "Domestic Dog", wordNet)];
    ASSERT_EQ(dog.words.size(), 2u);
    EXPECT_EQ(dog.words[0].tagCount, 42);
    EXPECT_EQ(dog.words[1].tagCount, 3);
    EXPECT_EQ(dog.definition, "a member of the genus Canis");
    ASSERT_EQ(dog.examples.size(), 2u);
    EXPECT_EQ(dog.examples[1], "a second example");
    EXPECT_EQ(dog.hypernyms, std::vector<int>{only('n', "canine", wordNet)});

    const auto& paris = wordNet.synsets()[only('n', "paris", wordNet)];
    EXPECT_TRUE(paris.instance);
    const auto& city = wordNet.synsets()[only('n', "city", wordNet)];
    EXPECT_EQ(city.usageDomains, std::vector<int>{only('n', "slang", wordNet)});

    EXPECT_TRUE(wordNet.synsets()[only('v', "make", wordNet)].definition.empty()) << "a definition cut before its example";
    EXPECT_EQ(wordNet.synsets()[only('v', "run", wordNet)].definition, "move fast");

    const int big = only('a', "big", wordNet);
    EXPECT_EQ(wordNet.synsets()[big].words[0].lemma, "big") << "the position marker is not part of the word";
    EXPECT_EQ(wordNet.synsets()[big].words[0].tagCount, 107);
    EXPECT_EQ(wordNet.adverbUses("Big"), 8) << "adverb senses are counted though not read";
    EXPECT_EQ(wordNet.adverbUses("dog"), 0);
    EXPECT_TRUE(wordNet.areRelated(only('a', "huge", wordNet), big));
    EXPECT_FALSE(wordNet.areRelated(only('a', "small", wordNet), big));
}

TEST_F(SmallWordNet, AMissingOrMalformedFileIsNamed) {
    fs::remove(directory / "cntlist.rev");
    EXPECT_THROW(questions::WordNet(directory.string()), std::runtime_error);
    write("cntlist.rev", "dog%1:05:00:: 1 42\n");
    write("data.verb", "00000010 38 v zz run 0 000 | move fast  \n");
    try {
        questions::WordNet wordNet(directory.string());
        ADD_FAILURE() << "a malformed line was accepted";
    } catch (const std::runtime_error& failure) {
        EXPECT_NE(std::string(failure.what()).find("data.verb"), std::string::npos) << failure.what();
    }
}

}  // namespace
