#include <gtest/gtest.h>

#include <vector>

#include "runtime/io/ByteArrayInputStream.h"
#include "runtime/io/ByteArrayOutputStream.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"

using namespace java::io;
using java::lang::jnew;
using Bytes = JavaPtr<JArray<signed char>>;

namespace {

Bytes bytesOf(std::vector<int> values) {
    auto array = jnew<JArray<signed char>>(static_cast<int32_t>(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->data[i] = static_cast<signed char>(values[i]);
    return array;
}

std::vector<int> valuesOf(const Bytes& array) {
    return std::vector<int>(array->data, array->data + array->length);
}

// Gives out 1, 2, 3 and then the end, through nothing but read().
class ThreeBytes : public InputStream {
    JAVA_CLASS(ThreeBytes, "test.ThreeBytes", InputStream)
public:
    int32_t read() override { return next < 3 ? ++next : -1; }
    using InputStream::read;
    int next = 0;
};

}  // namespace

TEST(ByteArrayInputStream, ReadsUnsignedBytesThenMinusOneAndANullArrayIsEmpty) {
    auto in = jnew<ByteArrayInputStream>(bytesOf({0, 127, -128, -1}));
    EXPECT_EQ(in->available(), 4);
    for (int expected : {0, 127, 128, 255, -1}) EXPECT_EQ(in->read(), expected);
    EXPECT_EQ(in->available(), 0);
    auto overNull = jnew<ByteArrayInputStream>(nullptr);
    EXPECT_EQ(overNull->available(), 0);
    EXPECT_EQ(overNull->read(), -1);
}

TEST(ByteArrayInputStream, BulkReadCountsAndEnds) {
    auto in = jnew<ByteArrayInputStream>(bytesOf({1, 2, 3, 4, 5}));
    auto target = jnew<JArray<signed char>>(4);
    EXPECT_EQ(in->read(target, 1, 3), 3);
    EXPECT_EQ(valuesOf(target), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(in->read(target), 2);
    EXPECT_EQ(in->read(target), -1);
    EXPECT_THROW(in->read(target, 2, 3), java::lang::ArrayIndexOutOfBoundsException);
}

TEST(ByteArrayInputStream, SkipMarkAndResetMoveThePosition) {
    auto in = jnew<ByteArrayInputStream>(bytesOf({10, 20, 30, 40}));
    EXPECT_TRUE(in->markSupported());
    EXPECT_EQ(in->skip(1), 1);
    in->mark(0);
    EXPECT_EQ(in->read(), 20);
    EXPECT_EQ(in->skip(100), 2);
    in->reset();
    EXPECT_EQ(in->read(), 20);
    EXPECT_EQ(in->skip(-5), 0);
}

TEST(ByteArrayInputStream, CloseReleasesTheArrayButKeepsCount) {
    auto in = jnew<ByteArrayInputStream>(bytesOf({1, 2, 3}));
    in->read();
    in->close();
    EXPECT_EQ(in->available(), 2);
    EXPECT_EQ(in->read(), -1);  // not a crash on the released array
    EXPECT_EQ(in->read(jnew<JArray<signed char>>(2)), -1);
}

TEST(ByteArrayOutputStream, GrowsPastItsFirstCapacityKeepingEveryByte) {
    auto out = jnew<ByteArrayOutputStream>();
    for (int i = 0; i < 1000; ++i) out->write(i);  // the low 8 bits of each
    out->write(bytesOf({7, 8, 9}), 1, 2);
    ASSERT_EQ(out->size(), 1002);
    Bytes all = out->toByteArray();
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(all->data[i], static_cast<signed char>(i)) << i;
    EXPECT_EQ(all->data[1000], 8);
    EXPECT_EQ(all->data[1001], 9);
}

TEST(ByteArrayOutputStream, ToByteArrayIsACopyAndResetEmpties) {
    auto out = jnew<ByteArrayOutputStream>();
    out->write(bytesOf({1, 2}));
    Bytes first = out->toByteArray();
    first->data[0] = 99;
    EXPECT_EQ(valuesOf(out->toByteArray()), (std::vector<int>{1, 2}));
    out->reset();
    EXPECT_EQ(out->size(), 0);
    EXPECT_EQ(out->toByteArray()->length, 0);
    EXPECT_THROW(out->write(bytesOf({1}), 0, 2), java::lang::ArrayIndexOutOfBoundsException);
    EXPECT_EQ(out->size(), 0);
}

TEST(InputStream, DefaultsBuildOnSingleByteReads) {
    auto in = jnew<ThreeBytes>();
    auto target = jnew<JArray<signed char>>(5);
    EXPECT_EQ(in->read(target, 0, 0), 0);
    EXPECT_EQ(in->read(target, 1, 4), 3);
    EXPECT_EQ(valuesOf(target), (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(in->read(target), -1);
    EXPECT_THROW(in->reset(), IOException);
}
