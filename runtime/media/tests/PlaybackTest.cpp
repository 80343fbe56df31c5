// Playback heard through the audio library's wave-file back end: what the device wrote is read back.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/io/ByteArrayInputStream.h"
#include "runtime/media/AudioSession.h"
#include "runtime/media/MediaException.h"
#include "runtime/media/control/VolumeControl.h"
#include "runtime/media/tests/MediaTestSupport.h"
#include "runtime/media/tests/TestSounds.h"

namespace {

using namespace javax::microedition::media;
using javax::microedition::media::control::VolumeControl;
using java::lang::jnew;
using mediatest::platformOf;
using mediatest::RecordingListener;
using mediatest::TickThread;
using mediatest::waitFor;
using testsounds::RATE;

constexpr float SILENT = 1e-4f;

std::string waveOutput;

class PlaybackTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { testsounds::removeWaveAudioFiles(); }
    static void SetUpTestSuite() {
        waveOutput = testsounds::useWaveAudio();
        PlayerListener::PlayerListener_staticInit();
        Manager::Manager_staticInit();
    }
    void TearDown() override {
        if (AudioSession::inAnInterrupt()) AudioSession::interruptionListenerCallback(AudioSession::INTERRUPTION_ENDS);
        Manager::tidyUp();
        Manager::resetForTests();
        AudioSession::close();
    }

    static JavaPtr<PlayerImpl> playerOf(std::span<const unsigned char> bytes) {
        auto stream = jnew<java::io::ByteArrayInputStream>(testsounds::javaBytes(bytes));
        return java::lang::recastObj<PlayerImpl>(Manager::createPlayer(stream, nullptr));
    }
    static JavaPtr<PlayerImpl> playerOf(std::span<const int16_t> samples) {
        return playerOf(testsounds::writeSound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, samples));
    }
    // Everything the device wrote since it opened; closes it.
    static std::vector<float> finishOutput() {
        Manager::tidyUp();
        AudioSession::close();
        return testsounds::readWaveOutput(waveOutput);
    }
};

// The stretches of sound in the output, as [begin, end) sample indices.
std::vector<std::pair<size_t, size_t>> bursts(const std::vector<float>& output, size_t gap = 480) {
    std::vector<std::pair<size_t, size_t>> found;
    for (size_t i = 0; i < output.size(); ++i) {
        if (std::fabs(output[i]) <= SILENT) continue;
        if (!found.empty() && i - found.back().second < gap) found.back().second = i + 1;
        else found.push_back({i, i + 1});
    }
    return found;
}

class EachFormat : public PlaybackTest, public ::testing::WithParamInterface<testsounds::Format> {};

TEST_P(EachFormat, PlaysThroughItsStatesWithEventsInOrderAndEndsWithinItsLength) {
    const int32_t length = RATE / 10;
    const std::vector<unsigned char> bytes = testsounds::writeSound(GetParam().code, testsounds::tone(length));
    ASSERT_FALSE(bytes.empty());
    JavaPtr<PlayerImpl> player = playerOf(bytes);
    auto listener = jnew<RecordingListener>();
    EXPECT_EQ(player->getState(), Player::UNREALIZED);
    player->addPlayerListener(listener);
    player->prefetch();
    EXPECT_EQ(player->getState(), Player::PREFETCHED);
    {
        TickThread ticks;
        player->start();
        EXPECT_EQ(player->getState(), Player::STARTED);
        ASSERT_TRUE(waitFor([&] { return listener->count("endOfMedia") == 1; }));
        EXPECT_EQ(player->getState(), Player::PREFETCHED);
        player->close();
        const std::vector<mediatest::Event> events = listener->events();
        ASSERT_EQ(listener->names(), (std::vector<std::string>{"started", "endOfMedia", "closed"}));
        EXPECT_EQ(events[0].time, 0);
        EXPECT_EQ(events[0].thread, std::this_thread::get_id());
        EXPECT_EQ(events[1].thread, ticks.id());
        EXPECT_EQ(events[2].time, -2);
    }
    EXPECT_EQ(player->getState(), Player::CLOSED);

    const auto heard = bursts(finishOutput());
    ASSERT_EQ(heard.size(), 1u);
    // Lossy coders pad the sound with a frame or two of their own.
    const size_t margin = GetParam().lossless ? 1 : 3000;
    EXPECT_LE(heard[0].second - heard[0].first, length + margin);
    EXPECT_GE(heard[0].second - heard[0].first + margin, static_cast<size_t>(length));
}

