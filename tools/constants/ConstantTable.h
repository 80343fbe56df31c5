// The application's constant table: parsed from its text form, and written out as the C++
// constants header and the bundle builder's resource manifest, so that the two never disagree.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace constants {

struct Constant {
    std::string section;  // "shared" or "canvas"
    std::string name;
    std::string type;     // "bool", "int" or "variable"
    int32_t value = 0;
    std::string kind;     // resources only
    std::string source;   // resources only; empty until the bundle builder chooses one
};

// A line that cannot be used, with its 1-based line number in the message.
struct TableError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws TableError on a malformed line, a duplicate name, a value out of 32 bits, a bool other
// than 0 or 1, a resource without a kind, or a kind on anything else.
std::vector<Constant> parseTable(std::string_view text);

// The header: struct AppParameters (the shared section) and struct CanvasConstants (the canvas
// section), plus the constexpr list of every entry. Variables get no constant.
std::string writeHeader(const std::vector<Constant>& table, std::string_view tableName);
// One line per resource, in id order: id, name, kind and source, separated by tabs.
std::string writeManifest(const std::vector<Constant>& table);

}  // namespace constants
