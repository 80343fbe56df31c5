// The touch-area registry: order of names, hit tests, gestures held across changes, name bases.
#include <gtest/gtest.h>

#include "runtime/lcdui/tests/ChromeFixture.h"

namespace lcduitest {
namespace {

using Manager = TouchScreenAreaManager;
using Log = std::vector<std::string>;

// Records each event a listener receives as "name type x,y dx,dy inside".
struct AreaLog {
    static void record(void* context, JavaPtr<java::lang::String> name, int32_t type, int32_t x, int32_t y, int32_t dx,
                       int32_t dy, bool inside) {
        static_cast<Log*>(context)->push_back(std::string(name->val()) + " " + std::to_string(type) + " " +
                                              std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(dx) +
                                              "," + std::to_string(dy) + (inside ? " in" : " out"));
    }
};

class TouchAreaTest : public ::testing::Test {
protected:
    void TearDown() override { Manager::destroy(); }
    JavaPtr<TouchScreenAreaListener> listener() {
        return java::lang::jnew<TouchScreenAreaListener>(&AreaLog::record, &events);
    }
    Log events;
};

TEST_F(TouchAreaTest, TheLastCandidateInNameOrderWinsAnOverlapWithinTheCurrentGroup) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, int32_t>> areas;  // name and group, all over (0,0)-(10,10)
        int32_t group;
        const char* winner;  // null: no area takes the press
    };
    const Case cases[] = {
        {"popupRowOverSoftKey", {{"DCC0_popup1", 0}, {"DCC0_fwdsoft", 0}}, 0, "DCC0_popup1"},
        {"codeUnitOrder", {{"DCC2_x", 0}, {"DCC10_x", 0}}, 0, "DCC2_x"},
        {"otherGroupIgnored", {{"A", 0}, {"B", 1}}, 0, "A"},
        {"onlyOtherGroups", {{"A", 1}, {"B", 2}}, 0, nullptr},
        {"groupTwo", {{"A", 2}, {"B", 1}}, 2, "A"},
    };
    for (const Case& c : cases) {
        auto receiver = listener();
        for (const auto& [name, group] : c.areas) Manager::registerArea(0, 0, 10, 10, str(name), receiver, group);
        Manager::setAreaGroup(c.group);
        events.clear();
        EXPECT_EQ(Manager::pointerPressed(5, 5), c.winner != nullptr) << c.name;
        EXPECT_EQ(events, c.winner ? Log{std::string(c.winner) + " 0 5,5 -1,-1 in"} : Log{}) << c.name;
        Manager::destroy();
    }
}

TEST_F(TouchAreaTest, AGestureStaysWithThePressedAreaAndItsRectangle) {
    auto receiver = listener();
    Manager::registerArea(10, 10, 20, 20, str("area"), receiver, 0);
    ASSERT_TRUE(Manager::pointerPressed(12, 14));
    // Registered again with another rectangle: one entry, the gesture keeps the old rectangle.
    Manager::registerArea(100, 100, 120, 120, str("area"), receiver, 0);
    EXPECT_EQ(Manager::count(), 1);
    EXPECT_TRUE(Manager::pointerDragged(15, 14));
    EXPECT_TRUE(Manager::pointerDragged(17, 16));
    EXPECT_TRUE(Manager::pointerReleased(30, 5));
    EXPECT_EQ(events, (Log{"area 0 2,4 -1,-1 in", "area 2 5,4 3,0 in", "area 2 7,6 5,2 in", "area 1 20,-5 -1,-1 out"}));
    EXPECT_FALSE(Manager::pointerReleased(30, 5)) << "released once";
    int32_t rectangle[4];
    ASSERT_TRUE(Manager::areaFor(str("area"), rectangle));
    EXPECT_EQ(rectangle[0], 100);
}

