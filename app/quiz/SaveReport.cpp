#include "app/quiz/SaveReport.h"

#include <cstdio>
#include <mutex>

#include "runtime/io/FileSystem.h"

namespace savereport {

namespace {

// Saves come from the main loop and from the pass that saves while hidden.
std::mutex lock;
bool failing = false;

}  // namespace

void saveFailed(const std::string& reason) {
    std::lock_guard guard(lock);
    if (!failing)
        std::fprintf(stderr, "lexivo-quiz: progress could not be saved in '%s': %s\n",
                     java::io::FileSystem::documentsDirectory().c_str(), reason.c_str());
    failing = true;
}

void saveWorked() {
    std::lock_guard guard(lock);
    if (failing)
        std::fprintf(stderr, "lexivo-quiz: progress is saved in '%s' again\n", java::io::FileSystem::documentsDirectory().c_str());
    failing = false;
}

bool lastSaveFailed() {
    std::lock_guard guard(lock);
    return failing;
}

}  // namespace savereport
