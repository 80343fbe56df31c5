// Messages: segment counts, how an address splits into port and URL, timestamps and names.
#include <gtest/gtest.h>

#include <string>

#include "runtime/lang/Exceptions.h"
#include "runtime/messaging/BinaryMessageImpl.h"
#include "runtime/messaging/MessageConnection.h"
#include "runtime/messaging/TextMessageImpl.h"
#include "runtime/text/String.h"

using namespace javax::wireless::messaging;
using java::lang::String;
using java::lang::jnew;

namespace {

class MessageTest : public ::testing::Test {
protected:
    void SetUp() override { MessageConnection::MessageConnection_staticInit(); }
    void TearDown() override { MessageConnection::MessageConnection_staticDestroy(); }
};

JavaPtr<String> units(const std::u16string& text) { return jnew<String>(text.data(), static_cast<int32_t>(text.size())); }

// count units of filler, with `special` (if any) first.
JavaPtr<String> textOf(int32_t count, char16_t special = 0, char16_t filler = u'a') {
    std::u16string text(static_cast<size_t>(count), filler);
    if (special && count > 0) text[0] = special;
    return units(text);
}

TEST_F(MessageTest, TextSegmentsFollowTheWidestCharacter) {
    struct Row {
        JavaPtr<String> text;
        int32_t segments;
    };
    const std::u16string wideThenLatin = std::u16string(u"\u20AC") + std::u16string(133, u'\u00E9');
    const Row rows[] = {
        {textOf(160), 1},          {textOf(161), 2},          {textOf(306), 2},          {textOf(307), 3},
        {textOf(140, 0xE9), 1},    {textOf(141, 0xE9), 2},    {textOf(266, 0xE9), 2},    {textOf(267, 0xE9), 3},
        {textOf(70, 0x20AC), 1},   {textOf(71, 0x20AC), 2},   {textOf(134, 0x20AC), 2},  {textOf(135, 0x20AC), 3},
        {units(wideThenLatin), 2}, {textOf(0), 1},            {nullptr, 0},
    };
    for (const Row& row : rows) {
        JavaPtr<TextMessageImpl> message = jnew<TextMessageImpl>();
        message->setPayloadText(row.text);
        EXPECT_EQ(message->_getNumSegments(), row.segments) << (row.text ? row.text->length() : -1);
    }
}

TEST_F(MessageTest, BinarySegmentsFollowThePayloadLength) {
    struct Row {
        int32_t bytes;  // -1: no payload
        int32_t segments;
    };
    for (const Row& row : {Row{0, 1}, Row{140, 1}, Row{141, 2}, Row{266, 2}, Row{267, 3}, Row{-1, 0}}) {
        JavaPtr<BinaryMessageImpl> message = jnew<BinaryMessageImpl>();
        if (row.bytes >= 0) message->setPayloadData(jnew<JArray<signed char>>(row.bytes));
        EXPECT_EQ(message->_getNumSegments(), row.segments) << row.bytes;
    }
}

TEST_F(MessageTest, AnAddressSplitsIntoPortAndUrl) {
    struct Row {
        const char* address;  // null: none
        int32_t port;
        const char* url;  // null: none
    };
    const Row rows[] = {
        {"sms://+4917012:5000", 5000, "sms://+4917012"},
        {"sms://+4917012", -1, nullptr},
        {"sms://:5000", 5000, nullptr},
        {"sms://:", -1, nullptr},
        {"sms://123:50ab", 50, "sms://123ab"},
        {"sms://123:abc", -1, "sms://123abc"},
        {"sms://a:", -1, "sms://a"},
        {"sms://123:0", 0, "sms://123"},
        {"sms://123:65536", 65536, "sms://123"},
        {"mms://123:5000", -1, nullptr},
        {nullptr, -1, nullptr},
    };
    for (const Row& row : rows) {
        JavaPtr<BinaryMessageImpl> message = jnew<BinaryMessageImpl>(row.address ? jnew<String>(row.address) : nullptr);
        EXPECT_EQ(message->_getPortNumber(), row.port) << (row.address ? row.address : "null");
        JavaPtr<String> url = message->_getAndroidUrl();
        EXPECT_EQ(url ? std::string(url->val()) : "null", row.url ? row.url : "null");
    }
}

TEST_F(MessageTest, AnOverflowingPortLeavesTheMessageAsItWas) {
    JavaPtr<String> first = jnew<String>("sms://123:5000");
    JavaPtr<BinaryMessageImpl> message = jnew<BinaryMessageImpl>(first);
    EXPECT_THROW(message->setAddress(jnew<String>("sms://456:99999999999")), java::lang::NumberFormatException);
    EXPECT_EQ(message->getAddress().get(), first.get());
    EXPECT_EQ(message->_getPortNumber(), 5000);
    EXPECT_STREQ(message->_getAndroidUrl()->val(), "sms://123");
    EXPECT_THROW(jnew<BinaryMessageImpl>(jnew<String>("sms://1:2147483648")), java::lang::NumberFormatException);
    message->setAddress(jnew<String>("sms://456:2147483647"));
    EXPECT_EQ(message->_getPortNumber(), 2147483647);
}

TEST_F(MessageTest, TimestampsAreCopiesAndNamesAreTheClasses) {
    JavaPtr<java::util::Date> made = jnew<java::util::Date>(784111777000LL);
    JavaPtr<TextMessageImpl> message = jnew<TextMessageImpl>(jnew<String>("sms://1"), made);
    JavaPtr<java::util::Date> first = message->getTimestamp();
    EXPECT_EQ(first->getTime(), 784111777000LL);
    EXPECT_NE(first.get(), made.get());
    EXPECT_NE(first.get(), message->getTimestamp().get());

    struct Row {
        JavaPtr<MessageImpl> message;
        const char* name;
        const char* type;  // null: none
    };
    const Row rows[] = {
        {message, "javax.wireless.messaging.TextMessageImpl", "text"},
        {jnew<BinaryMessageImpl>(), "javax.wireless.messaging.BinaryMessageImpl", "binary"},
        {jnew<MessageImpl>(), "javax.wireless.messaging.MessageImpl", nullptr},
    };
    for (const Row& row : rows) {
        EXPECT_STREQ(row.message->getClassTypeName()->val(), row.name);
        EXPECT_TRUE(java::lang::recastObj<Message>(row.message));
        JavaPtr<String> type = row.message->_messageType();
        EXPECT_EQ(type ? std::string(type->val()) : "null", row.type ? row.type : "null");
    }
    EXPECT_TRUE(java::lang::recastObj<TextMessage>(message));
    EXPECT_FALSE(java::lang::recastObj<BinaryMessage>(message));
}

}  // namespace
