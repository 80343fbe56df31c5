// A saved-progress record that the quiz could not use, kept in a file of its own in the documents
// directory before the first save that replaces it in the store, so that a later build, or a
// person, can still read it.
#pragma once

#include <span>
#include <string>

namespace keptrecord {

enum class Outcome {
    Kept,     // in a file, flushed to the disk, which a line on standard error names
    SetFull,  // every name is taken by other records: a line says it is not kept
    Failed,   // the disk refused the copy
};

// Keeps the bytes in "refused-progress-N.dat": the file that holds them already, as a save cut
// short after its copy leaves, or else a new one at the lowest N free. The reason, when it failed.
Outcome keep(std::span<const signed char> bytes, std::string& whyNot);

}  // namespace keptrecord
