#include <gtest/gtest.h>

#include "tools/questions/Wording.h"

namespace {

TEST(Wording, AQuestionThatHoldsTheAnswerOrAFormOfItGivesItAway) {
    struct Case {
        const char* text;
        const char* word;
        bool givesAway;
    };
    const Case cases[] = {
        {"a member of the genus Canis; the domestic dog", "dog", true},
        {"any of various dogs", "dog", true},
        {"feeling great happiness", "happy", true},
        {"the act of running fast", "run", true},
        {"undergo development or evolution", "evolve", true},
        {"leather made from the hide of a cow", "cowhide", true},  // a compound shows its parts
        {"beyond the limits of memory", "immemorial", true},      // so does the root of a negated word
        {"a stony meteorite lacking chondrules", "achondrite", true},
        {"a feeling of restless agitation", "unrest", true},
        {"in a foreign country", "abroad", false},                 // a root after "a" is longer
        {"capable of being solved", "solvable", true},             // and of a word of what can be done
        {"a small node", "nodule", true},                           // and of a word of smallness
        {"having bluish flowers", "blue jasmine", true},            // or likeness
        {"having reddish twigs", "red willow", true},
        {"a person who rides a bicycle", "cyclist", true},          // or trade
        {"a diluting agent", "diluent", true},                      // or agency
        {"a mound made by ants", "anthill", true},                  // a part may show as a plural
        {"obtained from hemoglobin", "globin", true},              // or inside a longer word
        {"any of a group of herpes viruses", "cytomegalovirus", true},  // a longer word without its ending
        {"become similar to one's environment", "assimilate", true},     // inside the word
        {"having small edible nutlike tubers", "nut grass", true},       // a short part made an adjective
        {"being of use or service", "useful", true},                // a word the text's makes by a suffix
        {"a female actor", "actress", true},
        {"hormone secreted by the thymus", "thymosin", true},      // a learned root under its ending
        {"neutralizes acidity", "antacid", true},
        {"the state of being sober", "sobriety", true},            // a root whose e drops before a suffix
        {"filaments of a muscle fiber", "myofibril", true},
        {"the outer layer of the pericarp", "epicarp", true},       // a learned last part after o or i
        {"a thermostat for low temperatures", "cryostat", true},
        {"a receptor of stimuli from outside", "exteroceptor", true},  // or before it
        {"a large phagocyte", "macrophage", true},                  // or leading a word with its own o
        {"an enlargement at the base of the style", "stylopodium", true},  // a learned lead before its o
        {"capability of existing", "possibility", false},           // not a suffix's joint
        {"terminate, end, or take out", "eliminate", false},
        {"a kind of organism", "mechanism", false},
        {"any tree or shrub bearing cones", "conifer", true},      // a learned first part joined by i
        {"the office of an abbot", "abbacy", true},                 // an office in -acy
        {"a salt of hydrofluoric acid", "fluoride", true},          // a chemical's root
        {"a herb with hooded flowers", "monkshood", true},          // an -ed adjective's noun ending a compound
        {"a hooded jacket", "hoodlum", false},
        {"movement toward a chemical stimulus", "chemotaxis", true}, // a learned first part before its o
        {"the fruiting body of an ascomycetous fungus", "ascocarp", true},
        {"a whole made up of complicated parts", "composite", false},
        {"confer a trust upon", "confide", false},                  // a prefix is no root
        {"the doctrine of the existence of God", "theism", false},
        {"frozen dessert containing cream", "ice cream", true},     // one word of a phrase is enough
        {"a large body of salt water", "ocean", false},
        {"the act of searching for something", "sea", false},      // a short stem matches whole forms only
        {"make ready for use", "prepare", false},
        {"one of the parts", "one-piece", false},                  // linking words never count
    };
    for (const Case& c : cases) EXPECT_EQ(questions::Wording::givesAway(c.text, c.word), c.givesAway) << c.word << " in " << c.text;
}

TEST(Wording, OnlyPlainLowerCaseWordsAreShownAsAnswers) {
    struct Case {
        const char* lemma;
        bool plain;
    };
    const Case cases[] = {{"dog", true}, {"ice_cream", true}, {"jack-in-the-box", true}, {"o'clock", true},
                          {"Paris", false}, {"3-D", false}, {"a.m.", false}, {"", false}, {"-ology", false}};
    for (const Case& c : cases) EXPECT_EQ(questions::Wording::isPlainWord(c.lemma), c.plain) << c.lemma;
    EXPECT_EQ(questions::Wording::shown("ice_cream"), "ice cream");
}

TEST(Wording, ExamplesOfHarmAreNotShown) {
    EXPECT_TRUE(questions::Wording::isUnsuitableExample("This book deals with incest"));
    EXPECT_TRUE(questions::Wording::isUnsuitableExample("The teacher struck the child"));
    EXPECT_FALSE(questions::Wording::isUnsuitableExample("the opponent refused to strike"));
}

}  // namespace
