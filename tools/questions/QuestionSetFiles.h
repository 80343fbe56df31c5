// The bundle files of a question set: "topics.dat", "shuffle_db.dat" and "cdb<c>_<s>.dat".
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/questions/QuestionSet.h"

namespace questions {

class QuestionSetFiles {
public:
    // File name to bytes; throws std::length_error when a text exceeds its length field.
    static std::map<std::string, std::vector<uint8_t>> contents(const QuestionSet& set);
    // Writes them into the directory, each only when its bytes changed; throws std::runtime_error.
    static void write(const std::map<std::string, std::vector<uint8_t>>& files, const std::string& directory);
};

}  // namespace questions
