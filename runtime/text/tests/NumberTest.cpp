#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/lang/Exceptions.h"
#include "runtime/text/Boolean.h"
#include "runtime/text/Character.h"
#include "runtime/text/Double.h"
#include "runtime/text/Float.h"
#include "runtime/text/Integer.h"
#include "runtime/text/Long.h"
#include "runtime/text/String.h"
#include "runtime/text/StringBuffer.h"

using namespace java::lang;

TEST(Long, ParseLongIsLenient) {
    struct Case {
        const char* text;
        int radix;
        long long expected;
    };
    const Case cases[] = {
        {"", 10, 0},     {"-", 10, 0},      {"123", 10, 123},  {"-123", 10, -123}, {"12ab", 10, 12},
        {"ab12", 10, 0}, {"+5", 10, 0},     {" 7", 10, 0},     {"7 ", 10, 7},      {"--3", 10, 0},
        {"ff", 16, 255}, {"-Ff", 16, -255}, {"zz", 36, 1295},  {"102", 2, 2},
        {"9223372036854775807", 10, INT64_MAX},
        {"-9223372036854775808", 10, INT64_MIN},
        {"00000000000000000000000000000042", 10, 42},
    };
    for (const Case& c : cases) EXPECT_EQ(Long::parseLong(jnew<String>(c.text), c.radix), c.expected) << c.text;
    EXPECT_EQ(Long::parseLong(jnew<String>("-77")), -77);
}

TEST(Long, ParseLongRejectsWhatItCannotRead) {
    struct Case {
        const char* text;
        int radix;
    };
    const Case cases[] = {{"9223372036854775808", 10}, {"-9223372036854775809", 10},
                          {"99999999999999999999999999999999", 10},
                          {"-99999999999999999999999999999999x", 10},
                          {"8000000000000000", 16}, {"1", 1}, {"1", 37}};
    for (const Case& c : cases)
        EXPECT_THROW(Long::parseLong(jnew<String>(c.text), c.radix), NumberFormatException) << c.text << " " << c.radix;
    EXPECT_THROW(Long::parseLong(JavaPtr<String>()), NumberFormatException);
}

TEST(Integer, ParseIntKeepsToTheIntRange) {
    EXPECT_EQ(Integer::parseInt(jnew<String>("2147483647")), INT32_MAX);
    EXPECT_EQ(Integer::parseInt(jnew<String>("-2147483648")), INT32_MIN);
    EXPECT_EQ(Integer::parseInt(jnew<String>("row12")), 0);
    EXPECT_EQ(Integer::parseInt(jnew<String>("7f"), 16), 127);
    EXPECT_THROW(Integer::parseInt(jnew<String>("2147483648")), NumberFormatException);
    EXPECT_THROW(Integer::parseInt(jnew<String>("-2147483649")), NumberFormatException);
    EXPECT_THROW(Integer::parseInt(JavaPtr<String>()), NumberFormatException);
    EXPECT_EQ(Integer::toString(INT32_MIN)->view(), u"-2147483648");
}

TEST(Character, CaseMappingCoversLatin1Only) {
    struct Case {
        jchar lower, upper;
    };
    for (const Case c : {Case{u'a', u'A'}, Case{u'z', u'Z'}, Case{0xE9, 0xC9}, Case{0xFE, 0xDE}}) {
        EXPECT_EQ(Character::toUpperCase(c.lower), c.upper);
        EXPECT_EQ(Character::toLowerCase(c.upper), c.lower);
    }
    for (jchar unchanged : {jchar{u'1'}, jchar{0xD7}, jchar{0xF7}, jchar{0xDF}, jchar{0xFF}, jchar{0x0142}})
        EXPECT_EQ(Character::toUpperCase(Character::toLowerCase(unchanged)), unchanged);
    EXPECT_EQ(Character::digit(u'z', 36), 35);
    EXPECT_EQ(Character::digit(u'9', 9), -1);
}

TEST(Boxed, EqualityFollowsValueAndType) {
    EXPECT_TRUE(jnew<Long>(5)->equals(jnew<Long>(5)));
    EXPECT_FALSE(jnew<Long>(5)->equals(jnew<Integer>(5)));
    EXPECT_EQ(jnew<Long>(-9000000000LL)->toString()->view(), u"-9000000000");
    EXPECT_EQ(jnew<Boolean>(true)->toString()->view(), u"true");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(jnew<Double>(nan)->equals(jnew<Double>(-nan)));
    EXPECT_FALSE(jnew<Double>(0.0)->equals(jnew<Double>(-0.0)));
}

TEST(Boxed, FloatingBitPatternsRoundTrip) {
    EXPECT_EQ(Float::intBitsToFloat(0x3F800000), 1.0f);
    EXPECT_EQ(Float::floatToIntBits(-2.5f), static_cast<int32_t>(0xC0200000));
    EXPECT_EQ(Float::floatToIntBits(Float::intBitsToFloat(0x7F800001)), 0x7FC00000);
    EXPECT_EQ(Double::longBitsToDouble(0x4059000000000000LL), 100.0);
    EXPECT_EQ(Double::doubleToLongBits(Double::longBitsToDouble(INT64_MIN)), INT64_MIN);  // -0.0
    EXPECT_TRUE(std::isnan(Double::longBitsToDouble(0x7FF0000000000001LL)));
}

TEST(Boxed, FloatingText) {
    struct Case {
        double value;
        const char16_t* text;
    };
    const Case cases[] = {{1.0, u"1.0"},        {-0.0, u"-0.0"},      {100.5, u"100.5"},     {0.001, u"0.001"},
                          {0.0001, u"1.0E-4"},  {1e7, u"1.0E7"},      {1234567.0, u"1234567.0"},
                          {1.5e300, u"1.5E300"}, {std::numeric_limits<double>::infinity(), u"Infinity"}};
    for (const Case& c : cases) EXPECT_EQ(jnew<Double>(c.value)->toString()->view(), c.text) << c.value;
    EXPECT_EQ(jnew<Float>(0.1f)->toString()->view(), u"0.1");
}

TEST(StringBuffer, AppendsUnitsBeyondItsInitialCapacity) {
    auto buffer = jnew<StringBuffer>(2);
    for (jchar unit : std::u16string_view(u"GET /\u00e9")) buffer->append(unit);
    EXPECT_EQ(buffer->length(), 6);
    EXPECT_EQ(buffer->toString()->view(), u"GET /\u00e9");
    buffer->append(u'!');
    EXPECT_EQ(buffer->toString()->view(), u"GET /\u00e9!");
    EXPECT_THROW(jnew<StringBuffer>(-1), IllegalArgumentException);
}
