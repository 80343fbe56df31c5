// Commands and where the chrome places them, the content rectangle it leaves, and scrolling.
#include <gtest/gtest.h>

#include <map>
#include <string_view>

#include "runtime/lcdui/tests/ChromeFixture.h"

namespace lcduitest {
namespace {

TEST(CommandTest, ConstructorsCheckLabelAndTypeButNotPriority) {
    struct Case {
        const char* name;
        const char* label;
        const char* longLabel;
        bool fourArguments;
        int32_t type;
        int32_t priority;
        const char* throws;  // null, "npe" or "iae"
    };
    const Case cases[] = {
        {"plain", "Ok", nullptr, false, Command::OK, 1, nullptr},
        {"nullLabel", nullptr, nullptr, false, Command::SCREEN, 1, "npe"},
        {"nullLabelWithLong", nullptr, "Long", true, Command::SCREEN, 1, "npe"},
        {"typeZero", "A", nullptr, false, 0, 1, "iae"},
        {"typeNine", "A", "Long", true, 9, 1, "iae"},
        {"nullLabelBeatsBadType", nullptr, nullptr, false, 0, 1, "npe"},
        {"itemWithNegativePriority", "I", nullptr, false, Command::ITEM, -5, nullptr},
        {"nullLongLabel", "S", nullptr, true, Command::EXIT, 3, nullptr},
        {"longLabel", "S", "Longer", true, Command::HELP, 0, nullptr},
    };
    for (const Case& c : cases) {
        auto command = java::lang::jnew<Command>();
        const auto label = c.label ? str(c.label) : nullptr;
        const auto longLabel = c.longLabel ? str(c.longLabel) : nullptr;
        const auto make = [&] {
            if (c.fourArguments) {
                command->WENDinvokeconstructor(label, longLabel, c.type, c.priority);
            } else {
                command->WENDinvokeconstructor(label, c.type, c.priority);
            }
        };
        if (c.throws && c.throws == std::string_view("npe")) {
            EXPECT_THROW(make(), java::lang::NullPointerException) << c.name;
        } else if (c.throws) {
            EXPECT_THROW(make(), java::lang::IllegalArgumentException) << c.name;
        } else {
            make();
            EXPECT_TRUE(command->getLabel()->equals(label)) << c.name;
            EXPECT_EQ(command->getLongLabel() != nullptr, c.longLabel != nullptr) << c.name;
            if (c.longLabel) EXPECT_TRUE(command->getLongLabel()->equals(longLabel)) << c.name;
            EXPECT_EQ(command->getCommandType(), c.type) << c.name;
            EXPECT_EQ(command->getPriority(), c.priority) << c.name;
        }
        if (c.throws) EXPECT_EQ(command->getLabel(), nullptr) << c.name << ": nothing is stored";
    }
}

class ChromeLayoutTest : public ChromeFixture {};

TEST_F(ChromeLayoutTest, PlacesCommandsOnTheSoftKeysOrInThePopup) {
    struct Listed {
        const char* label;
        int32_t type;
        int32_t priority;
    };
    struct Case {
        const char* name;
        std::vector<Listed> commands;
        std::vector<Listed> itemCommands;
        std::vector<Listed> overlayCommands;
        const char* back;
        const char* forward;
        std::vector<const char*> popup;
    };
    const Case cases[] = {
        {"backAndScreen", {{"S", Command::SCREEN, 1}, {"B", Command::BACK, 1}}, {}, {}, "B", "S", {}},
        {"twoScreensAndCancel",
         {{"S1", Command::SCREEN, 2}, {"C", Command::CANCEL, 5}, {"S2", Command::SCREEN, 1}},
         {}, {}, "C", nullptr, {"S2", "S1"}},
        {"twoBacks", {{"B1", Command::BACK, 2}, {"B2", Command::BACK, 1}}, {}, {}, "B2", "B1", {}},
        {"itemCommandsFirstAndOnce",
         {{"S", Command::SCREEN, 0}, {"I", Command::ITEM, 9}},
         {{"I", Command::ITEM, 9}, {"J", Command::ITEM, 8}}, {}, nullptr, nullptr, {"J", "I", "S"}},
        {"overlayReplacesAll",
         {{"S", Command::SCREEN, 0}, {"B", Command::BACK, 0}}, {}, {{"O", Command::OK, 0}}, nullptr, "O", {}},
        {"none", {}, {}, {}, nullptr, nullptr, {}},
    };
    for (const Case& c : cases) {
        std::map<std::string, JavaPtr<Command>> made;
        const auto commandsOf = [&](const std::vector<Listed>& wanted) {
            JavaPtr<JArray<Command>> array(new JArray<Command>(0));
            for (const Listed& one : wanted) {
                auto& slot = made[one.label];
                if (!slot) slot = command(one.label, one.type, one.priority);
                array->append(slot);
            }
            return array;
        };
        const auto screenCommands = commandsOf(c.commands);
        for (int32_t i = 0; i < screenCommands->length; ++i) screen->addCommand((*screenCommands)[i]);
        if (!c.itemCommands.empty()) screen->canvas->setFormItemCommands(commandsOf(c.itemCommands), nullptr);
        if (!c.overlayCommands.empty()) screen->canvas->setFormItemOverlay(nullptr, commandsOf(c.overlayCommands));
        show();
        const auto labelOf = [](const JavaPtr<Command>& command) {
            return command ? std::string(command->getLabel()->val()) : std::string("-");
        };
        EXPECT_EQ(labelOf(screen->canvas->getBackCommand()), c.back ? c.back : "-") << c.name;
        EXPECT_EQ(labelOf(screen->canvas->getForwardCommand()), c.forward ? c.forward : "-") << c.name;
        std::vector<std::string> popup;
        for (int32_t i = 0; i < screen->canvas->getPopupCommands()->length; ++i)
            popup.push_back(labelOf((*screen->canvas->getPopupCommands())[i]));
        EXPECT_EQ(popup, std::vector<std::string>(c.popup.begin(), c.popup.end())) << c.name;
        EXPECT_EQ(screen->canvas->isMenuInUse(), !c.popup.empty()) << c.name;
        // Rows of the 8-pixel font are 12 high, plus 10 for the frame.
        if (!c.popup.empty()) EXPECT_EQ(screen->canvas->getPopupHeight(), int32_t(c.popup.size()) * 12 + 10) << c.name;
        reset();
    }
}

TEST_F(ChromeLayoutTest, TheContentRectangleIsWhatTitleTickerKeyboardSoftKeysAndBarLeave) {
    struct Case {
        const char* name;
        bool title, ticker, command, keyboard, bar;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {"bare", false, false, false, false, false, {0, 0, 320, 480}},
        {"title", true, false, false, false, false, {0, 12, 320, 480}},
        {"titleAndCommand", true, false, true, false, false, {0, 12, 320, 468}},
        {"tickerAndCommand", false, true, true, false, false, {0, 0, 320, 456}},
        {"keyboardOverTheSoftKeys", false, false, true, true, false, {0, 0, 320, 353}},
        {"everything", true, true, true, true, true, {0, 12, 305, 341}},
        {"barOnly", false, false, false, false, true, {0, 0, 305, 480}},
    };
    for (const Case& c : cases) {
        if (c.title) screen->setTitle(str("Title"));
        JavaPtr<Ticker> ticker;
        if (c.ticker) {
            ticker = java::lang::jnew<Ticker>();
            ticker->WENDinvokeconstructor(str("news"));
            screen->setTicker(ticker);
        }
        if (c.command) add("Exit", Command::EXIT);
        if (c.keyboard) OnScreenKeyboard::show();
        show();
        if (c.bar) screen->canvas->setVerticalScrollbarVisible(true);
        EXPECT_EQ(unreserved(), c.expected) << c.name;
        if (c.keyboard) EXPECT_EQ(OnScreenKeyboard::keyAt(0)->y, c.expected[3]) << c.name << ": keyboard top";
        reset();
    }
}

TEST_F(ChromeLayoutTest, TheScrollPositionStaysWithinTheContentAndResetsWhenTheBarHides) {
    show();
    Core& canvas = *screen->canvas;
    canvas.setVerticalScrollbarVisible(true);
    struct Step {
        const char* name;
        int32_t height;      // -1: unchanged
        int32_t position;    // -1: not set
        bool hideBar;
        int32_t expected;
    };
    const Step steps[] = {
        {"shortContentNeverScrolls", 100, 50, false, 0},
        {"negativeIsTop", 1000, -30, false, 0},
        {"pastTheEndIsTheEnd", -1, 900, false, 520},
        {"shrinkingContentPullsBack", 600, -1, false, 120},
        {"hidingTheBarResets", -1, -1, true, 0},
    };
    for (const Step& step : steps) {
        if (step.height >= 0) canvas.setVerticalHeight(step.height);
        if (step.position != -1) canvas.setVerticalScrollPos(step.position);
        if (step.hideBar) canvas.setVerticalScrollbarVisible(false);
        EXPECT_EQ(canvas.getVerticalScrollPos(), step.expected) << step.name;
    }
}

}  // namespace
}  // namespace lcduitest
