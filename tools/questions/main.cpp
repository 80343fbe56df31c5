// Generates the quiz's topics file and question databases from a WordNet database directory and
// the word tables (by default those of the source folder the build named), or prints a report of
// what it would generate.
#include <chrono>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include "tools/questions/Commonness.h"
#include "tools/questions/QuestionAudit.h"
#include "tools/questions/QuestionReport.h"
#include "tools/questions/QuestionSetBuilder.h"
#include "tools/questions/QuestionSetFiles.h"
#include "tools/questions/RuleList.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/WordTables.h"

namespace {

int usage() {
    std::cerr << "usage: lexivo-questions --wordnet DIR --words DIR [--tables DIR] (--out DIR | --report [--seed N] | --sample [--seed N])\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string wordNetDirectory, wordListDirectory, tablesDirectory = questions::WordTables::defaultDirectory(), outputDirectory;
    bool report = false, sample = false;
    uint64_t seed = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--wordnet" && hasValue) {
            wordNetDirectory = argv[++i];
        } else if (option == "--words" && hasValue) {
            wordListDirectory = argv[++i];
        } else if (option == "--tables" && hasValue) {
            tablesDirectory = argv[++i];
        } else if (option == "--out" && hasValue) {
            outputDirectory = argv[++i];
        } else if (option == "--seed" && hasValue) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (option == "--report") {
            report = true;
        } else if (option == "--sample") {
            sample = true;
        } else {
            return usage();
        }
    }
    if (wordNetDirectory.empty() || wordListDirectory.empty() || (report || sample) == !outputDirectory.empty() || (report && sample))
        return usage();
    try {
        const auto started = std::chrono::steady_clock::now();
        questions::WordTables::readFrom(tablesDirectory);
        questions::WordTables::loaded();
        const questions::WordNet wordNet(wordNetDirectory);
        const questions::Commonness commonness(wordListDirectory);
        questions::ScreenFit fit;
        const questions::QuestionSet set = questions::QuestionSetBuilder::build(wordNet, commonness, fit);
        if (report) {
            questions::QuestionReport::print(set, questions::QuestionAudit(wordNet, commonness), seed, 10, std::cout);
            questions::RuleCounts::print(std::cout);
            return 0;
        }
        if (sample) {
            questions::QuestionReport::printSample(set, seed, std::cout);
            return 0;
        }
        auto files = questions::QuestionSetFiles::contents(set);
        const std::string& licence = wordNet.licence();
        files["wordnet-licence.txt"] = std::vector<uint8_t>(licence.begin(), licence.end());
        questions::QuestionSetFiles::write(files, outputDirectory);
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        std::cout << "questions: " << files.size() << " files in " << outputDirectory << " (" << elapsed.count() << " ms)\n";
        return 0;
    } catch (const std::exception& failure) {
        std::cerr << "lexivo-questions: " << failure.what() << "\n";
        return 1;
    }
}
