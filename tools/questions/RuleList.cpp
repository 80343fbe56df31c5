#include "tools/questions/RuleList.h"

#include <algorithm>
#include <iomanip>

namespace questions {

namespace {

std::vector<const RuleCounts*>& enrolled() {
    static std::vector<const RuleCounts*> lists;
    return lists;
}

std::string_view nameOf(Stage stage) {
    switch (stage) {
    case Stage::senseChoice: return "sense choice";
    case Stage::giveawayBySpelling: return "giveaway by spelling (how often each found the word shown)";
    case Stage::giveawayByWordNet: return "giveaway through WordNet (how often each found the word shown)";
    case Stage::questionForms: return "question forms";
    case Stage::wrongAnswerSearch: return "where wrong answers are sought (how often each tier left the pair short)";
    case Stage::wrongAnswers: return "wrong answers";
    case Stage::wrongDefinitions: return "wrong answers of a meaning question";
    case Stage::panel: return "answer panel";
    }
    return "?";
}

}  // namespace

RuleCounts::RuleCounts(Stage stage, std::string_view subject, std::vector<std::string_view> names)
    : m_stage(stage), m_subject(subject), m_names(std::move(names)), m_refused(m_names.size()),
      m_enrolled(enrolled().size()) {
    enrolled().push_back(this);
}

std::vector<RuleCounts::Count> RuleCounts::all() {
    std::vector<const RuleCounts*> lists = enrolled();
    std::sort(lists.begin(), lists.end(), [](const RuleCounts* a, const RuleCounts* b) {
        return a->m_stage != b->m_stage ? a->m_stage < b->m_stage : a->m_enrolled < b->m_enrolled;
    });
    std::vector<Count> counts;
    for (const RuleCounts* list : lists)
        for (size_t rule = 0; rule < list->m_names.size(); ++rule)
            counts.push_back({list->m_stage, list->m_subject, list->m_names[rule], list->m_refused[rule]});
    return counts;
}

void RuleCounts::print(std::ostream& out) {
    out << "\nrules, stage by stage, each list in the order it checks them: how often each refused\n";
    const Count* previous = nullptr;
    const std::vector<Count> counts = all();
    size_t width = 0;
    for (const Count& count : counts) width = std::max(width, count.rule.size());
    for (const Count& count : counts) {
        if (!previous || previous->stage != count.stage) out << "  " << nameOf(count.stage) << "\n";
        if (!previous || previous->stage != count.stage || previous->subject != count.subject)
            out << "    " << count.subject << ":\n";
        out << "      " << std::left << std::setw(static_cast<int>(width)) << count.rule << std::right << std::setw(10)
            << count.refused << "\n";
        previous = &count;
    }
}

}  // namespace questions
