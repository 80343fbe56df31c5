#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "tools/questions/RuleList.h"
#include "tools/questions/Wording.h"

namespace {

const questions::RuleList<int> numberRules{questions::Stage::panel, "a number (RuleList test)", {
    {"negative", [](int n) { return n < 0; }},
    {"odd", [](int n) { return n % 2 != 0; }},
    {"above ten", [](int n) { return n > 10; }},
}};

size_t refused(std::string_view subject, std::string_view rule) {
    for (const auto& count : questions::RuleCounts::all())
        if (count.subject == subject && count.rule == rule) return count.refused;
    ADD_FAILURE() << "no rule " << rule << " of " << subject;
    return 0;
}

TEST(RuleList, TheFirstRuleThatRefusesIsNamedAndCountedAndEveryRuleIsListed) {
    EXPECT_EQ(numberRules.refusal(4), nullptr);
    ASSERT_NE(numberRules.refusal(-3), nullptr);
    EXPECT_EQ(numberRules.refusal(-3)->name, "negative");  // not "odd": the first in order
    EXPECT_EQ(numberRules.refusal(13)->name, "odd");
    EXPECT_TRUE(numberRules.refuses(12));
    EXPECT_EQ(refused("a number (RuleList test)", "negative"), 2u);
    EXPECT_EQ(refused("a number (RuleList test)", "odd"), 1u);
    EXPECT_EQ(refused("a number (RuleList test)", "above ten"), 1u);
    // The generator's lists are listed too, stage by stage, a rule that never refused among them.
    questions::Wording::givesAway("a kind of dog", "dog");
    EXPECT_GE(refused("a word of the text against a word asked", "the word itself"), 1u);
    const auto all = questions::RuleCounts::all();
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.stage < b.stage; }));
    std::ostringstream report;
    questions::RuleCounts::print(report);
    EXPECT_NE(report.str().find("a number (RuleList test):\n      negative"), std::string::npos) << report.str();
    EXPECT_NE(report.str().find("a word asked already in the category, in a more common sense"), std::string::npos);
}

}  // namespace
