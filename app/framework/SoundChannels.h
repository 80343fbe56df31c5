// The canvas's sound layer: 21 channels, each holding one loaded sound, its player, the resource it
// came from, its loop count and the priority it was last started with; at most 8 sounds play and at
// most 8 players are prefetched at any time. The operations may come from the application main
// thread, the loading thread and the UI thread; one lock serialises them. The audio device is opened
// before that lock is taken: opening may wait for a slow sound server, and the UI thread must not.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "app/framework/AppParameters.h"
#include "runtime/lang/JArray.h"

namespace java::lang { class String; }
namespace javax::microedition::media {
class Player;
class PlayerListener;
}  // namespace javax::microedition::media

class SoundChannels : public AppParameters {
public:
    // Seven (value, mask) pairs over a sound's first four bytes, read big-endian, and the content
    // type of each, with a last entry for data that matches none.
    static constexpr int32_t sound_format_magics[14] = {
        0x2321414D, -1, 0x4D546864, -1, 0x52494646, -1, 0x63616666, -1,
        0x4F676753, -1, 0x56414770, -1, 0x4D4D4D44, -1};
    static constexpr const char* sound_mime_types[8] = {
        "audio/amr", "audio/midi", "audio/x-wav", "audio/x-caf", "application/ogg", "audio/x-vag",
        "application/vnd.smaf", "audio/mpeg"};

    // Reads a sound resource's bytes, null when it cannot.
    using ResourceReader = std::function<JavaPtr<JArray<signed char>>(int32_t id)>;
    // The quiz's sound-off setting.
    using SoundOffSetting = std::function<bool()>;

    // The listener (the canvas) is registered with every player made; it must outlive them.
    SoundChannels(ResourceReader getResourceByteArray, SoundOffSetting soundOff,
                  javax::microedition::media::PlayerListener* listener);
    ~SoundChannels();
    SoundChannels(const SoundChannels&) = delete;
    SoundChannels& operator=(const SoundChannels&) = delete;

    // A load that an unload overtakes keeps nothing: what it read belongs to a canvas since hidden.
    void loadSounds();
    void unloadSounds();
    // At the application's end: every player is closed and let go, so that none keeps the listener
    // alive, and nothing is loaded again.
    void closeAll();
    // The channel holding the sound, or -1 when it could not be read.
    int32_t loadSound(int32_t id);
    void unloadSound(int32_t id);
    int32_t alreadyLoadedChannel(int32_t id);
    void createPlayerAndPrefetch(int32_t channel);
    void playSound(int32_t id, int32_t priority, int32_t loops);
    void _FuSeD_mThD_1_playSound(int32_t id, int32_t priority, int32_t loops);
    bool resumeSound(int32_t id);
    // True only when the sound was started.
    bool playResumeSound(int32_t id, int32_t priority, int32_t loops, bool resume);
    void pauseSound(int32_t id);
    void stopSound(int32_t id);
    void stopAllSounds();
    void stopSoundChannel(int32_t channel);
    void cleanUpPlayerFromChannel(int32_t channel);
    void setVolume(int32_t level);
    void beep();

    // The content type the format table gives the data.
    static const char* contentTypeOf(const JavaPtr<JArray<signed char>>& data);

    // What a channel holds: for the canvas's own tests and the quiz.
    JavaPtr<javax::microedition::media::Player> playerOf(int32_t channel);
    bool hasData(int32_t channel);
    int32_t idOf(int32_t channel);

    std::atomic<int32_t> sound_volume{PARAM_WL_SOUND_AUDIO_DEFAULT_VOLUME};
    std::atomic<bool> sounds_loaded{false};

private:
    static constexpr int32_t CHANNELS = PARAM_WL_SOUND_AUDIO_MAX_PIECES;

    // The player's state, -1 without a player or when the player fails to answer.
    int32_t stateOf(int32_t channel);
    // Prefetches the channel's player, first stopping and deallocating another when the limit is
    // reached; false when no room could be made.
    bool prefetchWithinLimit(int32_t channel);
    void applyVolume(const JavaPtr<javax::microedition::media::Player>& player);
    // Loads the sound unless an unload or closeAll came after the count of unloads was `unloads`.
    int32_t loadSoundUnlessUnloaded(int32_t id, uint64_t unloads);
    uint64_t unloadCount();

    ResourceReader m_getResourceByteArray;
    SoundOffSetting m_soundOff;
    javax::microedition::media::PlayerListener* m_listener;
    std::recursive_mutex m_lock;
    // Both under m_lock.
    uint64_t m_unloads = 0;
    bool m_closed = false;

    std::array<JavaPtr<JArray<signed char>>, CHANNELS> sound_data;
    std::array<int32_t, CHANNELS> sound_channel_ids{};
    std::array<JavaPtr<javax::microedition::media::Player>, CHANNELS> sound_players;
    std::array<int32_t, CHANNELS> sound_loop_counts{};
    std::array<int32_t, CHANNELS> sound_priorities{};
};
