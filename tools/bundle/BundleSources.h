// Readers of the bundle builder's text inputs: the resource manifest, the language strings with their
// hyphenation marks, the number tables, and the characters of the generated questions.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/writers/EncodedStringFile.h"

namespace bundle {

// A bad input, named with its file and line.
class BundleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ManifestEntry {
    int32_t id;
    std::string name;
    std::string kind;
    std::string source;
};

// The manifest's resources, which must be numbered 0, 1, 2... in order.
std::vector<ManifestEntry> readManifest(const std::filesystem::path& file);

struct LanguageString {
    std::string name;  // the TEXTID_ name
    std::u16string text;
    std::vector<writers::HyphenationGuide> guides;
};

// Lines "NAME<tab>text"; a "~" inside a word marks where it may break with a hyphen.
std::vector<LanguageString> readLanguageStrings(const std::filesystem::path& file);

// Named lists of whole numbers: "name: n n n ...", '#' comments.
std::map<std::string, std::vector<int32_t>> readNumberTables(const std::filesystem::path& file);

// Every character of topics.dat, shuffle_db.dat and the cdb*.dat files in the directory.
std::u32string questionCharacters(const std::filesystem::path& directory);

std::vector<uint8_t> readFile(const std::filesystem::path& file);

}  // namespace bundle
