// "sms://" connections through Connector, and send against the host's real bridge and composer.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/SMSComposer.h"
#include "host/tests/UiLoop.h"
#include "platform/UiThread.h"
#include "runtime/connections/ConnectionNotFoundException.h"
#include "runtime/connections/Connector.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/messaging/BinaryMessageImpl.h"
#include "runtime/messaging/MessageConnectionImpl.h"
#include "runtime/messaging/TextMessageImpl.h"
#include "runtime/text/String.h"

using namespace javax::wireless::messaging;
using javax::microedition::io::Connector;
using java::lang::String;
using java::lang::jnew;

namespace {

class MessageConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        MessageConnection::MessageConnection_staticInit();
        UiThread::markCurrentThread();
    }
    void TearDown() override {
        SMSComposer::setAnswer(SMSComposer::Answer::Unavailable);
        MessageConnection::MessageConnection_staticDestroy();
    }

    static JavaPtr<MessageConnection> open(const char* name, int32_t mode = Connector::READ_WRITE) {
        return java::lang::recastObj<MessageConnection>(Connector::open(jnew<String>(name), mode));
    }
    static JavaPtr<String> units(const std::u16string& text) {
        return jnew<String>(text.data(), static_cast<int32_t>(text.size()));
    }
};

// What a call threw, by kind; "returned" when nothing.
std::string outcomeOf(const std::function<void()>& call) {
    try {
        call();
        return "returned";
    } catch (java::io::IOException&) {
        return "IOException";
    } catch (java::lang::NullPointerException&) {
        return "NullPointerException";
    } catch (java::lang::IllegalArgumentException&) {
        return "IllegalArgumentException";
    }
}

TEST_F(MessageConnectionTest, SmsNamesOpenInEveryModeButTheServerFormDoesNot) {
    for (int32_t mode : {Connector::READ, Connector::WRITE, Connector::READ_WRITE, 9}) {
        JavaPtr<MessageConnection> connection = open("sms://+4917012345", mode);
        ASSERT_TRUE(connection);
        EXPECT_STREQ(connection->getClassTypeName()->val(), "javax.microedition.io.MessageConnectionImpl");
    }
    for (const char* name : {"sms://:", "sms://:5000", "SMS://123", "sms:/123"})
        EXPECT_THROW(open(name), javax::microedition::io::ConnectionNotFoundException) << name;
}

// A message of the MIDlet's own making, which the connection did not make.
class ForeignMessage : public java::lang::Object, public Message {
    JAVA_CLASS(ForeignMessage, "messagingtest.ForeignMessage", java::lang::Object, Message)
public:
    JavaPtr<String> getAddress() override { return jnew<String>("sms://1"); }
    JavaPtr<java::util::Date> getTimestamp() override { return nullptr; }
    void setAddress(JavaPtr<String>) override {}
};

TEST_F(MessageConnectionTest, NewMessagesByTypeAndOnAClosedConnection) {
    JavaPtr<MessageConnection> connection = open("sms://5551234");
    JavaPtr<Message> text = connection->newMessage(jnew<String>("text"));
    EXPECT_TRUE(java::lang::recastObj<TextMessageImpl>(text));
    EXPECT_STREQ(text->getAddress()->val(), "sms://5551234");
    EXPECT_TRUE(java::lang::recastObj<BinaryMessageImpl>(connection->newMessage(jnew<String>("binary"))));
    for (const char* type : {"multipart", "Text"})
        EXPECT_THROW(connection->newMessage(jnew<String>(type)), java::lang::IllegalArgumentException) << type;
    EXPECT_THROW(connection->newMessage(nullptr), java::lang::IllegalArgumentException);
    EXPECT_EQ(outcomeOf([&] { connection->receive(); }), "IOException");
    EXPECT_EQ(outcomeOf([&] { connection->setMessageListener(nullptr); }), "IOException");

    JavaPtr<TextMessage> long_ = java::lang::recastObj<TextMessage>(text);
    long_->setPayloadText(units(std::u16string(200, u'x')));
    EXPECT_EQ(connection->numberOfSegments(text), 2);
    EXPECT_EQ(outcomeOf([&] { connection->numberOfSegments(nullptr); }), "NullPointerException");
    EXPECT_EQ(outcomeOf([&] { connection->numberOfSegments(jnew<ForeignMessage>()); }), "IllegalArgumentException");
    EXPECT_EQ(outcomeOf([&] { connection->send(jnew<ForeignMessage>()); }), "IllegalArgumentException");
    connection->close();
    connection->close();
    EXPECT_EQ(connection->numberOfSegments(text), 2);
    JavaPtr<Message> untyped = connection->newMessage(jnew<String>("text"));
    EXPECT_FALSE(java::lang::recastObj<TextMessage>(untyped));
    EXPECT_EQ(outcomeOf([&] { open("sms://1")->send(untyped); }), "IllegalArgumentException");
    EXPECT_EQ(outcomeOf([&] { connection->send(nullptr); }), "IOException");
}

