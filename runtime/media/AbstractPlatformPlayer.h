// What a player needs of the platform's audio to play its one sound.
#pragma once

#include <cstdint>

namespace javax::microedition::media {

class AbstractPlatformPlayer {
public:
    virtual ~AbstractPlatformPlayer() = default;

    // Takes the whole encoded sound (neither copied nor owned) and prepares it for playing.
    virtual bool setSoundData(const void* data, int64_t length) = 0;
    // Rewinds and plays from the beginning.
    virtual bool playSoundData() = 0;
    virtual bool pausePlayback() = 0;
    // Plays on from where the sound stands.
    virtual bool resumePlayback() = 0;
    // Whether the sound is still playing or paused part-way.
    virtual bool hasIncompletePlaybackTask() = 0;
    // The new time, -1 for failure.
    virtual int64_t seekToTime(int64_t time) = 0;
    // The current time, -1 when unknown.
    virtual int64_t getPlaybackPos() = 0;
    // 0 to 100; -1 for no level, which plays at full loudness.
    virtual bool setVolume(int32_t level) = 0;
    // The last level set, -1 when none.
    virtual int32_t getVolume() = 0;
    virtual void destroy() = 0;
    virtual bool canBeDeleted() = 0;
    // Pauses for an audio interruption; the next start prepares the sound afresh.
    virtual void interruptPause() = 0;
};

}  // namespace javax::microedition::media
