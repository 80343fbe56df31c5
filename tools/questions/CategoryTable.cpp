#include "tools/questions/CategoryTable.h"

namespace questions {

std::span<const CategorySource> categorySources() {
    static const std::vector<CategorySource> table = {
        {"Animals", {"noun.animal"}},
        {"Plants", {"noun.plant"}},
        {"Food & Drink", {"noun.food"}},
        {"The Body", {"noun.body"}},
        {"People", {"noun.person"}},
        {"Things People Make", {"noun.artifact"}},
        {"Places", {"noun.location"}},
        {"Materials", {"noun.substance"}},
        {"The Natural World", {"noun.object", "noun.phenomenon"}},
        {"Feelings", {"noun.feeling", "verb.emotion"}},
        {"Thinking & Knowing", {"noun.cognition", "verb.cognition"}},
        {"Words & Talk", {"noun.communication", "verb.communication"}},
        {"Actions", {"noun.act"}},
        {"Qualities", {"noun.attribute"}},
        {"States & Conditions", {"noun.state"}},
        {"Time & Events", {"noun.time", "noun.event"}},
        {"Money & Possessions", {"noun.possession", "verb.possession"}},
        {"Society & Sport", {"noun.group", "verb.social", "verb.competition"}},
        {"Moving & Touching", {"verb.motion", "verb.contact"}},
        {"Change & Making", {"verb.change", "verb.creation", "noun.process"}},
        {"Describing Words", {"adj.all"}},
    };
    return table;
}

}  // namespace questions