INSTANTIATE_TEST_SUITE_P(Formats, EachFormat, ::testing::ValuesIn(testsounds::FORMATS),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlaybackTest, LoopCountThreePlaysThreeTimesRestartingOnTheTickThread) {
    const int32_t length = RATE / 20;
    JavaPtr<PlayerImpl> player = playerOf(testsounds::tone(length));
    auto listener = jnew<RecordingListener>();
    player->addPlayerListener(listener);
    player->setLoopCount(3);
    {
        TickThread ticks;
        player->start();
        ASSERT_TRUE(waitFor([&] { return listener->count("endOfMedia") == 3; }));
        const auto events = listener->events();
        ASSERT_EQ(listener->names(), (std::vector<std::string>{"started", "endOfMedia", "started", "endOfMedia",
                                                               "started", "endOfMedia"}));
        for (size_t i = 1; i < events.size(); ++i) EXPECT_EQ(events[i].thread, ticks.id()) << i;
    }
    EXPECT_EQ(player->getState(), Player::PREFETCHED);
    size_t audible = 0;
    for (float sample : finishOutput()) audible += std::fabs(sample) > SILENT;
    EXPECT_EQ(audible, 3u * length);
}

TEST_F(PlaybackTest, VolumeFiftyHalvesEverySampleOfEveryReplayOfALongSound) {
    // Longer than one chunk of decoding, so that a replay shows whether the chunks were joined.
    const std::vector<int16_t> samples = testsounds::ramp(10000);
    JavaPtr<PlayerImpl> player = playerOf(samples);
    auto listener = jnew<RecordingListener>();
    player->addPlayerListener(listener);
    player->prefetch();
    auto volume = java::lang::recastObj<VolumeControl>(player->getControl(jnew<java::lang::String>("VolumeControl")));
    EXPECT_EQ(volume->setLevel(50), 50);
    {
        TickThread ticks;
        for (int32_t play = 1; play <= 2; ++play) {
            player->start();
            ASSERT_TRUE(waitFor([&] { return listener->count("endOfMedia") == play; }));
        }
    }
    // The two plays may follow each other without a gap; every sample of the ramp is audible.
    std::vector<float> audible;
    for (float sample : finishOutput())
        if (std::fabs(sample) > SILENT) audible.push_back(sample);
    ASSERT_EQ(audible.size(), 2 * samples.size());
    for (size_t i = 0; i < audible.size(); ++i)
        ASSERT_NEAR(audible[i], 0.5f * samples[i % samples.size()] / 32768.0f, 1e-5f) << i;
}

TEST_F(PlaybackTest, MuteAndUnmuteKeepTheLevelThatReachesTheDevice) {
    JavaPtr<PlayerImpl> player = playerOf(testsounds::tone(RATE / 10));
    player->prefetch();
    auto volume = java::lang::recastObj<VolumeControl>(player->getControl(jnew<java::lang::String>("VolumeControl")));
    struct Step {
        const char* what;
        std::function<void()> act;
        float gain;
        int32_t level;
    };
    const Step steps[] = {
        {"mute with no level", [&] { volume->setMute(true); }, 0.0f, -1},
        {"unmute with no level plays at full loudness", [&] { volume->setMute(false); }, 1.0f, -1},
        {"a level above 100 is 100", [&] { EXPECT_EQ(volume->setLevel(150), 100); }, 1.0f, 100},
        {"a level below 0 is 0", [&] { EXPECT_EQ(volume->setLevel(-20), 0); }, 0.0f, 0},
        {"level 50", [&] { volume->setLevel(50); }, 0.5f, 50},
        {"mute", [&] { volume->setMute(true); }, 0.0f, 50},
        {"a level set while muted stays silent", [&] { volume->setLevel(70); }, 0.0f, 70},
        {"unmute restores the last level", [&] { volume->setMute(false); }, 0.7f, 70},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_FLOAT_EQ(platformOf(player).appliedGain(), step.gain) << step.what;
        EXPECT_EQ(volume->getLevel(), step.level) << step.what;
    }
    auto listener = jnew<RecordingListener>();
    player->addPlayerListener(listener);
    volume->setLevel(40);
    volume->setLevel(40);
    EXPECT_EQ(listener->count("volumeChanged"), 1);
    player->close();
    EXPECT_EQ(volume->setLevel(50), -1);
    EXPECT_EQ(volume->getLevel(), 40);
}

