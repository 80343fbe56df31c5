// The bundle files the quiz cannot start or play a test without, checked before it starts: the
// resource map and every file it names, the topics and the test's questions. A practice
// subsection's questions are read when it is chosen, and a missing one leaves the player on the list.
#pragma once

#include <string>

// Empty when each of them is a readable file in the directory; otherwise the first that is not,
// with the reason, as one line.
std::string firstMissingQuizFile(const std::string& bundleDirectory);
