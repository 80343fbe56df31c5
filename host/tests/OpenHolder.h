// Holds a program inside a file's open, for as long as a test wants: the kernel asks this object
// (through fanotify) before each open of a file in a directory, and it lets every open through at
// once but the first, once armed, of a file whose name starts with a given prefix. Needs the
// administrator's capability; valid() says whether the kernel allowed it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

namespace programtest {

class OpenHolder {
public:
    explicit OpenHolder(const std::filesystem::path& directory);
    // Lets a held open through and stops answering; the kernel lets every later open through.
    ~OpenHolder();
    OpenHolder(const OpenHolder&) = delete;
    OpenHolder& operator=(const OpenHolder&) = delete;

    bool valid() const { return m_group >= 0; }
    // Holds the next open of a file named with the prefix.
    void arm(const std::string& prefix);
    // Waits, within the bound, until an open is held; false when the bound passed first.
    bool waitUntilHeld(std::chrono::seconds bound);
    // Lets the held open go on.
    void release();

private:
    void answer();
    void allow(int file);

    int m_group = -1;
    int m_stop[2] = {-1, -1};
    std::mutex m_lock;
    std::condition_variable m_heldChanged;
    std::string m_prefix;
    int m_held = -1;
    std::thread m_answerer;
};

}  // namespace programtest
