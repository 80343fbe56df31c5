#include "tools/constants/ConstantTable.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <sstream>

namespace constants {

namespace {

[[noreturn]] void fail(int lineNumber, const std::string& why) {
    throw TableError("line " + std::to_string(lineNumber) + ": " + why);
}

bool isResource(const std::string& name) { return name.rfind("RESID_", 0) == 0; }

int32_t parseValue(const std::string& text, int lineNumber) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && digits.front() == '-') {
        negative = true;
        digits.remove_prefix(1);
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        fail(lineNumber, "'" + text + "' is no number");
    // Hexadecimal words name bit patterns, so 0xFF000000 is the int with those bits.
    const uint64_t limit = base == 16 && !negative ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (magnitude > limit) fail(lineNumber, "'" + text + "' does not fit in 32 bits");
    const auto bits = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
    return static_cast<int32_t>(bits);
}

std::string cppValue(const Constant& constant) {
    if (constant.type == "bool") return constant.value ? "true" : "false";
    // The most negative int has no literal of its own.
    if (constant.value == INT32_MIN) return "(-2147483647 - 1)";
    return std::to_string(constant.value);
}

}  // namespace

std::vector<Constant> parseTable(std::string_view text) {
    std::vector<Constant> table;
    std::set<std::string> names;
    std::string section;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
        if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string word; words >> word;) fields.push_back(word);
        if (fields.empty()) continue;
        if (fields.size() == 1 && fields[0].size() > 2 && fields[0].front() == '[' && fields[0].back() == ']') {
            section = fields[0].substr(1, fields[0].size() - 2);
            if (section != "shared" && section != "canvas") fail(lineNumber, "unknown section [" + section + "]");
            continue;
        }
        if (section.empty()) fail(lineNumber, "a constant before the first section");
        if (fields.size() < 3 || fields.size() > 5) fail(lineNumber, "expected NAME TYPE VALUE [KIND [SOURCE]]");
        Constant constant{section, fields[0], fields[1], parseValue(fields[2], lineNumber), {}, {}};
        if (constant.type != "bool" && constant.type != "int" && constant.type != "variable")
            fail(lineNumber, "unknown type '" + constant.type + "'");
        if (constant.type == "bool" && constant.value != 0 && constant.value != 1)
            fail(lineNumber, constant.name + ": a bool is 0 or 1");
        if (fields.size() >= 4) constant.kind = fields[3];
        if (fields.size() == 5 && fields[4] != "-") constant.source = fields[4];
        if (isResource(constant.name) != !constant.kind.empty())
            fail(lineNumber, constant.name + (constant.kind.empty() ? ": a resource needs a kind" : ": only resources have a kind"));
        if (!names.insert(constant.name).second) fail(lineNumber, "'" + constant.name + "' is defined twice");
        table.push_back(std::move(constant));
    }
    return table;
}

std::string writeHeader(const std::vector<Constant>& table, std::string_view tableName) {
    std::ostringstream out;
    out << "// Generated from " << tableName << " at build time; edit the table, not this file.\n"
        << "#pragma once\n\n#include <cstdint>\n\n";
    const std::pair<const char*, const char*> structs[] = {
        {"shared", "// The constants that HookCanvas, AppMidlet and WLHttpConnectionThread each carry.\nstruct AppParameters"},
        {"canvas", "// The constants that HookCanvas alone carries.\nstruct CanvasConstants"},
    };
    for (const auto& [section, opening] : structs) {
        out << opening << " {\n";
        for (const Constant& constant : table) {
            if (constant.section != section || constant.type == "variable") continue;
            out << "    static constexpr " << (constant.type == "bool" ? "bool " : "int32_t ") << constant.name << " = "
                << cppValue(constant) << ";\n";
        }
        out << "};\n\n";
    }
    out << "// Every entry of the table, variables included, in table order.\n"
        << "struct AppConstantEntry {\n    const char* section;\n    const char* name;\n    const char* type;\n"
        << "    int32_t value;\n    const char* kind;\n};\n\n"
        << "inline constexpr AppConstantEntry APP_CONSTANT_TABLE[] = {\n";
    for (const Constant& constant : table)
        out << "    {\"" << constant.section << "\", \"" << constant.name << "\", \"" << constant.type << "\", "
            << (constant.value == INT32_MIN ? "(-2147483647 - 1)" : std::to_string(constant.value)) << ", \""
            << constant.kind << "\"},\n";
    out << "};\n";
    return out.str();
}

std::string writeManifest(const std::vector<Constant>& table) {
    std::vector<const Constant*> resources;
    for (const Constant& constant : table)
        if (!constant.kind.empty()) resources.push_back(&constant);
    std::stable_sort(resources.begin(), resources.end(),
                     [](const Constant* a, const Constant* b) { return a->value < b->value; });
    std::ostringstream out;
    out << "# id\tname\tkind\tsource\n";
    for (const Constant* resource : resources)
        out << resource->value << '\t' << resource->name << '\t' << resource->kind << '\t' << resource->source << '\n';
    return out.str();
}

}  // namespace constants