// Whether the held area is there is asked when the release comes: an area taken away and registered
// again under its name by its listener (a widget laid out again) still has its gesture.
TEST_F(TouchAreaTest, AHeldPressEndsWithoutAReleaseWhenItsAreaIsGoneOrTheGroupChanges) {
    struct Case {
        const char* name;
        void (*change)(const JavaPtr<TouchScreenAreaListener>&);
        bool releaseDelivered;
        bool heldUntilNextPress;
    };
    const Case cases[] = {
        {"nameRemoved", [](const JavaPtr<TouchScreenAreaListener>&) { Manager::unregisterArea(str("held")); }, false,
         false},
        {"listenerRemoved", [](const JavaPtr<TouchScreenAreaListener>& l) { Manager::unregisterAllAreas(l); }, false,
         false},
        {"groupChanged", [](const JavaPtr<TouchScreenAreaListener>&) { Manager::setAreaGroup(1); }, false, true},
        {"otherAreaRemoved", [](const JavaPtr<TouchScreenAreaListener>&) { Manager::unregisterArea(str("other")); },
         true, false},
        {"registeredAgain",
         [](const JavaPtr<TouchScreenAreaListener>& l) {
             Manager::unregisterAllAreas(l);
             EXPECT_FALSE(Manager::pointerDragged(2, 2)) << "no drag while it is gone";
             Manager::registerArea(0, 0, 10, 10, str("held"), l, 0);
         },
         true, false},
        {"registeredAgainByAnother",
         [](const JavaPtr<TouchScreenAreaListener>& l) {
             Manager::unregisterAllAreas(l);
             Manager::registerArea(0, 0, 10, 10, str("held"), java::lang::jnew<TouchScreenAreaListener>(nullptr, nullptr), 0);
         },
         false, false},
    };
    for (const Case& c : cases) {
        auto receiver = listener();
        Manager::registerArea(0, 0, 10, 10, str("held"), receiver, 0);
        Manager::registerArea(50, 50, 60, 60, str("other"), receiver, 0);
        ASSERT_TRUE(Manager::pointerPressed(1, 1)) << c.name;
        events.clear();
        c.change(receiver);
        EXPECT_EQ(Manager::pointerReleased(1, 1), c.releaseDelivered) << c.name;
        EXPECT_EQ(events.size(), c.releaseDelivered ? 1u : 0u) << c.name;
        if (c.heldUntilNextPress) {
            Manager::setAreaGroup(0);
            EXPECT_TRUE(Manager::pointerReleased(1, 1)) << c.name << ": still held in its own group";
        }
        Manager::destroy();
    }
}

TEST_F(TouchAreaTest, AMissedPressDropsTheHeldAreaAndTakesNothingElse) {
    auto receiver = listener();
    Manager::registerArea(0, 0, 10, 10, str("a"), receiver, 0);
    EXPECT_EQ(Manager::areaIndexForPoint(50, 50), -1);
    EXPECT_FALSE(Manager::pointerPressed(50, 50));
    EXPECT_FALSE(Manager::pointerDragged(5, 5));
    EXPECT_FALSE(Manager::pointerReleased(5, 5));
    EXPECT_TRUE(events.empty());
}

TEST_F(TouchAreaTest, NameBasesAreFreshAcrossPrefixesAndStartAgainAfterDestroy) {
    EXPECT_EQ(Manager::numInGroup(0), 0);
    EXPECT_STREQ(Manager::getUniqueBaseCode(str("DCC"))->val(), "DCC0_");
    EXPECT_STREQ(Manager::getUniqueBaseCode(str("Gauge"))->val(), "Gauge1_");
    Manager::registerArea(0, 0, 1, 1, str("DCC2_fwdsoft"), listener(), 0);
    EXPECT_STREQ(Manager::getUniqueBaseCode(str("DCC"))->val(), "DCC3_") << "a base in use is skipped";
    Manager::destroy();
    EXPECT_EQ(Manager::count(), 0);
    EXPECT_STREQ(Manager::getUniqueBaseCode(str("DCC"))->val(), "DCC0_");
    Manager::registerArea(0, 0, 1, 1, str("x"), listener(), 0);
    EXPECT_EQ(Manager::count(), 1) << "a new registry after destroy";
}

}  // namespace
}  // namespace lcduitest
