// The player's states, listeners and controls, and the manager's slot table. The players here hold
// no sound, so no audio device is opened.
#include <gtest/gtest.h>

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/io/ByteArrayInputStream.h"
#include "runtime/io/FileSystem.h"
#include "runtime/io/IOException.h"
#include "runtime/media/Manager.h"
#include "runtime/media/PlayerImpl.h"
#include "runtime/media/tests/MediaTestSupport.h"

namespace {

using namespace javax::microedition::media;
using java::lang::IllegalArgumentException;
using java::lang::IllegalStateException;
using java::lang::jnew;
using java::lang::String;
using mediatest::RecordingListener;

class PlayerStateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        PlayerListener::PlayerListener_staticInit();
        Manager::Manager_staticInit();
    }
    void TearDown() override {
        Manager::tidyUp();
        Manager::resetForTests();
    }
    static JavaPtr<PlayerImpl> silentPlayer() {
        auto stream = jnew<java::io::ByteArrayInputStream>(jnew<JArray<signed char>>(0));
        return java::lang::recastObj<PlayerImpl>(Manager::createPlayer(stream, nullptr));
    }
};

TEST_F(PlayerStateTest, AnUnrealizedOrClosedPlayerRefusesUse) {
    JavaPtr<PlayerImpl> player = silentPlayer();
    EXPECT_THROW(player->getControl(jnew<String>("VolumeControl")), IllegalStateException);
    EXPECT_THROW(player->setLoopCount(0), IllegalArgumentException);
    player->close();
    EXPECT_THROW(player->start(), IllegalStateException);
    EXPECT_THROW(player->stop(), IllegalStateException);
    EXPECT_THROW(player->deallocate(), IllegalStateException);
}

TEST_F(PlayerStateTest, ListenersAreRegisteredOnceAndToldOfTheCloseOnce) {
    JavaPtr<PlayerImpl> player = silentPlayer();
    auto first = jnew<RecordingListener>();
    auto second = jnew<RecordingListener>();
    player->addPlayerListener(first);
    player->addPlayerListener(first);
    player->addPlayerListener(second);
    player->removePlayerListener(second);
    player->addPlayerListener(second);
    player->close();
    player->close();
    EXPECT_EQ(first->names(), std::vector<std::string>{"closed"});
    EXPECT_EQ(second->names(), std::vector<std::string>{"closed"});
    EXPECT_EQ(player->getState(), Player::CLOSED);
}

TEST_F(PlayerStateTest, ControlsAreFoundByTheirExactNamesAndMadeOnce) {
    JavaPtr<PlayerImpl> player = silentPlayer();
    player->realize();
    const auto control = [&](const char* name) { return player->getControl(jnew<String>(name)); };
    EXPECT_TRUE(control("VolumeControl") == control("javax.microedition.media.control.VolumeControl"));
    EXPECT_TRUE(control("ToneControl") == control("javax.microedition.media.control.ToneControl"));
    EXPECT_FALSE(control("VolumeControl") == control("ToneControl"));
    EXPECT_FALSE(control("volumecontrol"));
    EXPECT_FALSE(control("MetaDataControl"));
}

TEST_F(PlayerStateTest, TheSlotTableGrowsBeyondAHundredAndReusesFreedSlots) {
    std::vector<JavaPtr<PlayerImpl>> players;
    for (int32_t i = 0; i < 101; ++i) players.push_back(silentPlayer());
    EXPECT_TRUE(Manager::playerInSlot(100) == players[100]);
    players[3]->close();
    Manager::tick();
    EXPECT_FALSE(Manager::playerInSlot(3));
    JavaPtr<PlayerImpl> next = silentPlayer();
    EXPECT_TRUE(Manager::playerInSlot(3) == next);
    EXPECT_EQ(Manager::tableLength(), 101);
}

TEST_F(PlayerStateTest, LocatorsNameFilesAndTheDeviceLocatorsNoFile) {
    // A sound file larger than any, taking no room on the disk, is refused before a byte of it is
    // read, as an unreadable one is.
    std::string documents = (std::filesystem::temp_directory_path() / "lexivo-player-XXXXXX").string();
    ASSERT_NE(::mkdtemp(documents.data()), nullptr);
    java::io::FileSystem::setDirectories(documents, documents);
    std::ofstream{documents + "/huge.wav"};
    std::filesystem::resize_file(documents + "/huge.wav", Manager::MAX_SOUND_FILE_BYTES + 1);
    EXPECT_THROW(Manager::createPlayer(jnew<String>("huge.wav")), java::io::IOException);
    std::filesystem::remove_all(documents);
    EXPECT_THROW(Manager::createPlayer(JavaPtr<String>()), IllegalArgumentException);
    EXPECT_THROW(Manager::createPlayer(Manager::TONE_DEVICE_LOCATOR), java::io::IOException);
    EXPECT_THROW(Manager::createPlayer(Manager::MIDI_DEVICE_LOCATOR), java::io::IOException);
    EXPECT_THROW(Manager::createPlayer(JavaPtr<protocol::DataSource>()), java::io::IOException);
    EXPECT_EQ(Manager::getSupportedContentTypes(nullptr)->length, 0);
}

}  // namespace
