// The builder refuses inputs that would make a bundle the quiz cannot use, naming what is wrong.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tools/bundle/BundleBuilder.h"
#include "tools/bundle/BundleSources.h"
#include "tools/writers/QuestionDatabaseFile.h"
#include "tools/writers/TopicsFile.h"

namespace {

namespace fs = std::filesystem;

class BundleInputs : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "lexivo-bundle-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        fs::create_directories(root / "assets" / "strings");
        fs::create_directories(root / "assets" / "tables");
        fs::create_directories(root / "questions");
        fs::copy_file(fs::path(BUNDLE_ASSETS_DIR) / "strings" / "en.txt", root / "assets" / "strings" / "en.txt");
        fs::copy_file(fs::path(BUNDLE_ASSETS_DIR) / "tables" / "numbers.txt", root / "assets" / "tables" / "numbers.txt");
        writeQuestions("Which word means fast?");
    }
    void TearDown() override { fs::remove_all(root); }

    static void write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    static void write(const fs::path& path, const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void writeQuestions(const std::string& question) {
        writers::TopicsFile topics;
        topics.categories = {{"Animals", {"Everyday", "Expert"}}};
        write(root / "questions" / "topics.dat", topics.bytes());
        writers::QuestionDatabaseFile database;
        database.records = {{question, {"quick", "slow", "late"}, "quick: moving fast"}};
        write(root / "questions" / "shuffle_db.dat", database.bytes());
        write(root / "questions" / "cdb0_0.dat", database.bytes());
    }
    // The message of the error building with this manifest, or "" when it builds.
    std::string failure(const std::string& manifest) {
        write(root / "resources.manifest", "# id\tname\tkind\tsource\n" + manifest);
        try {
            bundle::buildBundle({root / "resources.manifest", root / "assets", root / "questions"});
        } catch (const bundle::BundleError& error) {
            return error.what();
        }
        return "";
    }

    fs::path root;
};

TEST_F(BundleInputs, BadManifestsAndAssetsAreRefusedByName) {
    struct Case {
        const char* what;
        std::string manifest;
        const char* message;
    };
    const Case cases[] = {
        {"a gap in the ids", "0\tRESID_A\tint-table\ttables/level-thresholds\n2\tRESID_B\timage\tart/timer_dot\n",
         "RESID_B is not numbered 1"},
        {"no source chosen", "0\tRESID_A\tint-table\t-\n", "RESID_A has no source asset"},
        {"an unknown drawing", "0\tRESID_A_LOW\timage\tart/nothing_of_the_kind\n", "no drawing is named"},
        {"an image of no scale", "0\tRESID_A\timage\tart/timer_dot\n", "_LOW or _HIGH"},
        {"an unknown table", "0\tRESID_A\tint-table\ttables/none\n", "has no none"},
        {"a font split up", "0\tRESID_F_LOW\tfont-characters\tfont/main\n1\tRESID_X\tint-table\ttables/fade-menu\n",
         "four resources must follow one another"},
        {"a sound with no recipe", "0\tRESID_S\tsound\tsound/trombone\n", "no sound recipe"},
    };
    for (const Case& c : cases) {
        std::string message;
        try {
            message = failure(c.manifest);
        } catch (const std::invalid_argument& error) {
            message = error.what();
        }
        EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
    }
    EXPECT_EQ(failure("0\tRESID_A\tint-table\ttables/level-thresholds\n"), "") << "a good manifest builds";
}

TEST_F(BundleInputs, AQuestionCharacterTheMainFontLacksStopsTheBuild) {
    writeQuestions("Which word means \u4E00?");
    EXPECT_NE(failure("0\tRESID_A\tint-table\ttables/level-thresholds\n").find("no glyph for \"\u4E00\""),
              std::string::npos);
}

TEST_F(BundleInputs, TheLanguageFileMustHoldAllItsStrings) {
    write(root / "assets" / "strings" / "en.txt", "TEXTID_A\tOnly one\n");
    EXPECT_NE(failure("0\tRESID_A\tint-table\ttables/level-thresholds\n").find("not 36"), std::string::npos);
    write(root / "assets" / "strings" / "en.txt", "TEXTID_A\t~Broken\n");
    EXPECT_NE(failure("0\tRESID_A\tint-table\ttables/level-thresholds\n").find("a break mark starts"),
              std::string::npos);
}

}  // namespace
