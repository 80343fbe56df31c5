// Writes "topics.dat": per category, in order, its name, its subsection count and the subsection
// names, as data-stream strings and a big-endian int; no header or trailer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace writers {

struct TopicsCategory {
    std::string name;
    std::vector<std::string> subsections;
};

struct TopicsFile {
    std::vector<TopicsCategory> categories;

    std::vector<uint8_t> bytes() const;
};

}  // namespace writers
