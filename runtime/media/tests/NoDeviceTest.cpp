// Without an audio device the players stay silent: starting one fails quietly for its caller, and
// the missing device is reported once on standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "runtime/io/ByteArrayInputStream.h"
#include "runtime/media/AudioSession.h"
#include "runtime/media/Manager.h"
#include "runtime/media/MediaException.h"
#include "runtime/media/Player.h"
#include "runtime/media/PlayerListener.h"
#include "runtime/media/tests/TestSounds.h"

namespace {

using namespace javax::microedition::media;

TEST(NoAudioDevice, PlayersStaySilentAndTheDeviceIsReportedMissingOnce) {
    // A back end that does not exist: the audio library then finds no device at all.
    setenv("ALSOFT_DRIVERS", "no-such-back-end", 1);
    PlayerListener::PlayerListener_staticInit();
    const auto sound = testsounds::writeSound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, testsounds::tone(4800));
    testing::internal::CaptureStderr();
    for (int32_t i = 0; i < 3; ++i) {
        auto stream = java::lang::jnew<java::io::ByteArrayInputStream>(testsounds::javaBytes(sound));
        JavaPtr<Player> player = Manager::createPlayer(stream, nullptr);
        EXPECT_THROW(player->start(), MediaException);
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(AudioSession::isInitialised());
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find("no audio output device"), std::string::npos) << errors;
    Manager::tidyUp();
}

}  // namespace
