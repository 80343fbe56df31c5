// The quiz's 21 categories, in order, with the WordNet lexicographer files each draws from.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace questions {

struct CategorySource {
    std::string_view name;
    std::vector<std::string_view> lexFiles;
};

std::span<const CategorySource> categorySources();

}  // namespace questions