TEST_F(MessageConnectionTest, SendChecksTheMessageAndShowsTextsToTheComposer) {
    using Make = std::function<JavaPtr<Message>(const JavaPtr<MessageConnection>&)>;
    // Strings rather than C strings, so that an address or a text can hold U+0000.
    using Text = std::optional<std::string>;
    auto string = [](const Text& s) { return s ? units({s->begin(), s->end()}) : nullptr; };
    auto text = [=](Text address, Text payload) -> Make {
        return [=](const JavaPtr<MessageConnection>& connection) {
            JavaPtr<Message> message = connection->newMessage(jnew<String>("text"), string(address));
            if (payload) java::lang::recastObj<TextMessage>(message)->setPayloadText(string(payload));
            return message;
        };
    };
    auto binary = [=](Text address, int32_t bytes) -> Make {
        return [=](const JavaPtr<MessageConnection>& connection) {
            JavaPtr<Message> message = connection->newMessage(jnew<String>("binary"), string(address));
            if (bytes >= 0) java::lang::recastObj<BinaryMessage>(message)->setPayloadData(jnew<JArray<signed char>>(bytes));
            return message;
        };
    };
    using namespace std::string_literals;
    struct Row {
        const char* what;
        Make make;
        SMSComposer::Answer answer;
        const char* outcome;
        const char* shownTo;  // null: the composer shows nothing
    };
    const Row rows[] = {
        {"sent", text("sms://5551234", "hi"), SMSComposer::Answer::Sent, "returned", "5551234"},
        {"port cut from the number", text("sms://5551234:5000", "hi"), SMSComposer::Answer::Sent, "returned", "5551234"},
        {"scheme alone", text("sms://", "hi"), SMSComposer::Answer::Sent, "returned", ""},
        {"empty text", text("sms://77", ""), SMSComposer::Answer::Sent, "returned", "77"},
        {"cancelled", text("sms://5551234", "hi"), SMSComposer::Answer::Cancelled, "IOException", "5551234"},
        {"failed", text("sms://5551234", "hi"), SMSComposer::Answer::Failed, "IOException", "5551234"},
        {"unavailable", text("sms://5551234", "hi"), SMSComposer::Answer::Unavailable, "IOException", nullptr},
        {"server form", text("sms://:5000", "hi"), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"other scheme", text("mms://5551234", "hi"), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"no address", text({}, "hi"), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"no payload", text("sms://5551234", {}), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"NUL in the text", text("sms://5551234", "abc\0def"s), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"NUL in the number", text("sms://12\0" "34"s, "hi"), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"binary, port 0", binary("sms://1:0", 10), SMSComposer::Answer::Sent, "returned", nullptr},
        {"binary, port 65535", binary("sms://1:65535", 10), SMSComposer::Answer::Sent, "returned", nullptr},
        {"binary, port 65536", binary("sms://1:65536", 10), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"binary, no port", binary("sms://1", 10), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"binary, no number", binary("sms://:5000", 10), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"binary, no payload", binary("sms://1:5000", -1), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"binary, NUL in the number", binary("sms://12\0" "34:5000"s, 10), SMSComposer::Answer::Sent, "IllegalArgumentException", nullptr},
        {"null", [](const JavaPtr<MessageConnection>&) { return JavaPtr<Message>(); }, SMSComposer::Answer::Sent,
         "NullPointerException", nullptr},
    };
    for (const Row& row : rows) {
        JavaPtr<MessageConnection> connection = open("sms://000");
        JavaPtr<Message> message = row.make(connection);
        // A marker body, so that a message that is not shown is seen not to be.
        SMSComposer::setAnswer(SMSComposer::Answer::Sent);
        MessageConnectionImpl::sendText(jnew<String>("marker"), jnew<String>("marker"));
        SMSComposer::setAnswer(row.answer);
        // The calling thread is the UI thread: the send completes on it.
        EXPECT_EQ(outcomeOf([&] { connection->send(message); }), row.outcome) << row.what;
        const SMSComposer::ShownMessage shown = SMSComposer::lastShown();
        EXPECT_EQ(shown.recipient, row.shownTo ? row.shownTo : "marker") << row.what;
    }
}

