// Writes a question database: a big-endian u16 record count, then per record the question with a
// u16 byte length and the three answers (the right one first) and the information text, each with
// a u8 byte length; all UTF-8, packed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace writers {

struct QuestionRecord {
    std::string question;
    std::array<std::string, 3> answers;
    std::string information;
};

struct QuestionDatabaseFile {
    static constexpr size_t maxQuestionBytes = 0xFFFF;
    static constexpr size_t maxShortTextBytes = 0xFF;
    static constexpr size_t maxRecords = 0xFFFF;

    std::vector<QuestionRecord> records;

    // Throws std::length_error naming the record and field that exceed their length field.
    std::vector<uint8_t> bytes() const;
};

}  // namespace writers
