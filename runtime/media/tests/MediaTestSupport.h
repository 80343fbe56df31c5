// What the media tests share: a listener that records events with their threads, a tick thread,
// and waiting with a bound.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "runtime/lang/Exceptions.h"
#include "runtime/media/Manager.h"
#include "runtime/media/Player.h"
#include "runtime/media/PlayerImpl.h"
#include "runtime/media/PlayerListener.h"
#include "runtime/media/player_internalPF.h"
#include "runtime/text/Long.h"
#include "runtime/text/String.h"

namespace mediatest {

using namespace javax::microedition::media;

struct Event {
    std::string name;
    int64_t time = -2;  // the Long's value; -2 when the data was no Long
    std::thread::id thread;
};

class RecordingListener : public java::lang::Object, public PlayerListener {
    JAVA_CLASS(RecordingListener, "RecordingListener", java::lang::Object, PlayerListener)
public:
    // Throws after recording an event of this name.
    explicit RecordingListener(std::string throwOn = "") : m_throwOn(std::move(throwOn)) {}

    void playerUpdate(JavaPtr<Player> player, JavaPtr<java::lang::String> event,
                      JavaPtr<java::lang::Object> eventData) override {
        Event recorded{event->val(), -2, std::this_thread::get_id()};
        if (auto time = java::lang::recastObj<java::lang::Long>(eventData)) recorded.time = time->longValue();
        {
            std::lock_guard guard(m_lock);
            m_events.push_back(recorded);
        }
        if (recorded.name == m_throwOn) throw java::lang::RuntimeException();
    }
    std::vector<Event> events() {
        std::lock_guard guard(m_lock);
        return m_events;
    }
    std::vector<std::string> names() {
        std::vector<std::string> result;
        for (const Event& event : events()) result.push_back(event.name);
        return result;
    }
    int32_t count(const std::string& name) {
        int32_t found = 0;
        for (const Event& event : events()) found += event.name == name;
        return found;
    }

private:
    std::mutex m_lock;
    std::vector<Event> m_events;
    std::string m_throwOn;
};

// Runs the media manager's tick as the runtime's tick loop does.
class TickThread {
public:
    TickThread()
        : m_thread([this] {
              while (!m_stop) {
                  Manager::tick();
                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
              }
          }) {}
    ~TickThread() {
        m_stop = true;
        m_thread.join();
    }
    std::thread::id id() const { return m_thread.get_id(); }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// The platform player beneath a player, where the device's view of it can be read.
inline player_internalPF& platformOf(const JavaPtr<Player>& player) {
    return *static_cast<player_internalPF*>(java::lang::recastObj<PlayerImpl>(player)->platformPlayerForTests());
}

// Waits for the condition, for at most ten seconds; playback runs in real time.
inline bool waitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace mediatest
