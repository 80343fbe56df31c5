// Counts the defects a reader meets in a generated question set, by checks of its own: string
// checks and WordNet look-ups written apart from the rules the generator applies, so that a fault
// in those rules shows here rather than being repeated.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "tools/questions/QuestionSet.h"

namespace questions {

class Commonness;
class WordNet;

struct AuditCounts {
    size_t questions = 0;
    size_t domainLabels = 0, texQuotes = 0, missingSpaces = 0;
    size_t wrongInQuestion = 0, wrongSharesSynset = 0, panelsWithoutWord = 0;
    size_t stemGiveaways = 0, nearRelations = 0, fragments = 0;
    size_t repeatedTexts = 0, repeatedWords = 0;  // the test only
};

class QuestionAudit {
public:
    QuestionAudit(const WordNet& wordNet, const Commonness& commonness) : m_wordNet(wordNet), m_commonness(commonness) {}

    AuditCounts count(const std::vector<Question>& questions) const;
    // The counts for the test and for all practice questions, then per subsection the share of
    // wrong answers from the right word's category and part of speech and from its commonness band.
    void print(const QuestionSet& set, std::ostream& out) const;

    // Single checks, public for the tests.
    static bool hasDomainLabel(const std::string& text);
    static bool hasTexQuote(const std::string& text);
    static bool hasMissingSpace(const std::string& text);
    static bool isWordOf(const std::string& text, const std::string& word);
    bool sharesStem(const std::string& definition, const std::string& word) const;
    bool nearlyRelated(char partOfSpeech, const std::string& first, const std::string& second) const;
    static bool isFragment(const std::string& definition, char partOfSpeech);

private:
    bool sensesNear(int first, int second) const;

    const WordNet& m_wordNet;
    const Commonness& m_commonness;
};

}  // namespace questions
