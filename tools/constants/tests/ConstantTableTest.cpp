// The constant table's reader refuses what it cannot use; its outputs are checked on the real table.
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

}  // namespace
