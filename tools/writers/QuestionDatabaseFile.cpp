#include "tools/writers/QuestionDatabaseFile.h"

#include <stdexcept>

namespace writers {

namespace {

void appendText(std::vector<uint8_t>& out, const std::string& text, size_t limit, size_t record, const char* field) {
    if (text.size() > limit)
        throw std::length_error("record " + std::to_string(record) + ": " + field + " of " + std::to_string(text.size()) +
                                " bytes exceeds " + std::to_string(limit));
    if (limit > 0xFF) out.push_back(static_cast<uint8_t>(text.size() >> 8));
    out.push_back(static_cast<uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

}  // namespace

std::vector<uint8_t> QuestionDatabaseFile::bytes() const {
    if (records.size() > maxRecords)
        throw std::length_error(std::to_string(records.size()) + " records exceed the count field");
    std::vector<uint8_t> out{static_cast<uint8_t>(records.size() >> 8), static_cast<uint8_t>(records.size())};
    for (size_t i = 0; i < records.size(); ++i) {
        const QuestionRecord& record = records[i];
        appendText(out, record.question, maxQuestionBytes, i, "question");
        for (const std::string& answer : record.answers) appendText(out, answer, maxShortTextBytes, i, "answer");
        appendText(out, record.information, maxShortTextBytes, i, "information text");
    }
    return out;
}

}  // namespace writers
