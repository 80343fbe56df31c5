#include "tools/questions/Commonness.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace questions {

Commonness::Commonness(const std::string& directory) {
    // From the largest list to the smallest, each overwriting the band of the words it holds.
    constexpr const char* lists[listCount] = {"american-english-huge", "american-english-large", "american-english",
                                              "american-english-small"};
    for (int band = 1; band <= listCount; ++band) {
        const std::string path = directory + "/" + lists[band - 1];
        std::ifstream in(path);
        if (!in) throw std::runtime_error("cannot read " + path);
        size_t read = 0;
        for (std::string word; std::getline(in, word); ++read) m_bands[word] = band;
        if (read == 0) throw std::runtime_error(path + " holds no words");
    }
}

int Commonness::band(std::string_view word) const {
    if (const auto whole = m_bands.find(std::string(word)); whole != m_bands.end()) return whole->second;
    int least = listCount;
    std::string part;
    const auto close = [&] {
        if (part.empty()) return;
        const auto found = m_bands.find(part);
        least = std::min(least, found == m_bands.end() ? 0 : found->second);
        part.clear();
    };
    for (char c : word) {
        if (c == ' ' || c == '_' || c == '-') {
            close();
        } else {
            part += c;
        }
    }
    close();
    // A phrase of common words is rarer than its words (yellow jack).
    const bool phrase = word.find_first_of(" _-") != std::string_view::npos;
    return phrase && least > 1 ? least - 1 : least;
}

int Commonness::score(int band, int tagCount) {
    // Tag counts come from texts of the 1960s: within a band they order words, across bands only
    // a word used very often lifts itself one band up.
    int tagLevel = 0;
    for (int count = tagCount; count > 0 && tagLevel < 8; count /= 2) ++tagLevel;
    return band * 6 + std::min(tagLevel, 8);
}

}  // namespace questions
