// The process-wide mutex under which objects' wait sets are created on first use.
#pragma once

#include <mutex>

namespace java::lang {
// Constant-initialised, so monitors work before the launcher runs.
extern std::mutex global_mutex;
}
