// Arrays: zero-filled creation, empty arrays, dimensions and type codes, growth in place, copying.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <set>

#include "runtime/lang/Exceptions.h"
#include "runtime/lang/JArray.h"
#include "runtime/lang/System.h"
#include "runtime/lang/tests/TestClasses.h"
#include "runtime/text/String.h"

using namespace java::lang;
using langtest::Tracked;

namespace {

template <class T>
class PrimitiveArray : public ::testing::Test {};
using PrimitiveTypes = ::testing::Types<bool, signed char, jchar, short, int, long long, float, double,
                                        unsigned char, unsigned int, unsigned long long>;
TYPED_TEST_SUITE(PrimitiveArray, PrimitiveTypes);

TYPED_TEST(PrimitiveArray, IsZeroFilledWithTheRequestedLength) {
    // Dirty the heap first so that a missing fill shows.
    for (int round = 0; round < 4; ++round) {
        auto scribble = jnew<JArray<TypeParam>>(64);
        for (int32_t i = 0; i < 64; ++i) scribble->data[i] = static_cast<TypeParam>(1);
    }
    auto array = jnew<JArray<TypeParam>>(64);
    ASSERT_EQ(array->length, 64);
    for (int32_t i = 0; i < 64; ++i) EXPECT_EQ(array->data[i], TypeParam{}) << i;
}

TEST(Array, LengthBelowOneGivesAValidEmptyArray) {
    for (int32_t length : {0, -1, INT_MIN}) {
        SCOPED_TRACE(length);
        auto ints = jnew<JArray<int>>(length);
        EXPECT_EQ(ints->length, 0);
        EXPECT_EQ(ints->data, nullptr);
        ints->append(5);
        ASSERT_EQ(ints->length, 1);
        EXPECT_EQ(ints->data[0], 5);
    }
}

TEST(Array, TypeCodesDimensionsAndMembership) {
    struct Row {
        const char* name;
        JavaPtr<Object> array;
        int32_t elementCode;  // or element class id
        int32_t dimensions;
    };
    const Row rows[] = {
        {"bool[]", jnew<JArray<bool>>(1), 1, 1},       {"byte[]", jnew<JArray<signed char>>(1), 2, 1},
        {"char[]", jnew<JArray<jchar>>(1), 3, 1},      {"short[]", jnew<JArray<short>>(1), 4, 1},
        {"int[]", jnew<JArray<int>>(1), 5, 1},         {"long[]", jnew<JArray<long long>>(1), 6, 1},
        {"float[]", jnew<JArray<float>>(1), 7, 1},     {"double[]", jnew<JArray<double>>(1), 8, 1},
        {"unsigned byte[]", jnew<JArray<unsigned char>>(1), 9, 1},
        {"unsigned int[]", jnew<JArray<unsigned int>>(1), 12, 1},
        {"unsigned long[]", jnew<JArray<unsigned long long>>(1), 13, 1},
        {"int[][]", jnew<JArray<JArray<int>>>(1), 5, 2},
        {"byte[][][]", jnew<JArray<JArray<JArray<signed char>>>>(1), 2, 3},
        {"String[]", jnew<JArray<String>>(1), String::typeID, 1},
        {"String[][]", jnew<JArray<JArray<String>>>(1), String::typeID, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.array->arrayDimensions(), row.dimensions);
        EXPECT_TRUE(instanceofArray(row.array.smart(), row.elementCode, row.dimensions));
        EXPECT_FALSE(instanceofArray(row.array.smart(), row.elementCode, row.dimensions + 1));
        EXPECT_FALSE(instanceofArray(row.array.smart(), row.elementCode == 5 ? 4 : 5, row.dimensions));
    }
    EXPECT_EQ(jnew<Object>()->arrayDimensions(), 0);
    EXPECT_FALSE(instanceofArray(jnew<String>("int").get(), 5, 1));
    EXPECT_FALSE(instanceofArray(nullptr, 5, 1));
}

TEST(Array, CheckedAccessRejectsIndicesOutside) {
    auto array = jnew<JArray<int>>(3);
    array->at(2) = 4;
    EXPECT_EQ((*array)[2], 4);
    for (int32_t index : {-1, 3, INT_MAX, INT_MIN})
        EXPECT_THROW(array->at(index), ArrayIndexOutOfBoundsException) << index;
}

// The values 0..n-1, so that a copy shows where each element came from.
JavaPtr<JArray<int>> countingArray(int32_t n) {
    auto array = jnew<JArray<int>>(n);
    for (int32_t i = 0; i < n; ++i) array->data[i] = i;
    return array;
}

// Reference elements must also keep their counts: an overwritten element that no slot names any more goes.
TEST(Arraycopy, OverlappingRangesCopyAsIfThroughATemporary) {
    struct Case {
        int32_t from, to, count;
        int expected[6];
    };
    const Case cases[] = {
        {0, 1, 5, {0, 0, 1, 2, 3, 4}}, {1, 0, 5, {1, 2, 3, 4, 5, 5}}, {0, 3, 3, {0, 1, 2, 0, 1, 2}},
        {2, 0, 4, {2, 3, 4, 5, 4, 5}}, {0, 0, 6, {0, 1, 2, 3, 4, 5}}, {3, 1, 0, {0, 1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << " x" << c.count);
        auto ints = countingArray(6);
        System::arraycopy(ints, c.from, ints, c.to, c.count);
        for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(ints->data[i], c.expected[i]) << i;

        std::atomic<int> destroyed{0};
        auto objects = jnew<JArray<Tracked>>(6);
        Tracked* original[6];
        for (int32_t i = 0; i < 6; ++i) original[i] = (objects->data[i] = jnew<Tracked>(&destroyed)).get();
        System::arraycopy(objects, c.from, objects, c.to, c.count);
        for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(objects->data[i].get(), original[c.expected[i]]) << i;
        EXPECT_EQ(destroyed, 6 - static_cast<int>(std::set<int>(c.expected, c.expected + 6).size()));
        objects = nullptr;
        EXPECT_EQ(destroyed, 6);
    }
}

TEST(Arraycopy, RangeOutsideEitherArrayOrANullArrayThrowsAndCopiesNothing) {
    struct Case {
        int32_t srcPos, dstPos, count;
    };
    const Case cases[] = {
        {-1, 0, 1}, {0, -1, 1}, {0, 0, -1}, {4, 0, 2}, {0, 3, 2}, {5, 0, 1}, {0, 0, 6},
        {INT_MAX, 0, 1}, {1, 1, INT_MAX},
    };
    auto source = countingArray(5);
    auto target = jnew<JArray<int>>(4);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.srcPos << " -> " << c.dstPos << " x" << c.count);
        EXPECT_THROW(System::arraycopy(source, c.srcPos, target, c.dstPos, c.count), ArrayIndexOutOfBoundsException);
        for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(target->data[i], 0);
    }
    JavaPtr<JArray<int>> none;
    EXPECT_THROW(System::arraycopy(none, 0, target, 0, 1), NullPointerException);
    EXPECT_THROW(System::arraycopy(source, 0, none, 0, 1), NullPointerException);
    System::arraycopy(source, 1, target, 0, 4);
    EXPECT_EQ(target->data[3], 4);
    System::arraycopy(source, 5, target, 4, 0);  // an empty range at the very end is inside
}

}  // namespace
