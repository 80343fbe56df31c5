// A saved-progress record that the quiz could not use, kept in a file of its own in the documents
// directory before the first save that replaces it in the store, so that a later build, or a
// person, can still read it.
#pragma once

#include <span>
#include <string>

namespace keptrecord {

// Writes the bytes to a new "refused-progress-N.dat" (the lowest N free), flushed to the disk, and
// names it on standard error. False, with the reason, when they could not be kept.
bool keep(std::span<const signed char> bytes, std::string& whyNot);

}  // namespace keptrecord
