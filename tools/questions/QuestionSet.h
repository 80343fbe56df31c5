// The quiz's questions as the generator makes them: per category its subsections, and the test.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace questions {

struct Question {
    std::string question;
    std::array<std::string, 3> answers;  // the right one first
    std::string information;
    int synset = -1;                     // the sense asked about
    std::array<int, 3> answerSynsets{};  // the sense each answer names or defines
    bool asksMeaning = false;            // "What does <word> mean?", with definitions as answers
    std::string word;                    // the word asked for or about
    bool clearlyUsual = true;            // every other sense of the word is met far less in the tagged texts
};

struct Subsection {
    std::string name;
    std::vector<Question> questions;
};

struct Category {
    std::string name;
    std::vector<Subsection> subsections;
};

struct QuestionSet {
    static constexpr int categoryCount = 21;
    static constexpr int testQuestionCount = 575;

    std::vector<Category> categories;
    std::vector<Question> test;
};

}  // namespace questions
