// The media API's factory and the keeper of every player the process makes: creates players,
// polls them once per pass of the tick loop, and closes them all when the MIDlet stops.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "runtime/lang/JArray.h"
#include "runtime/lang/Object.h"

namespace java::io { class InputStream; }
namespace java::lang { class String; }

namespace javax::microedition::media {

class Player;
class PlayerImpl;
namespace protocol { class DataSource; }

class Manager : public java::lang::Object {
    JAVA_CLASS(Manager, "javax.microedition.media.Manager", java::lang::Object)
public:
    // Non-zero: the tidy-up waits until every closed player has let its platform resources go.
    static constexpr int32_t APP_TERMINATION_CLEANUP = -1;
    static constexpr int32_t FIRST_TABLE_SIZE = 100;
    // A player reads its file whole: the quiz's longest sound takes 70 KB, and minutes of CD sound
    // fit in 64 MiB, so that a larger file is no sound of a phone application.
    static constexpr int32_t MAX_SOUND_FILE_BYTES = 64 << 20;

    static inline JavaPtr<java::lang::String> TONE_DEVICE_LOCATOR;
    static inline JavaPtr<java::lang::String> MIDI_DEVICE_LOCATOR;

    static void Manager_staticInit();
    static void Manager_staticDestroy();

    // The type is not looked at: the sound's own bytes say what it is.
    static JavaPtr<Player> createPlayer(const JavaPtr<java::io::InputStream>& stream,
                                        const JavaPtr<java::lang::String>& type);
    // A file name: "/..." in the bundle, anything else in the documents directory.
    static JavaPtr<Player> createPlayer(const JavaPtr<java::lang::String>& locator);
    static JavaPtr<Player> createPlayer(const JavaPtr<protocol::DataSource>& source);
    static JavaPtr<JArray<java::lang::String>> getSupportedContentTypes(const JavaPtr<java::lang::String>& protocol);
    static JavaPtr<JArray<java::lang::String>> getSupportedProtocols(const JavaPtr<java::lang::String>& contentType);
    static void playTone(int32_t note, int32_t duration, int32_t volume) {}

    static bool soundSystemTerminating() { return terminating.load(std::memory_order_acquire); }
    static void tick();
    static void tidyUp();
    // Pauses every player and marks it interrupted.
    static void pauseAllSounds();

    // The slot table's length, 0 before the first player: for tests.
    static int32_t tableLength();
    // The player in a slot, null when empty: for tests.
    static JavaPtr<PlayerImpl> playerInSlot(int32_t slot);
    // Forgets the terminating mark, as a new process would start: for tests.
    static void resetForTests();

private:
    // Expects the table lock held.
    static int32_t findUnusedSlot();
    // The players of the table as they stand; the lock is not held while they run.
    static JavaPtr<JArray<PlayerImpl>> snapshot();
    static void emptySlotHolding(int32_t slot, PlayerImpl* player);

    static inline JavaPtr<JArray<PlayerImpl>> players;
    static inline std::mutex s_tableLock;
    static inline std::atomic<bool> terminating{false};
    static inline std::atomic<bool> manager_tick_recursion_check{false};
};

}  // namespace javax::microedition::media
