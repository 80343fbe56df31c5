// Every thread entry runs its work through here, so that no exception reaches std::terminate.
#pragma once

#include <exception>
#include <utility>

namespace java::lang {

// Prints a Throwable or std::exception that escaped a thread's work through System::err.
void reportUncaught(std::exception_ptr error) noexcept;

// Runs the work; an exception it throws is reported and swallowed. Returns false when one was.
template <class Work>
bool runGuarded(Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        reportUncaught(std::current_exception());
        return false;
    }
}

}  // namespace java::lang
