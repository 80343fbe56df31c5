#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "runtime/io/ByteArrayInputStream.h"
#include "runtime/io/ByteArrayOutputStream.h"
#include "runtime/io/DataInputStream.h"
#include "runtime/io/DataOutputStream.h"
#include "runtime/io/EOFException.h"
#include "runtime/io/UTFDataFormatException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/text/String.h"

using namespace java::io;
using java::lang::jnew;

namespace {

std::vector<int> bytesWritten(const std::function<void(DataOutputStream&)>& writing) {
    auto sink = jnew<ByteArrayOutputStream>();
    auto out = jnew<DataOutputStream>(sink);
    writing(*out);
    auto array = sink->toByteArray();
    std::vector<int> values;
    for (int32_t i = 0; i < array->length; ++i) values.push_back(static_cast<unsigned char>(array->data[i]));
    return values;
}

JavaPtr<DataInputStream> readerOf(const std::vector<int>& values) {
    auto array = jnew<JArray<signed char>>(static_cast<int32_t>(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->data[i] = static_cast<signed char>(values[i]);
    return jnew<DataInputStream>(jnew<ByteArrayInputStream>(array));
}

JavaPtr<String> text(std::u16string_view units) { return jnew<String>(units.data(), static_cast<int32_t>(units.size())); }

}  // namespace

TEST(DataStreams, NumbersAreBigEndianAndReadBack) {
    struct Case {
        const char* name;
        std::function<void(DataOutputStream&)> write;
        std::vector<int> bytes;
        std::function<void(DataInputStream&)> readAndCheck;
    };
    const std::vector<Case> cases = {
        {"boolean", [](auto& o) { o.writeBoolean(true); o.writeBoolean(false); }, {1, 0},
         [](auto& i) { EXPECT_TRUE(i.readBoolean()); EXPECT_FALSE(i.readBoolean()); }},
        {"byte", [](auto& o) { o.writeByte(0x1FF); }, {0xFF}, [](auto& i) { EXPECT_EQ(i.readByte(), -1); }},
        {"short", [](auto& o) { o.writeShort(-2); }, {0xFF, 0xFE}, [](auto& i) { EXPECT_EQ(i.readShort(), -2); }},
        {"unsigned short", [](auto& o) { o.writeShort(0xABCD); }, {0xAB, 0xCD},
         [](auto& i) { EXPECT_EQ(i.readUnsignedShort(), 0xABCD); }},
        {"char", [](auto& o) { o.writeChar(0x20AC); }, {0x20, 0xAC}, [](auto& i) { EXPECT_EQ(i.readChar(), u'\u20AC'); }},
        {"int", [](auto& o) { o.writeInt(0x01020304); }, {1, 2, 3, 4},
         [](auto& i) { EXPECT_EQ(i.readInt(), 0x01020304); }},
        {"negative int", [](auto& o) { o.writeInt(std::numeric_limits<int32_t>::min()); }, {0x80, 0, 0, 0},
         [](auto& i) { EXPECT_EQ(i.readInt(), std::numeric_limits<int32_t>::min()); }},
        {"long", [](auto& o) { o.writeLong(0x0102030405060708LL); }, {1, 2, 3, 4, 5, 6, 7, 8},
         [](auto& i) { EXPECT_EQ(i.readLong(), 0x0102030405060708LL); }},
        {"float", [](auto& o) { o.writeFloat(1.5f); }, {0x3F, 0xC0, 0, 0}, [](auto& i) { EXPECT_EQ(i.readFloat(), 1.5f); }},
        {"double", [](auto& o) { o.writeDouble(-2.0); }, {0xC0, 0, 0, 0, 0, 0, 0, 0},
         [](auto& i) { EXPECT_EQ(i.readDouble(), -2.0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bytesWritten(c.write), c.bytes);
        auto in = readerOf(c.bytes);
        c.readAndCheck(*in);
        EXPECT_EQ(in->read(), -1);
    }
}

TEST(DataInputStream, EndOfDataFollowsEachReadsOwnRule) {
    EXPECT_EQ(readerOf({})->readInt(), -1);
    EXPECT_EQ(readerOf({1, 2})->readInt(), -1);
    EXPECT_TRUE(readerOf({})->readBoolean());
    EXPECT_THROW(readerOf({})->readByte(), EOFException);
    EXPECT_THROW(readerOf({1})->readShort(), EOFException);
    EXPECT_THROW(readerOf({1, 2, 3})->readLong(), EOFException);
    EXPECT_THROW(readerOf({1, 2})->readFully(jnew<JArray<signed char>>(3)), EOFException);
    EXPECT_THROW(readerOf({0, 3, 'a'})->readUTF(), EOFException);
    EXPECT_THROW(readerOf({0})->readUTF(), EOFException);
}

TEST(DataInputStream, BulkReadGivesMinusOneForNothingAsked) {
    auto in = readerOf({5, 6});
    auto target = jnew<JArray<signed char>>(2);
    EXPECT_EQ(in->read(target, 0, 0), -1);
    EXPECT_EQ(in->read(target, 0, 2), 2);
    EXPECT_EQ(in->read(target, 0, 2), -1);
}

TEST(ModifiedUtf8, EncodesEachUnitAndReadsItBack) {
    struct Case {
        std::u16string units;
        std::vector<int> bytes;
    };
    const std::vector<Case> cases = {
        {u"", {0, 0}},
        {u"Ab", {0, 2, 'A', 'b'}},
        {std::u16string(1, u'\0'), {0, 2, 0xC0, 0x80}},
        {u"\u00E9", {0, 2, 0xC3, 0xA9}},
        {u"\u07FF\u0800", {0, 5, 0xDF, 0xBF, 0xE0, 0xA0, 0x80}},
        {u"\u20AC", {0, 3, 0xE2, 0x82, 0xAC}},
        // U+1F600 is two surrogates of three bytes each, not one four-byte sequence.
        {u"\U0001F600", {0, 6, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(bytesWritten([&](DataOutputStream& o) { o.writeUTF(text(c.units)); }), c.bytes);
        EXPECT_EQ(readerOf(c.bytes)->readUTF()->view(), c.units);
    }
}

TEST(ModifiedUtf8, TextOf65536BytesOrMoreIsRefusedWithNothingWritten) {
    struct Case {
        std::u16string units;
        bool fits;
    };
    const std::vector<Case> cases = {
        {std::u16string(65535, u'a'), true},
        {std::u16string(65536, u'a'), false},
        {std::u16string(21845, u'\u20AC'), true},  // 65535 bytes
        {std::u16string(21846, u'\u20AC'), false},
        {std::u16string(32768, u'\0'), false},  // two bytes each
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units.size());
        auto sink = jnew<ByteArrayOutputStream>();
        auto out = jnew<DataOutputStream>(sink);
        if (!c.fits) {
            EXPECT_THROW(out->writeUTF(text(c.units)), UTFDataFormatException);
            EXPECT_EQ(sink->size(), 0);
            continue;
        }
        out->writeUTF(text(c.units));
        EXPECT_EQ(sink->size(), 65537);
        auto in = jnew<DataInputStream>(jnew<ByteArrayInputStream>(sink->toByteArray()));
        EXPECT_TRUE(in->readUTF()->view() == c.units);
    }
}

TEST(ModifiedUtf8, MalformedBytesAreRefused) {
    const std::vector<std::vector<int>> cases = {
        {0, 1, 0x80},              // a continuation byte alone
        {0, 2, 0xC3, 0x41},        // a lead without its continuation
        {0, 1, 0xC3},              // the count ends inside a character
        {0, 4, 0xF0, 0x9F, 0x98, 0x80},  // four-byte form is not modified UTF-8
    };
    for (const auto& bytes : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_THROW(readerOf(bytes)->readUTF(), UTFDataFormatException);
    }
}
