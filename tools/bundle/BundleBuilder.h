// Builds every file of the application bundle except the questions: the resource map and its pack,
// the single resources, the language file, the runtime font, and the splash and loading images.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace bundle {

struct BundleInputs {
    std::filesystem::path manifest;   // resources.manifest, generated from the constant table
    std::filesystem::path assets;     // the assets/ folder
    std::filesystem::path questions;  // where topics.dat and the question databases were generated
};

using BundleFiles = std::map<std::string, std::vector<uint8_t>>;

// Throws BundleError (or std::runtime_error from a library) naming what is wrong.
BundleFiles buildBundle(const BundleInputs& inputs);

// Writes each file, leaving a file whose bytes are already the same untouched.
void writeBundle(const BundleFiles& files, const std::filesystem::path& directory);

// The characters the main font holds: printable ASCII and Latin-1, the usual typographic marks, the
// quiz's own labels, and every character of the generated questions and topics.
std::u32string mainFontCharacters(const std::filesystem::path& questions);

}  // namespace bundle
