// The sound channels over real players on the audio library's null back end.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <utility>

#include "app/framework/SoundChannels.h"
#include "runtime/media/AudioSession.h"
#include "runtime/media/tests/MediaTestSupport.h"
#include "runtime/media/tests/TestSounds.h"

namespace {

using namespace javax::microedition::media;
using java::lang::jnew;

constexpr int32_t FIRST = SoundChannels::RESID_SOUND_ALMOST_OUT_OF_TIME;
constexpr int32_t LAST = SoundChannels::RESID_CLICK_ON_BUTTON;

class SoundChannelsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testsounds::useNullAudio();
        PlayerListener::PlayerListener_staticInit();
        Manager::Manager_staticInit();
        // One second, so that every sound started is still playing when it is looked at.
        sound = testsounds::writeSound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, testsounds::tone(testsounds::RATE));
    }
    void TearDown() override {
        Manager::tidyUp();
        Manager::resetForTests();
        AudioSession::close();
    }

    JavaPtr<mediatest::RecordingListener> listener = jnew<mediatest::RecordingListener>();
    SoundChannels channels{[this](int32_t id) { return read(id); }, [this] { return soundOff; }, listener.get()};

    JavaPtr<JArray<signed char>> read(int32_t id) {
        ++reads[id];
        if (id == interruptAt && interruption) std::exchange(interruption, nullptr)();
        if (unreadable.count(id)) return nullptr;
        return testsounds::javaBytes(sound);
    }
    int32_t state(int32_t channel) {
        auto player = channels.playerOf(channel);
        return player ? player->getState() : -1;
    }
    int32_t count(std::initializer_list<int32_t> states) {
        int32_t found = 0;
        for (int32_t channel = 0; channel < SoundChannels::PARAM_WL_SOUND_AUDIO_MAX_PIECES; ++channel)
            for (int32_t wanted : states) found += state(channel) == wanted;
        return found;
    }
    player_internalPF& platformOf(int32_t channel) { return mediatest::platformOf(channels.playerOf(channel)); }

    static inline std::vector<unsigned char> sound;
    std::map<int32_t, int32_t> reads;
    std::set<int32_t> unreadable;
    // Runs once, while the sound interruptAt is read: between a load's start and its keeping.
    int32_t interruptAt = -1;
    std::function<void()> interruption;
    bool soundOff = false;
};

TEST(SoundFormats, TheFirstFourBytesChooseTheContentType) {
    const std::pair<std::vector<unsigned char>, const char*> cases[] = {
        {{'#', '!', 'A', 'M', 'R'}, "audio/amr"},      {{'M', 'T', 'h', 'd'}, "audio/midi"},
        {{'R', 'I', 'F', 'F', 0}, "audio/x-wav"},      {{'c', 'a', 'f', 'f'}, "audio/x-caf"},
        {{'O', 'g', 'g', 'S'}, "application/ogg"},     {{'V', 'A', 'G', 'p'}, "audio/x-vag"},
        {{'M', 'M', 'M', 'D'}, "application/vnd.smaf"}, {{'I', 'D', '3', 4}, "audio/mpeg"},
        {{'R', 'I', 'F'}, "audio/mpeg"},               {{}, "audio/mpeg"},
    };
    for (const auto& [bytes, type] : cases)
        EXPECT_STREQ(SoundChannels::contentTypeOf(testsounds::javaBytes(bytes)), type) << bytes.size();
}

TEST_F(SoundChannelsTest, TwentyOneSoundsFillTwentyOneChannelsWithEightPrefetched) {
    channels.loadSounds();
    EXPECT_TRUE(channels.sounds_loaded);
    const int32_t order[] = {292, 311, 312, 293, 294, 295, 296, 297, 298, 299, 300,
                             301, 302, 303, 304, 305, 306, 307, 308, 309, 310};
    for (int32_t channel = 0; channel < 21; ++channel) {
        EXPECT_EQ(channels.idOf(channel), order[channel]);
        EXPECT_TRUE(channels.hasData(channel));
        EXPECT_TRUE(channels.playerOf(channel));
    }
    EXPECT_EQ(count({Player::PREFETCHED, Player::STARTED}), 8);
    // Playing every sound keeps within the limits.
    for (int32_t id = FIRST; id <= LAST; ++id) {
        channels.playSound(id, 1, 0);
        EXPECT_LE(count({Player::PREFETCHED, Player::STARTED}), 8) << id;
        EXPECT_LE(count({Player::STARTED}), 8) << id;
    }
    for (int32_t id = FIRST; id <= LAST; ++id) EXPECT_EQ(reads[id], 1) << id;
}

