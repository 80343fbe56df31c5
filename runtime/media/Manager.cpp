#include "runtime/media/Manager.h"

#include "runtime/io/File.h"
#include "runtime/io/FileInputStream.h"
#include "runtime/io/IOException.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/lang/Thread.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/media/PlayerImpl.h"
#include "runtime/text/String.h"

namespace javax::microedition::media {

using java::lang::jnew;
using java::lang::String;

void Manager::Manager_staticInit() {
    TONE_DEVICE_LOCATOR = jnew<String>("device://tone");
    MIDI_DEVICE_LOCATOR = jnew<String>("device://midi");
}

void Manager::Manager_staticDestroy() {
    TONE_DEVICE_LOCATOR = nullptr;
    MIDI_DEVICE_LOCATOR = nullptr;
    JavaPtr<JArray<PlayerImpl>> dropped;
    std::lock_guard guard(s_tableLock);
    dropped = std::move(players);
}

int32_t Manager::findUnusedSlot() {
    if (!players) {
        players = jnew<JArray<PlayerImpl>>(FIRST_TABLE_SIZE);
        return 0;
    }
    for (int32_t slot = 0; slot < players->length; ++slot)
        if (!players->data[slot]) return slot;
    const int32_t grown = players->length;
    players->append(nullptr);
    if (players->length == grown) throw java::lang::IllegalStateException();  // out of memory
    return grown;
}

JavaPtr<Player> Manager::createPlayer(const JavaPtr<java::io::InputStream>& stream, const JavaPtr<String>& type) {
    // Made before a slot is chosen, so that a failing stream leaves the table as it was.
    JavaPtr<PlayerImpl> player = jnew<PlayerImpl>(stream);
    player->WENDinvokeconstructor();
    {
        std::lock_guard guard(s_tableLock);
        const int32_t slot = findUnusedSlot();
        players->data[slot] = player;
    }
    return player;
}

JavaPtr<Player> Manager::createPlayer(const JavaPtr<String>& locator) {
    if (!locator) throw java::lang::IllegalArgumentException();
    auto file = jnew<java::io::File>(locator);
    auto stream = jnew<java::io::FileInputStream>(file);
    if (!stream->isOpened() || stream->available() > MAX_SOUND_FILE_BYTES) throw java::io::IOException();
    return createPlayer(stream, nullptr);
}

JavaPtr<Player> Manager::createPlayer(const JavaPtr<protocol::DataSource>& source) { throw java::io::IOException(); }

JavaPtr<JArray<String>> Manager::getSupportedContentTypes(const JavaPtr<String>& protocol) {
    return jnew<JArray<String>>(0);
}

JavaPtr<JArray<String>> Manager::getSupportedProtocols(const JavaPtr<String>& contentType) {
    return jnew<JArray<String>>(0);
}

JavaPtr<JArray<PlayerImpl>> Manager::snapshot() {
    std::lock_guard guard(s_tableLock);
    if (!players) return nullptr;
    auto copy = jnew<JArray<PlayerImpl>>(players->length);
    for (int32_t slot = 0; slot < players->length; ++slot) copy->data[slot] = players->data[slot];
    return copy;
}

void Manager::emptySlotHolding(int32_t slot, PlayerImpl* player) {
    JavaPtr<PlayerImpl> dropped;
    std::lock_guard guard(s_tableLock);
    if (players && slot < players->length && players->data[slot].get() == player)
        dropped = std::move(players->data[slot]);
}

void Manager::tick() {
    if (manager_tick_recursion_check.exchange(true)) return;
    // Cleared however the pass ends, so one failure cannot stop every later tick.
    struct ClearFlag {
        ~ClearFlag() { manager_tick_recursion_check = false; }
    } clear;
    const JavaPtr<JArray<PlayerImpl>> table = snapshot();
    if (!table) return;
    for (int32_t slot = 0; slot < table->length; ++slot) {
        const JavaPtr<PlayerImpl>& player = table->data[slot];
        if (!player) continue;
        if (player->canBeDeleted()) {
            emptySlotHolding(slot, player.get());
            continue;
        }
        // A listener's exception or a failed loop restart is reported; the other players still run.
        java::lang::runGuarded([&player] { player->tick(); });
    }
}

void Manager::tidyUp() {
    terminating = true;
    JavaPtr<JArray<PlayerImpl>> table = snapshot();
    if (!table) return;
    for (int32_t slot = 0; slot < table->length; ++slot)
        if (table->data[slot]) java::lang::runGuarded([&] { table->data[slot]->close(); });
    if constexpr (APP_TERMINATION_CLEANUP == 0) return;
    // Closing lets every platform resource go at once, so one round normally empties the table;
    // the bound keeps a player that never lets go from holding termination for ever.
    constexpr int32_t MAX_ROUNDS = 100;
    for (int32_t round = 0; round < MAX_ROUNDS; ++round) {
        bool pending = false;
        for (int32_t slot = 0; slot < table->length; ++slot) {
            if (!table->data[slot]) continue;
            if (table->data[slot]->canBeDeleted()) {
                emptySlotHolding(slot, table->data[slot].get());
                table->data[slot] = nullptr;
            } else {
                pending = true;
            }
        }
        if (!pending) break;
        java::lang::Thread::sleep(1);
    }
    JavaPtr<JArray<PlayerImpl>> dropped;
    std::lock_guard guard(s_tableLock);
    dropped = std::move(players);
}

void Manager::pauseAllSounds() {
    const JavaPtr<JArray<PlayerImpl>> table = snapshot();
    if (!table) return;
    for (int32_t slot = 0; slot < table->length; ++slot)
        if (table->data[slot]) table->data[slot]->interruptPause();
}

int32_t Manager::tableLength() {
    std::lock_guard guard(s_tableLock);
    return players ? players->length : 0;
}

JavaPtr<PlayerImpl> Manager::playerInSlot(int32_t slot) {
    std::lock_guard guard(s_tableLock);
    if (!players || slot < 0 || slot >= players->length) return nullptr;
    return players->data[slot];
}

void Manager::resetForTests() { terminating = false; }

}  // namespace javax::microedition::media
