// When a text gives a word away through what WordNet knows of it: its spelling (Wording::givesAway,
// the reach of spelling alone), and beyond it the word's derived and irregular forms, the words a
// closed compound is made of, a word of a phrase repeated whole and a root English spells two ways.
// One ordered list of named checks (WordNetGiveaway.cpp); the first that finds the word shown is
// counted for the report.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace questions {

class WordNet;

class WordNetGiveaway {
public:
    explicit WordNetGiveaway(const WordNet& wordNet) : m_wordNet(wordNet) {}

    // The text shows the lemma (underscores for spaces) or a word WordNet makes of it or it of.
    bool givesAway(std::string_view text, const std::string& lemma) const;

    // What a closed compound is made of, worked out once a lemma.
    struct CompoundParts {
        std::vector<std::string> forms;      // of the words it is made of: "tidal" for tideway
        std::vector<std::string> lastWords;  // of four letters or more after a lead of four: "line" of touchline
        std::vector<std::string> tails;      // words of four letters or more after any lead of three: "herd" of shepherd
        std::string shortLead;               // a word of three before one of four or more: "new" of newfound
    };
    const CompoundParts& compoundParts(const std::string& lemma) const;
    const WordNet& wordNet() const { return m_wordNet; }

private:
    const WordNet& m_wordNet;
    // Worked out once a word: giveaways are checked against every candidate's text.
    mutable std::map<std::string, CompoundParts> m_compoundParts;
};

}  // namespace questions
