#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/io/rms/Crc32.h"
#include "runtime/io/rms/StoreFileFormat.h"

using namespace javax::microedition::rms;

namespace {

const std::vector<signed char> hello = {'h', 'i'};
const std::vector<signed char> empty;

std::vector<unsigned char> sampleFile() {
    const std::vector<RecordView> records = {{1, hello}, {4, empty}};
    return encodeStoreFile(u"ZARLQ0", 6, records);
}

// Rewrites the checksum, so that only the structure can refuse the bytes.
std::vector<unsigned char> resealed(std::vector<unsigned char> bytes) {
    const uint32_t sum = crc32(std::span(bytes).first(bytes.size() - 4));
    for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<unsigned char>(sum >> (24 - 8 * i));
    return bytes;
}

}  // namespace

TEST(Crc32, MatchesTheStandardCheckValue) {
    const std::string digits = "123456789";
    EXPECT_EQ(crc32({reinterpret_cast<const unsigned char*>(digits.data()), digits.size()}), 0xCBF43926u);
}

TEST(StoreFileFormat, LayoutIsBigEndianWithMagicFirst) {
    const std::vector<unsigned char> bytes = sampleFile();
    const std::vector<unsigned char> header = {'w', 'l', 's', 'f', 0, 1, 0, 6, 0, 'Z', 0, 'A', 0, 'R', 0, 'L', 0, 'Q', 0, '0',
                                               0, 0, 0, 6, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 2, 'h', 'i',
                                               0, 0, 0, 4, 0, 0, 0, 0};
    ASSERT_EQ(bytes.size(), header.size() + 4);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
    EXPECT_EQ(bytes.size(), static_cast<size_t>(encodedStoreSize(6, std::vector<RecordView>{{1, hello}, {4, empty}})));
}

TEST(StoreFileFormat, EveryTruncationAndEveryFlippedByteIsRefused) {
    const std::vector<unsigned char> bytes = sampleFile();
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(decodeStoreFile(std::span(bytes).first(length))) << "truncated to " << length;
    for (size_t at = 0; at < bytes.size(); ++at) {
        for (unsigned char flip : {0x01, 0x80, 0xFF}) {
            std::vector<unsigned char> damaged = bytes;
            damaged[at] ^= flip;
            EXPECT_FALSE(decodeStoreFile(damaged)) << "byte " << at << " ^ " << int(flip);
        }
    }
}

TEST(StoreFileFormat, ForeignFilesAreRefused) {
    const std::vector<std::vector<unsigned char>> foreign = {
        {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 1, 0, 0, 0, 1},
        std::vector<unsigned char>(100, 0),
    };
    for (const auto& bytes : foreign) EXPECT_FALSE(decodeStoreFile(bytes)) << testing::PrintToString(bytes);
}

TEST(StoreFileFormat, SealedButInconsistentStructureIsRefused) {
    struct Case {
        const char* what;
        size_t offset;
        std::vector<unsigned char> replacement;
    };
    // Offsets into sampleFile(): version 4, name length 6, next id 20, count 24, first record 28.
    const std::vector<Case> cases = {
        {"unknown version", 4, {0, 2}},
        {"empty name", 6, {0, 0}},
        {"name longer than 32", 6, {0, 33}},
        {"name past the end", 6, {0x7F, 0xFF}},
        {"next id zero", 20, {0, 0, 0, 0}},
        {"next id not above every id", 20, {0, 0, 0, 4}},
        {"negative count", 24, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"huge count", 24, {0x10, 0, 0, 0}},
        {"fewer records than stored", 24, {0, 0, 0, 1}},
        {"more records than stored", 24, {0, 0, 0, 3}},
        {"record id zero", 28, {0, 0, 0, 0}},
        {"ids not ascending", 28, {0, 0, 0, 5}},
        {"negative length", 32, {0x80, 0, 0, 0}},
        {"length past the end", 32, {0, 0, 1, 0}},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = sampleFile();
        std::copy(c.replacement.begin(), c.replacement.end(), bytes.begin() + static_cast<long>(c.offset));
        std::string why;
        EXPECT_FALSE(decodeStoreFile(resealed(bytes), &why)) << c.what;
        EXPECT_FALSE(why.empty()) << c.what;
    }
    EXPECT_TRUE(decodeStoreFile(resealed(sampleFile())));
}
