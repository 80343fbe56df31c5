// WordNet's definition texts made fit to read on the quiz's screen: a leading subject label made
// words, TeX quotes plain, spaces after commas and semicolons, known typos corrected; and the
// glosses that are no definition on their own.
#pragma once

#include <string>
#include <string_view>

namespace questions {

class GlossText {
public:
    // The cleaned text; empty when the sense is labelled as a foreign, slang or informal word, or
    // led by a note no words can stand for ("always used with a modifier").
    static std::string clean(std::string_view definition);
    // Not a whole definition: a noun's gloss that starts as a verb phrase ("eaten fresh as shell
    // beans or dried"), a clause left hanging ("usually of a stone") or a sentence of its own.
    static bool isFragment(std::string_view definition, char partOfSpeech);
};

}  // namespace questions
