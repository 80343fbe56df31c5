// How common a word is today: the smallest of the nested word lists (small, medium, large, huge)
// that holds it, combined with its WordNet tag count.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace questions {

class Commonness {
public:
    static constexpr int listCount = 4;
    // Reads american-english-small, american-english, american-english-large and
    // american-english-huge from the directory; throws std::runtime_error naming a missing list.
    explicit Commonness(const std::string& directory);

    // 4 for a word of the small list down to 1 for one only in the huge list, 0 for none; a phrase
    // not listed whole is a band below its least common word.
    int band(std::string_view word) const;
    // Orders senses from common to rare: the band first, the tag count within it.
    static int score(int band, int tagCount);

private:
    std::unordered_map<std::string, int> m_bands;  // exact spelling, so "Maria" is not "maria"
};

}  // namespace questions
