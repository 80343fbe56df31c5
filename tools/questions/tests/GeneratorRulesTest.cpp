#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tools/questions/CategoryQuestions.h"
#include "tools/questions/CategoryTable.h"
#include "tools/questions/Commonness.h"
#include "tools/questions/GlossText.h"
#include "tools/questions/NearSynonyms.h"
#include "tools/questions/QuestionAudit.h"
#include "tools/questions/ScreenFit.h"
#include "tools/questions/TestSelection.h"
#include "tools/questions/WordNet.h"
#include "tools/questions/Wording.h"
#include "tools/questions/tests/SmallDatabase.h"

namespace {

using questions::testing::SmallDatabase;

TEST(GeneratorRules, WordsRelatedInAnySenseByAnyLinkAreRefused) {
    const SmallDatabase database;
    const questions::WordNet wordNet(database.path());
    struct Case {
        char partOfSpeech;
        const char* first;
        const char* second;
        bool related;
    };
    const Case cases[] = {
        {'n', "dog", "canine", true},   // parent
        {'n', "dog", "mammal", true},   // two steps up
        {'n', "dog", "puppy", true},    // below
        {'n', "dog", "wolf", true},     // one parent
        {'n', "dog", "hound", true},    // also see
        {'v', "run", "jog", true},      // verb group
        {'v', "steer", "run", true},    {'v', "run", "steer", true},  // entailment, both ways
        {'a', "big", "huge", true},     // similar
        {'a', "rosy", "propitious", true},  // clusters whose heads see each other
        {'a', "in stock", "reachable", true},   // heads of one attribute, one naming the other
        {'a', "near", "at hand", true},         // heads of one attribute sharing a word
        {'a', "obvious", "noticeable", true},   // heads of one attribute named after both
        {'a', "in stock", "unavailable", false}, {'a', "ordinary", "extraordinary", false}, {'a', "outworn", "aged", false},
        {'a', "six", "nine", false},  // numbers are values, not shades of one another
        {'n', "dog", "cat", false},     {'n', "dog", "sparrow", false}, {'a', "big", "small", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wordNet.wordsRelated(c.partOfSpeech, c.first, c.second), c.related) << c.first << " " << c.second;
    EXPECT_EQ(wordNet.derivedForms("dog"), std::vector<std::string>{"bark"});
    EXPECT_TRUE(wordNet.areRelated(wordNet.synsetsOf('n', "dog")[0], wordNet.synsetsOf('v', "bark")[0])) << "derivation";
    // Near synonyms that WordNet does not link: synonyms of synonyms, phrases of a word and
    // particles, verbs under one ancestor two steps up, a verb naming the kind of the other's noun,
    // words a player takes for each other.
    const auto firstWord = [](std::string_view definition) { return std::string(definition.substr(0, definition.find(' '))); };
    const Case nearCases[] = {
        {'v', "do", "take", true},     {'v', "push", "push for", true}, {'v', "become", "end up", true},
        {'v', "insist", "advocate", true}, {'v', "do", "steal", false}, {'v', "push", "run", false},
        {'n', "dog", "cat", false},        {'n', "lion", "kitten", true},  {'v', "stew", "dither", true},
        {'n', "gully", "streambed", true}, {'n', "streambed", "gully", true},  // taken for each other, unlinked
    };
    for (const Case& c : nearCases) {
        const questions::NearSynonyms near(wordNet, c.partOfSpeech, c.first, firstWord);
        for (int sense : wordNet.synsetsOf(c.partOfSpeech, c.second))
            EXPECT_EQ(near.holds(sense), c.related) << c.first << " " << c.second;
    }
    // A noun's kind two steps up, or the noun its parent is defined on, would describe it.
    const questions::NearSynonyms roadstead(wordNet, 'n', "roadstead", firstWord);
    EXPECT_TRUE(roadstead.namesKind("place"));
    EXPECT_TRUE(roadstead.namesKind("area"));
    EXPECT_FALSE(roadstead.namesKind("platform"));
    EXPECT_EQ(wordNet.baseForms("sunk"), std::vector<std::string>{"sink"});
    EXPECT_TRUE(wordNet.isInflectedNoun("pups"));
    EXPECT_FALSE(wordNet.isInflectedNoun("pup"));
}

TEST(GeneratorRules, WrongAnswersAreUnrelatedKinOfTheRightWordAndNoDefinitionGivesItsWordAway) {
    const SmallDatabase database;
    const questions::WordNet wordNet(database.path());
    const questions::Commonness commonness(database.path());
    questions::ScreenFit fit;
    questions::CategoryQuestions maker(wordNet, commonness, fit);
    const auto made = maker.make({"Animals", {"noun.animal"}}, 20);
    std::set<std::string> asked;
    for (const auto& question : made) {
        asked.insert(question.word);
        std::vector<std::string> wrong;
        for (int w = 1; w < 3; ++w) wrong.emplace_back(wordNet.synsets()[question.answerSynsets[w]].words[0].lemma);
        SCOPED_TRACE(question.question);
        EXPECT_TRUE(question.information.starts_with(question.word + ": ")) << question.information;
        for (const std::string& word : wrong) {
            EXPECT_FALSE(wordNet.wordsRelated('n', question.word, word)) << word;
            EXPECT_FALSE(questions::QuestionAudit::isWordOf(question.question, word)) << word;
        }
        if (question.word == "dog") {
            // Cousins under mammal, not canine's other children nor the far sparrow or bird.
            for (const std::string& word : wrong)
                EXPECT_TRUE(word == "cat" || word == "lion" || word == "kitten" || word == "cheetah" || word == "hyena") << word;
        }
        // Kangaroo has one fit cousin, so it is asked by its meaning: with no tiger, which a reader
        // takes for a person, no other sense of its synonym boomer, no hopper, which its definition
        // names, nor tree kangaroo, which holds it, as in any question.
        if (question.word == "kangaroo") {
            EXPECT_TRUE(question.asksMeaning);
            for (const std::string& word : wrong) EXPECT_TRUE(word != "tiger" && word != "boomer" && word != "hopper") << word;
        }
        // Cheetah is a big cat, "a large tawny beast of the plains", which lion's clue fits too.
        if (question.word == "lion") {
            EXPECT_FALSE(question.asksMeaning);
            for (const std::string& word : wrong) EXPECT_NE(word, "cheetah");
        }
        for (size_t a = 0; a < 3 && !question.asksMeaning; ++a)
            for (size_t b = 0; b < 3; ++b)
                EXPECT_TRUE(a == b || !questions::Wording::givesAway(question.answers[a], question.answers[b]))
                    << question.answers[a] << " " << question.answers[b];
        if (question.word == "kitten") EXPECT_TRUE(question.information.starts_with("kitten: in zoology, a young one"));
        // Two wrong definitions in the same terms ("small", "beast"): neither could be right alone.
        if (question.asksMeaning) {
            const auto longWords = [](const std::string& text) {
                std::set<std::string> words;
                std::istringstream in(text);
                for (std::string word; in >> word;)
                    if (word.size() >= 4) words.insert(word);
                return words;
            };
            const std::set<std::string> first = longWords(question.answers[1]), second = longWords(question.answers[2]);
            EXPECT_TRUE(std::none_of(first.begin(), first.end(), [&](const std::string& word) { return second.contains(word); }))
                << question.answers[1] << " / " << question.answers[2];
        }
    }
    EXPECT_TRUE(asked.contains("dog"));
    EXPECT_TRUE(asked.contains("kangaroo"));
    EXPECT_FALSE(asked.contains("thief")) << "its definition holds a form of its derived verb";
    EXPECT_FALSE(asked.contains("being")) << "its definition holds the word whole";
    EXPECT_FALSE(asked.contains("ox")) << "its definition holds the short word whole";
    EXPECT_FALSE(asked.contains("wolfhound")) << "its definition leads a word with one of the two it is made of";
    EXPECT_FALSE(asked.contains("narwhal")) << "its other spelling shows in its definition";
    EXPECT_FALSE(asked.contains("lab")) << "a form of the word it is clipped from shows in its definition";
    EXPECT_FALSE(asked.contains("water hound")) << "its definition ends a compound with one of its words";
    EXPECT_FALSE(asked.contains("wombat")) << "its definition is led by a verb";
    EXPECT_FALSE(asked.contains("catbird")) << "its definition shows its short lead in another word made on it";
    EXPECT_FALSE(asked.contains("catfish")) << "its definition shows its short lead before a plural";
    EXPECT_FALSE(asked.contains("cattalo")) << "its definition holds the two words it blends";
    EXPECT_FALSE(asked.contains("wolf-hounds")) << "a plural";
    EXPECT_FALSE(asked.contains("polar bear")) << "its definition holds the root of one of its words";
    EXPECT_FALSE(asked.contains("polecat")) << "its definition holds a form of a word it is made of";
    EXPECT_FALSE(asked.contains("canon")) << "a synonym that names something else";
    const auto hyena = std::find_if(made.begin(), made.end(), [](const auto& question) { return question.word == "hyena"; });
    ASSERT_NE(hyena, made.end());
    EXPECT_NE(hyena->information.find("\"a hyena laughed\""), std::string::npos) << "the example that uses the word";
    EXPECT_EQ(hyena->information.find("hyenas"), std::string::npos) << "its plural is no synonym";
    EXPECT_EQ(hyena->information.find("hyenae"), std::string::npos) << "nor its listed plural";
    // Nor, however many are wanted, a word in a sense met far less than its usual one.
    const auto all = maker.make({"Animals", {"noun.animal"}}, 100);
    EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const auto& question) { return question.word == "hawk"; }))
        << "met far less as a bird than as a person";
    EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const auto& question) { return question.word == "pond scum"; }))
        << "an alga, filed with the animals";
    for (const char* word : {"hawkfish", "bush dog", "reed cat", "hog fish", "shepherd", "dogwolf"})
        EXPECT_TRUE(std::none_of(all.begin(), all.end(), [&](const auto& question) { return question.word == word; }))
            << word << ": its definition ends another compound with one of its words, writes it as one word or shows its halves"
               " or its short lead";
    // A creature defined by a plural is one of them, an adverb or a participle before it or not.
    for (const auto& [name, defined] : {std::pair{"starfish", "any of the small mostly polar carnivores of the sea floor"},
                                        {"heron", "any of the wading birds of the marshes"}}) {
        const std::string word = name;
        const auto found = std::find_if(all.begin(), all.end(), [&word](const auto& question) { return question.word == word; });
        ASSERT_NE(found, all.end()) << word;
        EXPECT_TRUE(found->information.starts_with(word + ": " + defined)) << found->information;
    }
    // Only a word's clearly usual sense is fit for the test: not tiger's beast, met less than its
    // person, nor lark's bird, met only three times as often as its frolic, nor with thin counts
    // boomer's glider beside its kangaroo or kitten the young cat beside its verb.
    std::set<std::string> unclear;
    for (const auto& question : all)
        if (!question.clearlyUsual) unclear.insert(question.word);
    EXPECT_EQ(unclear, (std::set<std::string>{"boomer", "kitten", "lark", "tiger"}));
    const auto canyon = std::find_if(all.begin(), all.end(), [](const auto& question) { return question.word == "canyon"; });
    ASSERT_NE(canyon, all.end());
    EXPECT_EQ(canyon->information.find("canon"), std::string::npos) << "a synonym that names something else";
    EXPECT_EQ(canyon->information.find("gorge"), std::string::npos) << "an example without the word";

    // Neither a definition in the terms of a verb's parent ("move fast on foot" for walk, which
    // travels: "move, travel, or proceed") or of an adjective's cluster head ("obtainable or accessible"
    // for reachable), nor one sharing a short word with the right one ("dry"), nor a bare word ("to
    // hurry") is a wrong meaning.
    const auto moves = maker.make({"Moving", {"verb.motion"}}, 20);
    const auto describing = maker.make({"Describing", {"adj.all"}}, 20);
    const auto askedFor = [](const auto& made, const char* word) {
        return std::find_if(made.begin(), made.end(), [word](const auto& question) { return question.word == word; });
    };
    const auto walk = askedFor(moves, "walk"), reachable = askedFor(describing, "reachable");
    ASSERT_NE(walk, moves.end());
    ASSERT_NE(reachable, describing.end());
    for (size_t wrong = 1; wrong < 3; ++wrong) {
        EXPECT_TRUE(walk->answers[wrong].find("move") == std::string::npos && walk->answers[wrong] != "to hurry")
            << walk->answers[wrong];
        EXPECT_EQ(walk->answers[wrong].find("dry"), std::string::npos) << "a short word of walk's definition";
        EXPECT_EQ(reachable->answers[wrong].find("accessible"), std::string::npos) << reachable->answers[wrong];
    }
    // Nor two wrong meanings of which one names the other's word: jog's "run slowly" and hurry's
    // "go quickly, faster than a jog".
    const std::set<std::string> walkWrong{walk->answers[1], walk->answers[2]};
    EXPECT_FALSE(walkWrong.contains("run slowly") && walkWrong.contains("go quickly, faster than a jog"));
    // A number's wrong answers are numbers, and no other word's are.
    const std::set<std::string> numbers{"six", "nine", "forty"};
    for (const auto& question : describing)
        for (size_t wrong = 1; wrong < 3; ++wrong) {
            const std::string& answer = question.answers[wrong];
            EXPECT_EQ(numbers.contains(answer) || answer.find(" more than ") != std::string::npos, numbers.contains(question.word))
                << question.word << ": " << answer;
        }
    EXPECT_NE(askedFor(describing, "six"), describing.end());
    EXPECT_EQ(askedFor(describing, "ix"), describing.end()) << "a Roman numeral";
    ASSERT_NE(askedFor(describing, "nine"), describing.end());
    EXPECT_EQ(askedFor(describing, "nine")->information.find("ix"), std::string::npos) << "nor its synonym";
    EXPECT_EQ(askedFor(moves, "sink"), moves.end()) << "its definition holds its irregular form";
    EXPECT_EQ(askedFor(moves, "strengthen"), moves.end()) << "its definition holds strong, of strength";
    // Nor a verb's definition led by a word that shares the asked sense's synonyms: establish, as
    // show's prove is.
    const auto talk = maker.make({"Talk", {"verb.communication"}}, 20);
    const auto show = askedFor(talk, "show");
    ASSERT_NE(show, talk.end());
    ASSERT_TRUE(show->asksMeaning);
    // Nor one told by the kind of another sense (parade, "demonstrate in a march"), nor in the words
    // of the sense a form of it names (scan, "glance through a page", for peek, whose noun is glance).
    for (size_t wrong = 1; wrong < 3; ++wrong)
        for (const char* refused : {"establish after a study", "demonstrate in a march"}) EXPECT_NE(show->answers[wrong], refused);
    const auto looking = maker.make({"Looking", {"verb.perception"}}, 3);
    EXPECT_EQ(askedFor(looking, "peek"), looking.end()) << "only gaze is left to stand beside it";
    // A word is not offered for a clue told in the words of its form: scone (sweeten) for brioche,
    // "often sweetened", which is asked by its meaning instead.
    const auto baked = maker.make({"Baked", {"noun.food"}}, 8);
    const auto brioche = askedFor(baked, "brioche");
    ASSERT_NE(brioche, baked.end());
    EXPECT_TRUE(brioche->asksMeaning) << brioche->answers[1] << " / " << brioche->answers[2];
    EXPECT_EQ(askedFor(baked, "panettone"), baked.end()) << "its definition spells it all but alike";
    for (const char* word : {"capsaicin", "vinaigrette"})
        EXPECT_EQ(askedFor(baked, word), baked.end()) << word << ": its definition leads a word as it is led";
    EXPECT_NE(askedFor(baked, "compote"), baked.end()) << "the letters it shares are a prefix's";
    EXPECT_EQ(askedFor(baked, "divan"), baked.end()) << "a sense players do not know it by";

    // Nor the meaning of a sense that tells little more than a kind the right one is of (harquebus,
    // "an obsolete firearm", beside fusil, a musket), nor of a noun that in any sense is of a kind
    // called as the right one's is (insight, a kind of understanding or discernment, for eye), nor of a
    // kind of what another sense of the word is called (battle, a way to fight, for campaign), nor one
    // telling what a kind of another sense does (a distributor "markets", as a dealer does as a marketer),
    // nor of a word that in another sense is a kind of the right one (zone, a spot, for region), nor a
    // bare class named by a kind above the right one ("Asian dry land" for desert, a kind of land).
    const auto arms = maker.make({"Arms", {"noun.artifact"}}, 20);
    const auto thoughts = maker.make({"Thoughts", {"noun.cognition"}}, 20);
    const auto contest = maker.make({"Contest", {"verb.competition"}}, 20);
    const auto trade = maker.make({"Trade", {"noun.person"}}, 20);
    const auto regions = maker.make({"Regions", {"noun.location"}}, 20);
    for (const auto& [made, word, refused] : {std::tuple{&arms, "fusil", "harquebus"}, {&thoughts, "eye", "insight"},
                                              {&contest, "campaign", "battle"}, {&trade, "dealer", "distributor"},
                                              {&regions, "region", "zone"}, {&regions, "desert", "steppe"}}) {
        const auto question = askedFor(*made, word);
        ASSERT_NE(question, made->end()) << word;
        EXPECT_TRUE(question->asksMeaning) << word;
        for (size_t wrong = 1; wrong < 3; ++wrong)
            EXPECT_NE(wordNet.synsets()[question->answerSynsets[wrong]].words[0].lemma, refused) << question->answers[wrong];
    }
    // A verb's third person leading a gloss is no plural of creatures: not "any of the plays a small part".
    for (const auto& question : trade)
        for (const std::string& text : question.answers) EXPECT_FALSE(text.starts_with("any of the plays")) << question.word;
    // Nor, for a definition cut to a bare class ("light firearm"), one of that class: carbine's cousins.
    const auto carbine = askedFor(arms, "carbine");
    EXPECT_TRUE(carbine == arms.end() || !carbine->asksMeaning) << carbine->answers[1] << " / " << carbine->answers[2];
}

