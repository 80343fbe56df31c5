// The platform player: the whole sound decoded once into one audio buffer, played by one source of
// the process's audio device.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "runtime/media/AbstractPlatformPlayer.h"

namespace javax::microedition::media {

class player_internalPF : public AbstractPlatformPlayer {
public:
    static constexpr uint16_t NO_VOLUME = 0xFFFF;

    player_internalPF() = default;
    ~player_internalPF() override;
    player_internalPF(const player_internalPF&) = delete;
    player_internalPF& operator=(const player_internalPF&) = delete;

    bool setSoundData(const void* data, int64_t length) override;
    bool playSoundData() override;
    bool pausePlayback() override;
    bool resumePlayback() override;
    bool hasIncompletePlaybackTask() override;
    int64_t seekToTime(int64_t time) override;
    int64_t getPlaybackPos() override { return -1; }
    bool setVolume(int32_t level) override;
    int32_t getVolume() override;
    void destroy() override;
    bool canBeDeleted() override;
    void interruptPause() override;

    // The gain last given to the source: for tests of what reaches the device.
    float appliedGain();
    // Whether the source is playing now (not paused, stopped or missing): for tests.
    bool sounding();
    // Where the source stands in the sound, in sample frames: for tests.
    int64_t sampleOffset();

private:
    // Each expects m_lock held.
    bool prepare();
    void release();
    void applyVolume();
    bool hasSource() const;

    std::mutex m_lock;
    const void* soundBytes = nullptr;
    int64_t soundLength = 0;
    bool destroyed = false;
    bool interrupted = false;
    uint32_t source = 0;
    uint32_t buffer = 0;
    uint64_t deviceGeneration = 0;
    uint16_t volume = NO_VOLUME;
};

}  // namespace javax::microedition::media