TEST_F(MessageConnectionTest, AValidBinaryMessageIsLoggedAsNotSent) {
    JavaPtr<MessageConnection> connection = open("sms://000");
    JavaPtr<Message> message = connection->newMessage(jnew<String>("binary"), jnew<String>("sms://+4917012:5000"));
    java::lang::recastObj<BinaryMessage>(message)->setPayloadData(jnew<JArray<signed char>>(3));
    testing::internal::CaptureStdout();
    connection->send(message);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "binary message not sent: to +4917012\n");
}

TEST_F(MessageConnectionTest, NonAsciiNumbersAndTextsReachTheComposerAsUtf8) {
    SMSComposer::setAnswer(SMSComposer::Answer::Sent);
    // A number in Arabic-Indic digits; a text with Latin-1, a pair (U+1F600) and a lone surrogate.
    const std::u16string number = u"\u0661\u0662\u0663";
    const std::u16string body = std::u16string(u"Gr\u00FC\u00DFe \U0001F600 ") + char16_t(0xD800) + u"!";
    hosttest::runWithUiLoop([&] {
        JavaPtr<MessageConnection> connection = open("sms://0");
        JavaPtr<Message> message = connection->newMessage(jnew<String>("text"), jnew<String>("sms://") + units(number));
        java::lang::recastObj<TextMessage>(message)->setPayloadText(units(body));
        connection->send(message);
    });
    EXPECT_EQ(SMSComposer::lastShown().recipient, "\xD9\xA1\xD9\xA2\xD9\xA3");
    EXPECT_EQ(SMSComposer::lastShown().body, "Gr\xC3\xBC\xC3\x9F" "e \xF0\x9F\x98\x80 \xEF\xBF\xBD!");
}

TEST_F(MessageConnectionTest, ThreadsSendingAtOnceEachGetAnOutcome) {
    struct Row {
        SMSComposer::Answer answer;
        const char* outcome;
    };
    for (const Row& row : {Row{SMSComposer::Answer::Sent, "returned"}, Row{SMSComposer::Answer::Cancelled, "IOException"},
                           Row{SMSComposer::Answer::Unavailable, "IOException"}}) {
        SMSComposer::setAnswer(row.answer);
        std::atomic<int> matching{0};
        auto sender = [&](const char* number) {
            return [&, number] {
                JavaPtr<MessageConnection> connection = open(number);
                for (int i = 0; i < 20; ++i) {
                    JavaPtr<Message> message = connection->newMessage(jnew<String>("text"));
                    java::lang::recastObj<TextMessage>(message)->setPayloadText(jnew<String>("quiz"));
                    if (outcomeOf([&] { connection->send(message); }) == row.outcome) ++matching;
                }
            };
        };
        hosttest::runWithUiLoop(sender("sms://1"), sender("sms://2"), sender("sms://3"));
        EXPECT_EQ(matching.load(), 60) << row.outcome;
    }
}

}  // namespace