TEST(GeneratorRules, GlossesAreCleanedAndFragmentsKnown) {
    struct Case {
        const char* gloss;
        const char* cleaned;
    };
    const Case cases[] = {
        {"(physics) the rate of change", "in physics, the rate of change"},
        {"(nautical) a rope", "at sea, a rope"},
        {"(usually plural) the goods", "the goods"},
        {"(of persons) very tall", "of persons: very tall"},
        {"(Yiddish) a fool", ""},
        {"often preceded by `as' or ``so''", "often preceded by 'as' or \"so\""},
        {"spin,wind;twist", "spin, wind; twist"},
        {"a sum of 1,000 dollars", "a sum of 1,000 dollars"},
        {"(geology) amass of rock", "in geology, a mass of rock"},
        {"bridge: make a demand for (a card or suit)", "in bridge, make a demand for (a card or suit)"},
        {"behave as expected during of holidays", "behave as expected during holidays"},
        {"you own legs", "your own legs as a means of getting about"},
        {"the act of equiping with weapons", "the act of equipping with weapons"},
        {"(superlative of `good') having the most positive qualities", ""},  // another word's form
        {"(`our sea') the Mediterranean", "the Mediterranean"},
        {"a small thin sharp bit or wood or glass", "a small thin sharp bit of wood or glass"},
        {"a tree of shrub of the genus Cornus", "a tree or shrub of the genus Cornus"},
        {"(literary) a spirited horse", "a spirited horse"},
        {"(poetic ) a dark night", "a dark night"},
        {"(baseball) a stroke (especially in baseball)", "a stroke (especially in baseball)"},  // named again
        // Notes and registers no words can stand for: the sense is left out.
        {"(always used with a modifier) boredom", ""},
        {"(RAF rank) one who is next below", ""},
        {"(formerly) a title", ""},
        {"(old-fashioned slang) a fellow", ""},
        // A gloss naming its word: what it names, unless the register leaves the sense out.
        {"literary term for an ocean", "an ocean"},
        {"informal terms for the leg", ""},
        {"child's word for a duck", ""},
        {"expend profusely; also used with abstract nouns", "expend profusely"},
        {"advanced in years; (`aged' is pronounced as two syllables)", "advanced in years"},
        // A chemical formula spells its name; an abbreviation of two letters stays.
        {"a toxic gas (SO2) from volcanoes", "a toxic gas from volcanoes"},
        {"a poisonous salt (KCN) used in plating", "a poisonous salt used in plating"},
        {"a gallon (US) of water", "a gallon (US) of water"},
        // Beaufort speeds are miles per hour.
        {"wind moving 55-63 knots; 10 on the Beaufort scale", "wind moving 55-63 miles per hour; 10 on the Beaufort scale"},
    };
    for (const Case& c : cases) EXPECT_EQ(questions::GlossText::clean(c.gloss), c.cleaned);
    struct Fragment {
        const char* gloss;
        char partOfSpeech;
        bool fragment;
    };
    const Fragment fragments[] = {
        {"eaten fresh as shell beans or dried", 'n', true}, {"cultivated for its edible fruit", 'n', true},
        {"usually of a stone", 'n', true},                 {"a fruit of the rose family or", 'n', true},
        {"of the plains of central Africa", 'n', true},    {"of great size", 'a', false},
        {"leaves can be used as seasoning", 'n', true},
        {"yields the staple food of half the world", 'n', true}, {"common in meadows and pastures", 'n', true},
        {"in conditions of wealth and comfort", 'n', true},      {"responsive to stimulation", 'n', true},
        {"in British usage, kerosine", 'n', false},              {"common ownership of land", 'n', false},
        {"supplies extrinsic muscles of the eye", 'n', true},     {"makes decorative wooden panels", 'n', true},
        {"from fermented juice of black cherries", 'n', true},   {"opportunity for", 'n', true},
        {"northern North America; Greenland", 'n', true},        {"western North American frog", 'n', false},
        {"Eurasia except southern Russia", 'n', true},           {"thought to derive from meteorites", 'n', true},
        {"thought that makes something comprehensible", 'n', false},           {"southeastern United States to northern Mexico and Jamaica", 'n', true},
        {"Low German from 1100 to 1500", 'n', false},
        {"fit snugly into", 'v', false},                         {"located near the base of the neck", 'n', true},
        {"widely distributed in warm clear shallow streams", 'n', true},
        {"dried apricots in syrup", 'n', false},           {"used of traffic", 'a', true},
        {"primarily temporal sense", 'a', true},         {"intermediate between peat and coal", 'n', true},           {"used to be here", 'v', false},
        {"a midday meal", 'n', false},
        {"the state of the economy declines; a widespread decline", 'n', true},
        {"the male is chestnut-and-black", 'n', true},
        {"the means whereby some act is accomplished", 'n', false},
        {"the amount a salary is increased", 'n', false},
        {"ranges from Central America to Texas", 'n', true},
        {"leaves deeply incised and bright red in autumn", 'n', true},
        {"leaves of the common basil", 'n', false},
        {"with long pointed scales around toes", 'n', true},     {"about three feet long exclusive of tail", 'n', true},
        {"informal term", 'n', true},             {"where one or few ovules develop", 'n', true},
        {"if steel or iron cool very slowly the cementite may occur in globules", 'n', true},
        {"very similar to Potamogeton; of western Africa", 'n', true},
        {"very large person", 'n', false},
        {"its distinctive song is heard during July and August", 'n', true},
        {"larvae bore into and feed on apples", 'n', true},      {"larvae of a gelechiid moth", 'n', false},
        {"smaller than and often included in Taxodium distichum", 'n', true},
        {"rich in tarry hydrocarbons", 'n', true},               {"rich and delicate Italian sponge cake", 'n', false},
        {"gull family; skimmer family; auk family", 'n', true},  {"a bird of the crow family", 'n', false},
        {"a common name for a variety of Sarcosomataceae", 'n', true},
    };
    for (const Fragment& f : fragments)
        EXPECT_EQ(questions::GlossText::isFragment(f.gloss, f.partOfSpeech), f.fragment) << f.gloss;
}

