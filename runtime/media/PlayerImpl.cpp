#include "runtime/media/PlayerImpl.h"

#include "runtime/io/InputStream.h"
#include "runtime/lang/Exceptions.h"
#include "runtime/media/Manager.h"
#include "runtime/media/MediaException.h"
#include "runtime/media/PlayerListener.h"
#include "runtime/media/control/ToneControlImpl.h"
#include "runtime/media/control/VolumeControlImpl.h"
#include "runtime/media/player_internalPF.h"
#include "runtime/text/Long.h"
#include "runtime/text/String.h"

namespace javax::microedition::media {

using java::lang::IllegalArgumentException;
using java::lang::IllegalStateException;
using java::lang::jnew;

PlayerImpl::PlayerImpl(const JavaPtr<java::io::InputStream>& stream) {
    const int32_t available = stream->available();
    soundData = jnew<JArray<signed char>>(available);
    if (available > 0) stream->read(soundData);
    init();
}

PlayerImpl::PlayerImpl(JavaPtr<JArray<signed char>> data) : soundData(std::move(data)) { init(); }

PlayerImpl::~PlayerImpl() = default;

void PlayerImpl::init() {
    playMode = MODE_IDLE;
    state = UNREALIZED;
    closed = false;
    listeners = jnew<JArray<PlayerListener>>(0);
    platformPlayer = std::make_unique<player_internalPF>();
    const int64_t length = soundData ? soundData->length : 0;
    platformPlayer->setSoundData(soundData ? soundData->data : nullptr, length);
}

template <class Work, class Result>
Result PlayerImpl::withPlatform(Work&& work, Result fallback) {
    std::lock_guard guard(m_lock);
    if (!platformPlayer) return fallback;
    return work(*platformPlayer);
}

void PlayerImpl::requireNotClosed() {
    if (state == CLOSED) throw IllegalStateException();
}

JavaPtr<java::lang::Object> PlayerImpl::timeEvent(int64_t time) { return jnew<java::lang::Long>(time); }

void PlayerImpl::deliver(const JavaPtr<java::lang::String>& event, const JavaPtr<java::lang::Object>& eventData) {
    const JavaPtr<Player> self(this);
    for (int32_t slot = 0;; ++slot) {
        JavaPtr<PlayerListener> listener;
        {
            std::lock_guard guard(m_lock);
            if (slot >= listeners->length) return;
            listener = listeners->data[slot];
        }
        if (listener) listener->playerUpdate(self, event, eventData);
    }
}

void PlayerImpl::realize() {
    requireNotClosed();
    int32_t expected = UNREALIZED;
    state.compare_exchange_strong(expected, REALIZED);
}

void PlayerImpl::prefetch() {
    requireNotClosed();
    const int32_t current = state;
    if (current == UNREALIZED) realize();
    if (current != STARTED) state = PREFETCHED;
}

void PlayerImpl::start(bool restart) {
    if (state == STARTED && !restart) return;
    requireNotClosed();
    if (state == UNREALIZED || state == REALIZED) prefetch();
    int64_t eventTime = 0;
    const bool resume = playMode == MODE_STOPPED_PART_WAY;
    const bool ok = withPlatform(
        [&](AbstractPlatformPlayer& platform) {
            if (!resume) return platform.playSoundData();
            const bool resumed = platform.resumePlayback();
            eventTime = platform.getPlaybackPos();
            return resumed;
        },
        false);
    if (!ok) {
        playMode = MODE_FAILED;
        throw MediaException();
    }
    state = STARTED;
    // Set before the listeners run, so that a stop they make is not undone.
    playMode = MODE_PLAYING;
    deliver(PlayerListener::STARTED, timeEvent(eventTime));
}

void PlayerImpl::stop() {
    if (state == CLOSED) {
        if (Manager::soundSystemTerminating()) return;
        throw IllegalStateException();
    }
    if (state != STARTED) return;
    if (!withPlatform([](AbstractPlatformPlayer& platform) { return platform.pausePlayback(); }, false)) {
        playMode = MODE_FAILED;
        if (Manager::soundSystemTerminating()) return;
        throw MediaException();
    }
    state = PREFETCHED;
    playMode = MODE_STOPPED_PART_WAY;
    deliver(PlayerListener::STOPPED, timeEvent(getMediaTime()));
}

void PlayerImpl::deallocate() {
    requireNotClosed();
    if (state == STARTED) stop();
    if (state == PREFETCHED) state = REALIZED;
}

void PlayerImpl::close() {
    if (closed.exchange(true)) return;
    state = CLOSED;
    for (int32_t slot = 0;; ++slot) {
        JavaPtr<PlayerListener> listener;
        {
            std::lock_guard guard(m_lock);
            if (slot >= listeners->length) break;
            listener = listeners->data[slot];
        }
        if (!listener) continue;
        // The slot is emptied even when its listener throws.
        struct EmptySlot {
            PlayerImpl& player;
            int32_t slot;
            ~EmptySlot() {
                std::lock_guard guard(player.m_lock);
                if (slot < player.listeners->length) player.listeners->data[slot] = nullptr;
            }
        } emptied{*this, slot};
        listener->playerUpdate(JavaPtr<Player>(this), PlayerListener::CLOSED, nullptr);
    }
    JavaPtr<control::ToneControlImpl> tone;
    JavaPtr<control::VolumeControlImpl> volume;
    {
        std::lock_guard guard(m_lock);
        tone = std::move(toneControl);
        volume = std::move(volumeControl);
        if (platformPlayer) platformPlayer->destroy();
    }
    if (tone) tone->notifyParentClosed();
    if (volume) volume->notifyParentClosed();
}

void PlayerImpl::tick() {
    const int32_t mode = playMode;
    if (closed || (mode != MODE_PLAYING && mode != MODE_STOPPED_PART_WAY)) return;
    const bool finished =
        withPlatform([](AbstractPlatformPlayer& platform) { return !platform.hasIncompletePlaybackTask(); }, false);
    if (!finished) return;
    state = PREFETCHED;
    playMode = MODE_IDLE;
    deliver(PlayerListener::END_OF_MEDIA, timeEvent(getMediaTime()));
    const int32_t loops = loopCount;
    if (mode == MODE_STOPPED_PART_WAY || (loops != -1 && loops <= 1)) return;
    if (loops != -1) loopCount = loops - 1;
    start(true);
}

bool PlayerImpl::canBeDeleted() {
    std::lock_guard guard(m_lock);
    if (!platformPlayer) return true;
    if (state != CLOSED || !platformPlayer->canBeDeleted()) return false;
    platformPlayer.reset();
    soundData = nullptr;
    return true;
}

void PlayerImpl::interruptPause() {
    withPlatform(
        [](AbstractPlatformPlayer& platform) {
            platform.interruptPause();
            return true;
        },
        false);
}

void PlayerImpl::setLoopCount(int32_t count) {
    requireNotClosed();
    if (state == STARTED) throw IllegalStateException();
    if (count == 0) throw IllegalArgumentException();
    loopCount = count;
}

int64_t PlayerImpl::setMediaTime(int64_t now) {
    if (state == UNREALIZED) throw IllegalStateException();
    requireNotClosed();
    const int64_t time = now < 0 ? 0 : now;
    const int64_t answer =
        withPlatform([time](AbstractPlatformPlayer& platform) { return platform.seekToTime(time); }, int64_t{-1});
    if (answer == -1) throw MediaException();
    return answer;
}

int64_t PlayerImpl::getMediaTime() {
    requireNotClosed();
    return withPlatform(
        [](AbstractPlatformPlayer& platform) {
            return platform.hasIncompletePlaybackTask() ? platform.getPlaybackPos() : int64_t{0};
        },
        int64_t{-1});
}

int64_t PlayerImpl::getDuration() {
    requireNotClosed();
    return TIME_UNKNOWN;
}

JavaPtr<java::lang::String> PlayerImpl::getContentType() { return jnew<java::lang::String>(""); }

JavaPtr<JArray<Control>> PlayerImpl::getControls() {
    if (state == UNREALIZED) throw IllegalStateException();
    requireNotClosed();
    return nullptr;
}

JavaPtr<Control> PlayerImpl::getControl(JavaPtr<java::lang::String> type) {
    if (state == UNREALIZED) throw IllegalStateException();
    requireNotClosed();
    if (!type) throw IllegalArgumentException();
    const std::u16string_view name = type->view();
    std::lock_guard guard(m_lock);
    if (name == u"javax.microedition.media.control.VolumeControl" || name == u"VolumeControl") {
        if (!volumeControl) volumeControl = jnew<control::VolumeControlImpl>(JavaPtr<PlayerImpl>(this));
        return volumeControl;
    }
    if (name == u"javax.microedition.media.control.ToneControl" || name == u"ToneControl") {
        if (!toneControl) toneControl = jnew<control::ToneControlImpl>(JavaPtr<PlayerImpl>(this));
        return toneControl;
    }
    return nullptr;
}

void PlayerImpl::addPlayerListener(JavaPtr<PlayerListener> listener) {
    requireNotClosed();
    if (state == STARTED) throw IllegalStateException();
    std::lock_guard guard(m_lock);
    int32_t empty = -1;
    for (int32_t slot = 0; slot < listeners->length; ++slot) {
        if (listeners->data[slot] == listener) return;
        if (!listeners->data[slot]) empty = slot;
    }
    if (empty >= 0) listeners->data[empty] = std::move(listener);
    else listeners->append(listener);
}

void PlayerImpl::removePlayerListener(JavaPtr<PlayerListener> listener) {
    std::lock_guard guard(m_lock);
    for (int32_t slot = 0; slot < listeners->length; ++slot) {
        if (listeners->data[slot] == listener) {
            listeners->data[slot] = nullptr;
            return;
        }
    }
}

bool PlayerImpl::setVolume(int32_t level) {
    JavaPtr<control::VolumeControlImpl> control;
    const bool ok = withPlatform(
        [&](AbstractPlatformPlayer& platform) {
            control = volumeControl;
            return platform.setVolume(level);
        },
        false);
    if (ok) deliver(PlayerListener::VOLUME_CHANGED, control);
    return ok;
}

int32_t PlayerImpl::getVolume() {
    return withPlatform([](AbstractPlatformPlayer& platform) { return platform.getVolume(); }, -1);
}

}  // namespace javax::microedition::media
