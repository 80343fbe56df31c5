// The media API's one player: the state machine over one sound held whole in memory, its
// listeners and their events, its loop count and its two controls. Playback goes through the
// platform player it owns.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"
#include "runtime/media/AbstractPlatformPlayer.h"
#include "runtime/media/Player.h"

namespace java::io { class InputStream; }

namespace javax::microedition::media {

namespace control {
class ToneControlImpl;
class VolumeControlImpl;
}  // namespace control

class PlayerImpl : public java::lang::Object, public Player {
    JAVA_CLASS(PlayerImpl, "javax.microedition.media.PlayerImpl", java::lang::Object, Player)
public:
    // Reads what the stream has available; the sound is prepared before the constructor returns.
    explicit PlayerImpl(const JavaPtr<java::io::InputStream>& stream);
    // Keeps the array itself.
    explicit PlayerImpl(JavaPtr<JArray<signed char>> data);
    ~PlayerImpl() override;

    void addPlayerListener(JavaPtr<PlayerListener> listener) override;
    void close() override;
    void deallocate() override;
    JavaPtr<java::lang::String> getContentType() override;
    JavaPtr<Control> getControl(JavaPtr<java::lang::String> type) override;
    JavaPtr<JArray<Control>> getControls() override;
    int64_t getDuration() override;
    int64_t getMediaTime() override;
    int32_t getState() override { return state.load(std::memory_order_acquire); }
    JavaPtr<TimeBase> getTimeBase() override { return nullptr; }
    void prefetch() override;
    void realize() override;
    void removePlayerListener(JavaPtr<PlayerListener> listener) override;
    void setLoopCount(int32_t count) override;
    int64_t setMediaTime(int64_t now) override;
    void setTimeBase(JavaPtr<TimeBase> master) override {}
    void start() override { start(false); }
    void stop() override;
    // A restart is the next round of a looping sound.
    virtual void start(bool restart);
    virtual bool setVolume(int32_t level);
    virtual int32_t getVolume();

    // Run by the media manager's tick: reports the end of playback and starts the next loop.
    void tick();
    // True once closed and its platform resources are gone; the platform player is deleted then.
    bool canBeDeleted();
    void interruptPause();

    // For the player's own tests: the platform player, null once deleted.
    AbstractPlatformPlayer* platformPlayerForTests() { return platformPlayer.get(); }

private:
    static constexpr int32_t MODE_IDLE = 0;
    static constexpr int32_t MODE_PLAYING = 1;
    static constexpr int32_t MODE_STOPPED_PART_WAY = 2;
    static constexpr int32_t MODE_FAILED = 3;

    void init();
    void requireNotClosed();
    // Calls every listener in slot order, re-reading the slots after each call.
    void deliver(const JavaPtr<java::lang::String>& event, const JavaPtr<java::lang::Object>& eventData);
    JavaPtr<java::lang::Object> timeEvent(int64_t time);
    // Runs work on the platform player under the lock that keeps it from being deleted meanwhile;
    // answers fallback without one.
    template <class Work, class Result>
    Result withPlatform(Work&& work, Result fallback);

    std::mutex m_lock;  // listeners, controls and the platform player's lifetime
    JavaPtr<JArray<PlayerListener>> listeners;
    JavaPtr<JArray<signed char>> soundData;
    std::atomic<int32_t> state{UNREALIZED};
    std::atomic<int32_t> loopCount{1};
    std::atomic<int32_t> playMode{MODE_IDLE};
    std::atomic<bool> closed{false};
    std::unique_ptr<AbstractPlatformPlayer> platformPlayer;
    JavaPtr<control::ToneControlImpl> toneControl;
    JavaPtr<control::VolumeControlImpl> volumeControl;
};

}  // namespace javax::microedition::media