TEST(GeneratorRules, CommonnessIsTheSmallestListHoldingTheWordAndItsTagCount) {
    const SmallDatabase database;
    const questions::Commonness commonness(database.path());
    struct Case {
        const char* word;
        int band;
    };
    const Case cases[] = {{"dog", 4}, {"kitten", 3}, {"barker", 2}, {"pups", 1}, {"zebra", 0}, {"Dog", 0},
                          {"hound dog", 3}, {"dog barker", 1}, {"zebra dog", 0}};
    for (const Case& c : cases) EXPECT_EQ(commonness.band(c.word), c.band) << c.word;
    using questions::Commonness;
    EXPECT_GT(Commonness::score(4, 0), Commonness::score(3, 10)) << "a listed everyday word beats an old count";
    EXPECT_GT(Commonness::score(3, 300), Commonness::score(4, 0)) << "only a very high count lifts a band";
    EXPECT_GT(Commonness::score(3, 5), Commonness::score(3, 1));
}

TEST(GeneratorRules, TheTestAsksNoTextAndNoWordTwiceAndOnlyUsualSenses) {
    const auto question = [](std::string text, std::string word) {
        questions::Question out;
        out.question = std::move(text);
        out.word = std::move(word);
        out.clearlyUsual = out.word != "zeta";
        return out;
    };
    std::vector<questions::Category> categories(2);
    categories[0].subsections = {{"Everyday", {question("What does make mean?", "make"), question("Q1", "alpha"),
                                               question("Q2", "beta")}}};
    categories[1].subsections = {{"Everyday", {question("What does make mean?", "make"), question("Q3", "alpha"),
                                               question("Q6", "zeta"), question("Q4", "gamma"), question("Q4", "delta"),
                                               question("Q5", "epsilon")}}};
    const auto chosen = questions::TestSelection::choose(categories, 4);
    std::set<std::string> texts, words;
    for (const auto& picked : chosen) {
        EXPECT_TRUE(texts.insert(picked.question).second) << picked.question;
        EXPECT_TRUE(words.insert(picked.word).second) << picked.word;
        EXPECT_NE(picked.word, "zeta");
    }
    EXPECT_EQ(chosen.size(), 4u);
}

