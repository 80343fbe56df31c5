// Connector asks its handler slots in order, skips empty ones and lets a handler's failure through.
#include <gtest/gtest.h>

#include <string>

#include "runtime/connections/ConnectionNotFoundException.h"
#include "runtime/connections/Connector.h"
#include "runtime/lang/Object.h"
#include "runtime/text/String.h"

using namespace javax::microedition::io;
using java::lang::String;
using java::lang::jnew;

namespace {

// Remembers which handler made it.
class FakeConnection : public java::lang::Object, public virtual Connection {
    JAVA_CLASS(FakeConnection, "FakeConnection", java::lang::Object, Connection)
public:
    explicit FakeConnection(std::string by) : madeBy(std::move(by)) {}
    void close() override {}
    std::string madeBy;
};

std::string asked;

std::string text(const JavaPtr<String>& name) { return name->val(); }

JavaPtr<Connection> takesHttp(const JavaPtr<String>& name, int32_t, bool) {
    asked += "H";
    return text(name).starts_with("http:") ? jnew<FakeConnection>("http") : nullptr;
}
JavaPtr<Connection> takesAnyX(const JavaPtr<String>& name, int32_t, bool) {
    asked += "M";
    if (text(name) == "boom") throw java::lang::IllegalArgumentException("bad name");
    return text(name).starts_with("x") || text(name).starts_with("http:") ? jnew<FakeConnection>("messages")
                                                                          : nullptr;
}
JavaPtr<Connection> takesReadable(const JavaPtr<String>& name, int32_t mode, bool) {
    asked += "S";
    return mode != Connector::WRITE ? jnew<FakeConnection>("sensors") : nullptr;
}

class ConnectorTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (auto slot : {Connector::HandlerSlot::HTTP, Connector::HandlerSlot::MESSAGES,
                          Connector::HandlerSlot::SENSORS})
            Connector::setHandler(slot, nullptr);
    }
};

TEST_F(ConnectorTest, AsksTheFilledSlotsInOrderAndTakesTheFirstConnectionOrFailure) {
    struct Row {
        bool http, messages, sensors;
        const char* name;  // null: none
        int32_t mode;
        const char* asked;
        const char* madeBy;  // or the exception that passed out
    };
    const Row rows[] = {
        {true, true, true, "http://a", Connector::WRITE, "H", "http"},
        {true, true, true, "x1", Connector::READ, "HM", "messages"},
        {true, true, true, "y", Connector::READ, "HMS", "sensors"},
        {true, true, true, "y", Connector::WRITE, "HMS", nullptr},
        {false, true, true, "http://a", Connector::READ, "M", "messages"},
        {false, false, true, "y", 7, "S", "sensors"},
        {false, false, false, "http://a", Connector::READ, "", nullptr},
        {true, true, true, "boom", Connector::READ, "HM", "IllegalArgumentException"},
        {true, true, true, nullptr, Connector::READ, "", "NullPointerException"},
    };
    for (const Row& row : rows) {
        Connector::setHandler(Connector::HandlerSlot::HTTP, row.http ? takesHttp : nullptr);
        Connector::setHandler(Connector::HandlerSlot::MESSAGES, row.messages ? takesAnyX : nullptr);
        Connector::setHandler(Connector::HandlerSlot::SENSORS, row.sensors ? takesReadable : nullptr);
        asked.clear();
        std::string madeBy = "ConnectionNotFoundException";
        try {
            JavaPtr<Connection> connection = Connector::open(row.name ? jnew<String>(row.name) : nullptr, row.mode);
            madeBy = java::lang::recastObj<FakeConnection>(connection)->madeBy;
        } catch (ConnectionNotFoundException& notFound) {
            EXPECT_FALSE(notFound.getMessage());
        } catch (java::lang::IllegalArgumentException&) {
            madeBy = "IllegalArgumentException";
        } catch (java::lang::NullPointerException&) {
            madeBy = "NullPointerException";
        }
        const char* name = row.name ? row.name : "null";
        EXPECT_EQ(madeBy, row.madeBy ? row.madeBy : "ConnectionNotFoundException") << name;
        EXPECT_EQ(asked, row.asked) << name;
    }
}

}  // namespace