TEST_F(SoundChannelsTest, ANinthSoundStopsThePlayingSoundOfSmallestPriorityNotAboveItsOwn) {
    struct Case {
        int32_t priority;
        int32_t stoppedChannel;  // -1: none, and the new sound is not played
    };
    const int32_t priorities[8] = {5, 3, 3, 7, 9, 4, 6, 8};
    for (const Case& c : {Case{3, 1}, Case{4, 1}, Case{10, 1}, Case{2, -1}}) {
        SoundChannels fresh([this](int32_t id) { return read(id); }, [] { return false; }, nullptr);
        for (int32_t i = 0; i < 8; ++i) ASSERT_TRUE(fresh.playResumeSound(FIRST + i, priorities[i], 0, false));
        const bool played = fresh.playResumeSound(FIRST + 8, c.priority, 0, false);
        EXPECT_EQ(played, c.stoppedChannel != -1) << c.priority;
        for (int32_t channel = 0; channel < 8; ++channel)
            EXPECT_EQ(fresh.playerOf(channel)->getState() == Player::STARTED, channel != c.stoppedChannel)
                << c.priority << " channel " << channel;
        EXPECT_EQ(fresh.playerOf(8)->getState() == Player::STARTED, played) << c.priority;
        Manager::tidyUp();
        Manager::resetForTests();
    }
}

TEST_F(SoundChannelsTest, PauseThenResumeContinuesWithoutRewindingAndKeepsLooping) {
    channels.playSound(FIRST, 2, 0);
    ASSERT_EQ(state(0), Player::STARTED);
    ASSERT_TRUE(mediatest::waitFor([&] { return platformOf(0).sampleOffset() > 4800; }));
    channels.pauseSound(FIRST);
    EXPECT_EQ(state(0), Player::PREFETCHED);
    const int64_t pausedAt = platformOf(0).sampleOffset();
    Manager::tick();
    EXPECT_TRUE(channels.resumeSound(FIRST));
    EXPECT_EQ(state(0), Player::STARTED);
    EXPECT_GE(platformOf(0).sampleOffset(), pausedAt);
    EXPECT_FALSE(channels.resumeSound(FIRST + 1));
}

TEST_F(SoundChannelsTest, NothingPlayedIsReportedAsNothingPlayed) {
    unreadable.insert(FIRST);
    EXPECT_FALSE(channels.playResumeSound(FIRST, 1, 1, false));
    EXPECT_FALSE(channels.playResumeSound(-1, 1, 1, false));
    // A sound that loads but cannot be played: its start fails.
    SoundChannels garbage([](int32_t) { return testsounds::javaBytes(std::vector<unsigned char>{1, 2, 3, 4, 5}); },
                          [] { return false; }, nullptr);
    EXPECT_FALSE(garbage.playResumeSound(FIRST, 1, 1, false));
    EXPECT_NO_THROW(channels.beep());
}

TEST_F(SoundChannelsTest, ExceptionsFromLoadingOrStoppingStayInside) {
    SoundChannels throwing([](int32_t) -> JavaPtr<JArray<signed char>> { throw java::lang::RuntimeException(); },
                           [] { return false; }, nullptr);
    EXPECT_NO_THROW(throwing.loadSounds());
    EXPECT_EQ(throwing.loadSound(FIRST), -1);

    channels.playSound(FIRST, 1, 0);
    channels.playerOf(0)->close();
    EXPECT_NO_THROW(channels.stopAllSounds());
    EXPECT_NO_THROW(channels.unloadSounds());
    EXPECT_FALSE(channels.resumeSound(FIRST));
}

