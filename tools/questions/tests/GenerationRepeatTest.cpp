#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<char> bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

TEST(QuestionGeneration, TheSameInputGivesByteIdenticalFiles) {
    const fs::path directory = fs::temp_directory_path() / ("lexivo-questions-" + std::to_string(::getpid()));
    fs::create_directories(directory);
    const std::string command = std::string(GENERATOR) + " --wordnet " WORDNET_DIR " --words " WORDLIST_DIR " --out " + directory.string() + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    size_t compared = 0;
    for (const auto& entry : fs::directory_iterator(directory)) {
        // The build generated the same files into the program's directory in its own run.
        EXPECT_EQ(bytesOf(entry.path()), bytesOf(fs::path(QUESTIONS_DIR) / entry.path().filename())) << entry.path().filename();
        ++compared;
    }
    EXPECT_GT(compared, 21u * 3 + 2);
    fs::remove_all(directory);
}

}  // namespace
