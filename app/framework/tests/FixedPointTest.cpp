// The framework's fixed-point maths, random numbers and byte-array numbers: the values callers rely
// on, and defined results where the 32-bit steps would overflow.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>

#include "app/framework/HookCanvas.h"

namespace {

using H = HookCanvas;
using java::lang::jnew;

struct Case {
    const char* call;
    std::function<int64_t()> compute;
    int64_t expected;
};

TEST(FixedPoint, EdgeValuesCallersRelyOn) {
    const Case cases[] = {
        {"FToi(-1536)", [] { return H::FToi(-1536); }, -1},
        {"FToiNearest(-1536)", [] { return H::FToiNearest(-1536); }, -2},
        {"FToiNearest(1535)", [] { return H::FToiNearest(1535); }, 1},
        {"Fmul(1536, -2048)", [] { return H::Fmul(1536, -2048); }, -3072},
        {"FmulToLong(1 << 30, 1 << 30)", [] { return H::FmulToLong(1 << 30, 1 << 30); }, int64_t{1} << 50},
        {"Fdiv(1024, 3072)", [] { return H::Fdiv(1024, 3072); }, 341},
        {"Fdiv(-1024, 3072)", [] { return H::Fdiv(-1024, 3072); }, -341},
        {"sqrt(1)", [] { return H::sqrt(1); }, 1},
        {"sqrt(2)", [] { return H::sqrt(2); }, 1},
        {"sqrt(-5)", [] { return H::sqrt(-5); }, -5},
        {"sqrt(INT_MAX)", [] { return H::sqrt(INT_MAX); }, 46340},
        {"cbrt(27)", [] { return H::cbrt(27); }, 3},
        {"Fsqrt(4096)", [] { return H::Fsqrt(4096); }, 2048},
        {"Fsqrt(1 << 20)", [] { return H::Fsqrt(1 << 20); }, 32768},
        {"Fcbrt(8192)", [] { return H::Fcbrt(8192); }, 2048},
        {"Fcos(0)", [] { return H::Fcos(0); }, 1024},
        {"Fsin(1608)", [] { return H::Fsin(1608); }, 1024},
        {"Fcos(3217)", [] { return H::Fcos(3217); }, -1024},
        {"Fcos(3217 + 100 * 6434)", [] { return H::Fcos(3217 + 100 * 6434); }, -1024},
        {"sin(90)", [] { return H::sin(90); }, 1025},
        {"sin(30)", [] { return H::sin(30); }, 512},
        {"sin(-90)", [] { return H::sin(-90); }, -1023},
        {"sin(180)", [] { return H::sin(180); }, 6},
        {"sin(450)", [] { return H::sin(450); }, 1025},
        {"cos(60)", [] { return H::cos(60); }, 513},
        {"cos(90)", [] { return H::cos(90); }, 0},
        {"cos(180)", [] { return H::cos(180); }, -1000},
        {"FradToFDeg(3217)", [] { return H::FradToFDeg(3217); }, 184320},
        {"FradToFDeg(6434)", [] { return H::FradToFDeg(6434); }, 0},
        {"FdegToFRad(184320)", [] { return H::FdegToFRad(184320); }, 3217},
        {"FradToiDeg(1608)", [] { return H::FradToiDeg(1608); }, 90},
        {"vectorToFRad(0, 5)", [] { return H::vectorToFRad(0, 5); }, 0},
        {"vectorToFRad(5, 0)", [] { return H::vectorToFRad(5, 0); }, 1608},
        {"vectorToFRad(-5, 0)", [] { return H::vectorToFRad(-5, 0); }, -1608},
        {"vectorToFRad(3, 3)", [] { return H::vectorToFRad(3, 3); }, 801},
        {"vectorToFRad(-3, -3)", [] { return H::vectorToFRad(-3, -3); }, -2416},
        {"vectorToiDeg(3, 3)", [] { return H::vectorToiDeg(3, 3); }, 45},
        {"abs(INT_MIN)", [] { return H::abs(INT_MIN); }, INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(c.compute(), c.expected) << c.call;
}

// Inputs where a 32-bit step of the original arithmetic would overflow get a defined result.
TEST(FixedPoint, OverflowingInputsHaveDefinedResults) {
    const Case cases[] = {
        {"Fdiv(5, 0)", [] { return H::Fdiv(5, 0); }, INT_MAX},
        {"Fdiv(-5, 0)", [] { return H::Fdiv(-5, 0); }, INT_MIN},
        {"Fdiv(0, 0)", [] { return H::Fdiv(0, 0); }, 0},
        {"Fdiv(1024, INT_MIN)", [] { return H::Fdiv(1024, INT_MIN); }, 0},
        {"vectorToFRad(INT_MIN, 0)", [] { return H::vectorToFRad(INT_MIN, 0); }, -1608},
        {"vectorToFRad(INT_MIN, INT_MIN)", [] { return H::vectorToFRad(INT_MIN, INT_MIN); }, -2416},
        {"vectorToFRad(0, INT_MIN)", [] { return H::vectorToFRad(0, INT_MIN); }, 3217},
        {"FradToFDeg(INT_MIN)", [] { return H::FradToFDeg(INT_MIN); }, -59244},
        {"idegToFRad(360 * 10000 + 90)", [] { return H::idegToFRad(360 * 10000 + 90); }, 1609},
        {"FToiNearest(INT_MAX)", [] { return H::FToiNearest(INT_MAX); }, 2097152},
        {"cbrt(INT_MAX)", [] { return H::cbrt(INT_MAX); }, 1290},
    };
    for (const Case& c : cases) EXPECT_EQ(c.compute(), c.expected) << c.call;
}

TEST(FixedPoint, CubeRootIsTheFixedPointCubeRootAcrossEveryRange) {
    // Below 2^20, and from 2^25 to 2^29, the 32-bit forms; elsewhere the exact root of f x 2^20.
    for (int32_t f : {1, 1000, 1023, 1024, 100000, (1 << 20) - 1, 1 << 20, 3 << 21, (1 << 25) - 1, 1 << 25,
                      (1 << 29) - 1, 1 << 29, INT_MAX}) {
        const double exact = std::cbrt(static_cast<double>(f) * 1048576.0);
        EXPECT_NEAR(H::Fcbrt(f), exact, exact * 0.002 + 8) << f;
        if (f < 1 << 20 || f == 1 << 25 || f == (1 << 29) - 1) continue;  // the 32-bit forms are near, not exact
        const int64_t root = H::Fcbrt(f), scaled = static_cast<int64_t>(f) << 20;
        EXPECT_TRUE(root * root * root <= scaled && (root + 1) * (root + 1) * (root + 1) > scaled) << f;
    }
}

TEST(RandomNumbers, TheGeneratorFollowsThe48BitSequenceFromItsSeed) {
    H::setRandomNumberSeed(0);
    const int64_t states[] = {11, 277363943098, 11718085204285, 49720483695876, 102626409374399};
    for (int64_t state : states) {
        EXPECT_EQ(H::random(INT_MAX), static_cast<int32_t>(state >> 17));
        EXPECT_EQ(H::random_seed, state);
        H::random_seed = state;
    }
    H::setRandomNumberSeed(0x1234);
    const int32_t bounds[] = {10, 100, -7, 1000, INT_MAX};
    const int32_t values[] = {7, 25, 3, 795, 1672069750};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(H::random(bounds[i]), values[i]) << bounds[i];
    const int64_t before = H::random_seed;
    EXPECT_EQ(H::random(0), 0);
    EXPECT_NE(H::random_seed, before) << "a bound of 0 still steps the generator";
}

TEST(RandomNumbers, AddingToTheWordPairSeedCarriesAsOneUnsigned64BitNumber) {
    struct Sum {
        int32_t high, low, added, highAfter, lowAfter;
    };
    const Sum sums[] = {
        {0, 5, 7, 0, 12},
        {0, -1, 1, 1, 0},
        {0, 0, -1, 0, -1},
        {3, INT_MIN, INT_MIN, 4, 0},
        {-1, -1, 1, 0, 0},
    };
    for (const Sum& s : sums) {
        H::random_seed_high = s.high;
        H::random_seed_low = s.low;
        H::randomAddToIntSeed(s.added);
        EXPECT_EQ(H::random_seed_high, s.highAfter) << s.high << ":" << s.low << " + " << s.added;
        EXPECT_EQ(H::random_seed_low, s.lowAfter) << s.high << ":" << s.low << " + " << s.added;
    }
}

TEST(ByteArrayNumbers, AreBigEndian) {
    auto bytes = jnew<JArray<signed char>>(10);
    EXPECT_EQ(H::writeIntToByteArray(bytes, 2, 258), 6);
    EXPECT_EQ((*bytes)[2], 0);
    EXPECT_EQ((*bytes)[5], 2);
    EXPECT_EQ(H::readIntFromByteArray(bytes, 2), 258);
    H::writeIntToByteArray(bytes, 0, -2);
    EXPECT_EQ(H::readShortFromByteArray(bytes, 2), -2);
    EXPECT_EQ(H::readIntFromByteArray(bytes, 0), -2);
    H::writeIntToByteArray(bytes, 4, 0x01020304);
    EXPECT_EQ(H::readLongFromByteArray(bytes, 0), static_cast<int64_t>(0xFFFFFFFE01020304ull));
}

}  // namespace
