// The bundle files the quiz cannot start or play a test without, checked before it starts: the
// resource map and every file it names, the topics and the test's questions. A practice
// subsection's questions are read when it is chosen, and a missing one leaves the player on the list.
#pragma once

#include <string>

// Empty when each of them is a regular file in the directory no larger than its kind can be and,
// where the quiz decodes it as it starts (the map, the topics, the test's questions), reads whole
// and decodes to something it can use (a map with resources, topics with subsections, questions),
// and each pack holds the bytes its blocks need; otherwise the first that does not, with the
// reason, as one line. Never opens a file that is not a regular file, so that a pipe put in a
// file's place cannot hold the start, and never reads one past its size's cap.
std::string firstUnusableQuizFile(const std::string& bundleDirectory);
