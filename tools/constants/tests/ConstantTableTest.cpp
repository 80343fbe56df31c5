// The constant table's reader and its two outputs.
#include <gtest/gtest.h>

#include "tools/constants/ConstantTable.h"

namespace {

using constants::parseTable;
using constants::TableError;

TEST(ConstantTable, BadLinesAreRefusedWithTheirLineNumber) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"A int 1\n", "line 1: a constant before the first section"},
        {"[other]\n", "line 1: unknown section [other]"},
        {"[shared]\nA int\n", "line 2: expected NAME TYPE VALUE [KIND [SOURCE]]"},
        {"[shared]\nA float 1\n", "line 2: unknown type 'float'"},
        {"[shared]\nA int 1x\n", "line 2: '1x' is no number"},
        {"[shared]\nA int 2147483648\n", "line 2: '2147483648' does not fit in 32 bits"},
        {"[shared]\nA int 0x100000000\n", "line 2: '0x100000000' does not fit in 32 bits"},
        {"[shared]\nA bool 2\n", "line 2: A: a bool is 0 or 1"},
        {"[shared]\nRESID_A int 0\n", "line 2: RESID_A: a resource needs a kind"},
        {"[shared]\nA int 0 image\n", "line 2: A: only resources have a kind"},
        {"[shared]\nA int 0\n[canvas]\n# again\nA int 1\n", "line 5: 'A' is defined twice"},
    };
    for (const Case& c : cases) {
        try {
            parseTable(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const TableError& error) {
            EXPECT_STREQ(error.what(), c.message) << c.text;
        }
    }
}

TEST(ConstantTable, HeaderAndManifestCarryTheSameValues) {
    const auto table = parseTable(
        "[shared]\n"
        "FLAG bool 1  # a comment\n"
        "WIDTH variable 0\n"
        "RESID_B int 2 sound\n"
        "RESID_A int 1 image art/a.svg\n"
        "[canvas]\n"
        "MASK int 0xFF000000\n"
        "LOWEST int -2147483648\n");
    const std::string header = constants::writeHeader(table, "t.table");
    for (const char* line : {"static constexpr bool FLAG = true;", "static constexpr int32_t RESID_B = 2;",
                             "static constexpr int32_t MASK = -16777216;",
                             "static constexpr int32_t LOWEST = (-2147483647 - 1);",
                             "{\"shared\", \"WIDTH\", \"variable\", 0, \"\"}"})
        EXPECT_NE(header.find(line), std::string::npos) << line;
    EXPECT_EQ(header.find("int32_t WIDTH"), std::string::npos) << "a variable is no constant";
    EXPECT_LT(header.find("struct AppParameters"), header.find("RESID_B"));
    EXPECT_LT(header.find("struct CanvasConstants"), header.find("int32_t MASK"));
    EXPECT_EQ(constants::writeManifest(table),
              "# id\tname\tkind\tsource\n"
              "1\tRESID_A\timage\tart/a.svg\n"
              "2\tRESID_B\tsound\t\n");
}

}  // namespace