TEST_F(SoundChannelsTest, SoundOffLoadsAndPlaysNothing) {
    soundOff = true;
    channels.loadSounds();
    channels.playSound(FIRST, 1, 1);
    EXPECT_TRUE(reads.empty());
    EXPECT_FALSE(channels.sounds_loaded);
    EXPECT_FALSE(channels.playerOf(0));
}

TEST_F(SoundChannelsTest, HideStopsAndUnloadsAndShowReloadsIntoTheSamePlayers) {
    channels.loadSounds();
    channels.playSound(FIRST, 1, 0);
    channels.playSound(LAST, 1, 0);
    std::vector<JavaPtr<Player>> players;
    for (int32_t channel = 0; channel < 21; ++channel) players.push_back(channels.playerOf(channel));

    channels.stopAllSounds();
    channels.unloadSounds();
    for (int32_t channel = 0; channel < 21; ++channel) {
        EXPECT_FALSE(channels.hasData(channel)) << channel;
        EXPECT_EQ(state(channel), Player::REALIZED) << channel;
    }
    channels.loadSounds();
    for (int32_t channel = 0; channel < 21; ++channel) {
        EXPECT_TRUE(channels.hasData(channel)) << channel;
        EXPECT_TRUE(channels.playerOf(channel) == players[channel]) << channel;
    }
    EXPECT_EQ(count({Player::PREFETCHED}), 8);
    channels.playSound(FIRST, 1, 0);
    EXPECT_EQ(state(0), Player::STARTED);
    for (int32_t id = FIRST; id <= LAST; ++id) EXPECT_EQ(reads[id], 2) << id;
}

// A pause during the first loading, or the application's end: the players made after it would be
// kept prefetched while hidden, or keep the listener alive for ever.
TEST_F(SoundChannelsTest, ALoadOvertakenByAnUnloadOrTheEndKeepsNothing) {
    const int32_t fifth = 294;
    for (const bool end : {false, true}) {
        SCOPED_TRACE(end ? "closeAll" : "unloadSounds");
        const auto heard = jnew<mediatest::RecordingListener>();
        SoundChannels loading([this](int32_t id) { return read(id); }, [] { return false; }, heard.get());
        const auto prefetched = [&loading] {
            int32_t found = 0;
            for (int32_t channel = 0; channel < 21; ++channel)
                found += loading.playerOf(channel) && loading.playerOf(channel)->getState() == Player::PREFETCHED;
            return found;
        };
        reads.clear();
        interruptAt = fifth;
        interruption = [&] { end ? loading.closeAll() : loading.unloadSounds(); };
        loading.loadSounds();
        EXPECT_FALSE(loading.sounds_loaded);
        EXPECT_EQ(prefetched(), 0);
        for (int32_t channel = 0; channel < 21; ++channel) EXPECT_FALSE(loading.hasData(channel)) << channel;
        EXPECT_FALSE(reads.count(fifth + 1)) << "the loads after it are not begun";
        // The four players made before the end were closed, and so let their listener go.
        EXPECT_EQ(heard->count("closed"), end ? 4 : 0);

        // A load begun afterwards is kept after an unload, never after the end.
        loading.loadSounds();
        EXPECT_EQ(loading.sounds_loaded, !end);
        EXPECT_EQ(prefetched(), end ? 0 : 8);
        EXPECT_EQ(loading.playResumeSound(FIRST, 1, 0, false), !end);
        if (end)
            for (int32_t channel = 0; channel < 21; ++channel) EXPECT_FALSE(loading.playerOf(channel)) << channel;
    }
}

TEST_F(SoundChannelsTest, VolumeReachesEveryPlayingSound) {
    channels.playSound(FIRST, 1, 0);
    channels.playSound(FIRST + 1, 1, 0);
    channels.setVolume(30);
    EXPECT_FLOAT_EQ(platformOf(0).appliedGain(), 0.3f);
    EXPECT_FLOAT_EQ(platformOf(1).appliedGain(), 0.3f);
    channels.playSound(FIRST + 2, 1, 0);
    EXPECT_FLOAT_EQ(platformOf(2).appliedGain(), 0.3f);
}

}  // namespace
