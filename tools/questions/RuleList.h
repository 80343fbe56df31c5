// A stage's rules as one ordered list of named checks, read top to bottom: the first check that
// refuses names the refusal, and each list counts how often each of its checks refused, so that
// the report shows a rule that never fires. A search is a list of the same shape whose tiers are
// tried in order until one finds what is sought; a tier that finds it not counts as refusing.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <ostream>
#include <string_view>
#include <vector>

namespace questions {

// The generator's stages, in the order the report lists them.
enum class Stage {
    senseChoice,
    giveawayBySpelling,
    giveawayByWordNet,
    questionForms,
    wrongAnswerSearch,
    wrongAnswers,
    wrongDefinitions,
    panel,
};

// The names of a list's checks and how often each refused, since the program started.
class RuleCounts {
public:
    struct Count {
        Stage stage;
        std::string_view subject;  // what the list checks: "a synset of the category"
        std::string_view rule;
        size_t refused;
    };
    // Every list's checks, stage by stage, each list's in its order.
    static std::vector<Count> all();
    static void print(std::ostream& out);

    RuleCounts(const RuleCounts&) = delete;
    RuleCounts& operator=(const RuleCounts&) = delete;

protected:
    RuleCounts(Stage stage, std::string_view subject, std::vector<std::string_view> names);
    ~RuleCounts() = default;
    void refused(size_t rule) const { ++m_refused[rule]; }
    // The names of a list's entries, each of which has a `name`.
    template <class Entry>
    static std::vector<std::string_view> namesOf(std::initializer_list<Entry> entries) {
        std::vector<std::string_view> names;
        for (const Entry& entry : entries) names.push_back(entry.name);
        return names;
    }

private:
    Stage m_stage;
    std::string_view m_subject;
    std::vector<std::string_view> m_names;
    mutable std::vector<size_t> m_refused;
    size_t m_enrolled;  // lists of a stage are listed in the order they were made
};

// Checks of a subject, each told the same arguments: true refuses.
template <class... Subject>
class RuleList : public RuleCounts {
public:
    struct Rule {
        std::string_view name;
        bool (*refuses)(Subject...);
    };
    // A list made once, at namespace scope.
    RuleList(Stage stage, std::string_view subject, std::initializer_list<Rule> rules)
        : RuleCounts(stage, subject, namesOf(rules)), m_rules(rules) {}

    // The first rule that refuses, counted; nullptr when none does.
    const Rule* refusal(Subject... subject) const {
        for (size_t i = 0; i < m_rules.size(); ++i)
            if (m_rules[i].refuses(subject...)) {
                refused(i);
                return &m_rules[i];
            }
        return nullptr;
    }
    bool refuses(Subject... subject) const { return refusal(subject...) != nullptr; }

private:
    std::vector<Rule> m_rules;
};

// A search's tiers, each told the same arguments, tried in order from a level on: true finds.
template <class... Subject>
class TierList : public RuleCounts {
public:
    struct Tier {
        std::string_view name;
        size_t opensAt;  // the least level at which it is tried
        bool (*finds)(Subject...);
    };
    // A list made once, at namespace scope.
    TierList(Stage stage, std::string_view subject, std::initializer_list<Tier> tiers)
        : RuleCounts(stage, subject, namesOf(tiers)), m_tiers(tiers) {}

    // The first tier open at the level that finds, each tried before it counted; nullptr when none does.
    const Tier* firstFinding(size_t level, Subject... subject) const {
        for (size_t i = 0; i < m_tiers.size(); ++i) {
            if (m_tiers[i].opensAt > level) continue;
            if (m_tiers[i].finds(subject...)) return &m_tiers[i];
            refused(i);
        }
        return nullptr;
    }

private:
    std::vector<Tier> m_tiers;
};

}  // namespace questions