TEST_F(PlaybackTest, InterruptionPausesEveryPlayerAndARestartPlaysFromTheStart) {
    // Two seconds, so that it is still playing when the interruption comes.
    const std::vector<int16_t> samples = testsounds::ramp(2 * RATE, 1000, 8);
    JavaPtr<PlayerImpl> measured = playerOf(samples);
    JavaPtr<PlayerImpl> other = playerOf(samples);
    auto listener = jnew<RecordingListener>();
    measured->addPlayerListener(listener);
    TickThread ticks;
    measured->start();
    other->start();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    AudioSession::interruptionListenerCallback(AudioSession::INTERRUPTION_BEGINS);
    for (const auto& player : {measured, other}) {
        EXPECT_FALSE(platformOf(player).sounding());
        EXPECT_EQ(player->getState(), Player::STARTED);
    }
    EXPECT_THROW(jnew<PlayerImpl>(testsounds::javaBytes(testsounds::writeSound(
                     SF_FORMAT_WAV | SF_FORMAT_PCM_16, testsounds::tone(100))))->start(),
                 MediaException);
    AudioSession::interruptionListenerCallback(AudioSession::INTERRUPTION_ENDS);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    // Nothing restarts by itself, and a paused sound has not ended.
    EXPECT_EQ(listener->count("endOfMedia"), 0);
    measured->stop();
    other->stop();
    measured->start();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    measured->stop();

    const std::vector<float> output = finishOutput();
    const auto heard = bursts(output);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_NEAR(output[heard[1].first], samples[0] / 32768.0f, 1e-5f) << "the restart did not go back to the start";
}

TEST_F(PlaybackTest, TidyUpClosesEveryPlayerEvenOneLeftInterruptedAndEnds) {
    std::vector<JavaPtr<PlayerImpl>> players;
    auto listener = jnew<RecordingListener>();
    for (int32_t i = 0; i < 3; ++i) {
        players.push_back(playerOf(testsounds::tone(RATE)));
        players.back()->addPlayerListener(listener);
        players.back()->start();
    }
    AudioSession::interruptionListenerCallback(AudioSession::INTERRUPTION_BEGINS);
    AudioSession::interruptionListenerCallback(AudioSession::INTERRUPTION_ENDS);
    Manager::tidyUp();
    EXPECT_EQ(Manager::tableLength(), 0);
    EXPECT_EQ(listener->count("closed"), 3);
    for (const auto& player : players) {
        EXPECT_EQ(player->getState(), Player::CLOSED);
        EXPECT_NO_THROW(player->stop());
    }
}

TEST_F(PlaybackTest, DataThatIsNoSoundMakesAPlayerWhoseStartFails) {
    const std::vector<unsigned char> wav = testsounds::writeSound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, testsounds::tone(4800));
    const std::vector<std::vector<unsigned char>> garbage = {
        {},
        {0x00, 0x01, 0x02, 0x03, 0x04, 0x05},
        std::vector<unsigned char>(wav.begin(), wav.begin() + 40),
        {'R', 'I', 'F', 'F', 0xff, 0xff, 0xff, 0x7f, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 0xff, 0xff, 0xff, 0xff},
        {'O', 'g', 'g', 'S', 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4},
    };
    for (size_t i = 0; i < garbage.size(); ++i) {
        JavaPtr<PlayerImpl> player = playerOf(garbage[i]);
        EXPECT_THROW(player->start(), MediaException) << i;
        EXPECT_EQ(player->getState(), Player::PREFETCHED) << i;
    }
}

TEST_F(PlaybackTest, AThrowingListenerDoesNotStopLaterTicks) {
    JavaPtr<PlayerImpl> failing = playerOf(testsounds::tone(RATE / 50));
    JavaPtr<PlayerImpl> later = playerOf(testsounds::tone(RATE / 20));
    auto thrower = jnew<RecordingListener>("endOfMedia");
    auto listener = jnew<RecordingListener>();
    failing->addPlayerListener(thrower);
    failing->setLoopCount(2);
    later->addPlayerListener(listener);
    TickThread ticks;
    failing->start();
    ASSERT_TRUE(waitFor([&] { return thrower->count("endOfMedia") == 1; }));
    later->start();
    EXPECT_TRUE(waitFor([&] { return listener->count("endOfMedia") == 1; }));
}

}  // namespace
