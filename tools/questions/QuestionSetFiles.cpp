#include "tools/questions/QuestionSetFiles.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tools/writers/QuestionDatabaseFile.h"
#include "tools/writers/TopicsFile.h"

namespace questions {

namespace {

writers::QuestionDatabaseFile databaseOf(const std::vector<Question>& questions) {
    writers::QuestionDatabaseFile file;
    for (const Question& question : questions)
        file.records.push_back({question.question, question.answers, question.information});
    return file;
}

}  // namespace

std::map<std::string, std::vector<uint8_t>> QuestionSetFiles::contents(const QuestionSet& set) {
    std::map<std::string, std::vector<uint8_t>> files;
    writers::TopicsFile topics;
    for (size_t c = 0; c < set.categories.size(); ++c) {
        const Category& category = set.categories[c];
        writers::TopicsCategory entry{category.name, {}};
        for (size_t s = 0; s < category.subsections.size(); ++s) {
            entry.subsections.push_back(category.subsections[s].name);
            files["cdb" + std::to_string(c) + "_" + std::to_string(s) + ".dat"] =
                databaseOf(category.subsections[s].questions).bytes();
        }
        topics.categories.push_back(std::move(entry));
    }
    files["topics.dat"] = topics.bytes();
    files["shuffle_db.dat"] = databaseOf(set.test).bytes();
    return files;
}

void QuestionSetFiles::write(const std::map<std::string, std::vector<uint8_t>>& files, const std::string& directory) {
    for (const auto& [name, bytes] : files) {
        const std::string path = directory + "/" + name;
        {
            std::ifstream existing(path, std::ios::binary);
            if (existing && std::vector<uint8_t>(std::istreambuf_iterator<char>(existing), {}) == bytes) continue;
        }
        // Written beside and renamed, so that a reader never sees half a file.
        const std::string partial = path + ".partial";
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out || std::rename(partial.c_str(), path.c_str()) != 0) throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace questions
