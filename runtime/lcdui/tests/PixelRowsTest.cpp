// Rows blended four and eight pixels at a time give, bit for bit, what the one-pixel blends give.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "runtime/lcdui/PixelRows.h"
#include "runtime/lcdui/PixelWord.h"

using namespace javax::microedition::lcdui;

namespace {

// Every alpha or coverage value, each over random pixels, in rows of every length up to 19:
// whole groups, the pixels left over, and rows too short for any group.
TEST(PixelRows, BlendAndCoverRowsEqualTheOnePixelBlends) {
    std::mt19937 random(7);
    for (int32_t length = 0; length < 20; ++length) {
        for (uint32_t value = 0; value < 256; ++value) {
            std::vector<uint32_t> source(static_cast<size_t>(length)), target(static_cast<size_t>(length));
            std::vector<uint8_t> coverage(static_cast<size_t>(length));
            for (int32_t i = 0; i < length; ++i) {
                // Every other pixel takes this value; the rest take random ones, 0 and 255 among them.
                const uint32_t alpha = i % 2 ? value : (random() % 3 == 0 ? (random() & 1) * 255 : random() & 0xFF);
                source[i] = alpha << 24 | (random() & 0xFFFFFF);
                target[i] = static_cast<uint32_t>(random());
                coverage[i] = static_cast<uint8_t>(alpha);
            }
            const uint32_t colour = static_cast<uint32_t>(random()) | 0xFF000000u;
            std::vector<uint32_t> blended = target, covered = target;
            blendRow(blended.data(), source.data(), length);
            coverRow(covered.data(), colour, coverage.data(), length);
            for (int32_t i = 0; i < length; ++i) {
                const std::string where = "length " + std::to_string(length) + ", pixel " + std::to_string(i);
                ASSERT_EQ(blended[i], blendPixel(target[i], source[i])) << where;
                ASSERT_EQ(covered[i], coverPixel(target[i], colour, coverage[i])) << where;
            }
        }
    }
}

// Groups may run past the drawn pixels over zero coverage; those pixels keep their values.
TEST(PixelRows, CoverageGroupsRunningPastTheRowLeaveThePixelsBeyondIt) {
    const std::vector<uint8_t> coverage = {255, 128, 0, 0, 0, 0, 0, 0};
    std::vector<uint32_t> row = {1, 2, 3, 4, 5, 6, 7, 8};
    coverRow(row.data(), 0xFFFFFFFFu, coverage.data(), 2, 8);
    EXPECT_EQ(row[0], 0xFFFFFFFFu);
    EXPECT_EQ(row[1], coverPixel(2, 0xFFFFFFFFu, 128));
    EXPECT_EQ(std::vector<uint32_t>(row.begin() + 2, row.end()), (std::vector<uint32_t>{3, 4, 5, 6, 7, 8}));
}

}  // namespace
