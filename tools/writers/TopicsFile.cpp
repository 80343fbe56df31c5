#include "tools/writers/TopicsFile.h"

#include "tools/writers/DataStreamText.h"

namespace writers {

std::vector<uint8_t> TopicsFile::bytes() const {
    std::vector<uint8_t> out;
    for (const TopicsCategory& category : categories) {
        appendDataStreamText(out, category.name);
        const auto count = static_cast<uint32_t>(category.subsections.size());
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(count >> shift));
        for (const std::string& name : category.subsections) appendDataStreamText(out, name);
    }
    return out;
}

}  // namespace writers