TEST(GeneratorRules, TheAuditsStringChecksFindWhatTheyName) {
    using questions::QuestionAudit;
    EXPECT_TRUE(QuestionAudit::hasDomainLabel("(physics) a force"));
    EXPECT_TRUE(QuestionAudit::hasDomainLabel("force: (physics) a force."));
    EXPECT_FALSE(QuestionAudit::hasDomainLabel("a force (as in physics) acting"));
    EXPECT_TRUE(QuestionAudit::hasTexQuote("preceded by `as'"));
    EXPECT_FALSE(QuestionAudit::hasTexQuote("the dog's bone"));
    EXPECT_TRUE(QuestionAudit::hasMissingSpace("spin,wind"));
    EXPECT_FALSE(QuestionAudit::hasMissingSpace("1,000 dollars, or more"));
    EXPECT_TRUE(QuestionAudit::isWordOf("a crisp round cookie", "round"));
    EXPECT_TRUE(QuestionAudit::isWordOf("a crisp round cookie", "crisp round"));
    EXPECT_FALSE(QuestionAudit::isWordOf("a crisp rounded cookie", "round"));
    EXPECT_TRUE(QuestionAudit::isFragment("eaten fresh as shell beans or dried", 'n'));
    EXPECT_TRUE(QuestionAudit::isFragment("of the plains of central Africa", 'n'));
    EXPECT_TRUE(QuestionAudit::isFragment("about seven inches", 'n'));
    EXPECT_TRUE(QuestionAudit::isFragment("leaves sometimes used for flavoring", 'n'));
    EXPECT_FALSE(QuestionAudit::isFragment("of great size", 'a'));
    EXPECT_FALSE(QuestionAudit::isFragment("a midday meal", 'n'));
    EXPECT_FALSE(QuestionAudit::isFragment("the time of life between 20 and 30", 'n'));

    // Its own look-ups: stems, prefixes and derivations against the definition; near relations.
    const SmallDatabase database;
    const questions::WordNet wordNet(database.path());
    const questions::Commonness commonness(database.path());
    const QuestionAudit audit(wordNet, commonness);
    EXPECT_TRUE(audit.sharesStem("someone who claims a benefit", "claimant"));
    EXPECT_TRUE(audit.sharesStem("the act of competing", "competition"));
    EXPECT_TRUE(audit.sharesStem("an animal that barks at night", "dog")) << "through its derived verb";
    EXPECT_FALSE(audit.sharesStem("a tame animal kept by people", "dog"));
    EXPECT_TRUE(audit.nearlyRelated('n', "dog", "mammal"));
    EXPECT_TRUE(audit.nearlyRelated('n', "dog", "hound"));
    EXPECT_FALSE(audit.nearlyRelated('n', "dog", "sparrow"));
}

}  // namespace
