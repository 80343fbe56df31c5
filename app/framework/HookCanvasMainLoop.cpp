// The main loop, the game states with their loading threads, pause and resume.
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "app/framework/AppMidlet.h"
#include "app/framework/HookCanvas.h"
#include "app/framework/ImageCache.h"
#include "runtime/io/IOException.h"
#include "runtime/io/Utf8.h"
#include "runtime/lang/Clocks.h"
#include "runtime/lang/Thread.h"
#include "runtime/lang/UncaughtHandler.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using java::lang::Thread;

namespace {

std::atomic<HookCanvas::LoopSleeper> loopSleeper{nullptr};

void waitFor(int64_t millis) {
    if (const HookCanvas::LoopSleeper sleeper = loopSleeper.load(std::memory_order_relaxed)) {
        sleeper(millis);
    } else if (millis >= 1) {
        Thread::sleep(millis);
    } else {
        Thread::yield();
    }
}

// The failure of the last update, by its message's hash; 0 after an update that worked. Updates
// that fail the same way one after the other are reported once, not thirty times a second.
std::atomic<size_t> lastFailure{0};

// A bundle file that cannot be read ends the update that needed it, not the loop: the quiz half
// has stayed on the screen the player chose from, so that they may choose again.
void reportUnreadableFile(java::io::IOException& unreadable) {
    const JavaPtr<java::lang::String> message = unreadable.getMessage();
    const std::string text = message ? java::io::toUtf8(message->view()) : std::string();
    const char* shown = text.empty() ? "a bundle file cannot be read" : text.c_str();
    const size_t failure = std::hash<std::string_view>{}(shown) | 1;
    if (lastFailure.exchange(failure, std::memory_order_relaxed) == failure) return;
    std::fprintf(stderr, "lexivo-quiz: %s\n", shown);
    std::fflush(stderr);
}

}  // namespace

// A loading thread's target: the canvas and the state it was started for.
class HookCanvas::GameStateLoader : public java::lang::Object, public java::lang::Runnable {
    JAVA_CLASS(GameStateLoader, "HookCanvas.GameStateLoader", java::lang::Object, java::lang::Runnable)
public:
    GameStateLoader(JavaPtr<HookCanvas> canvas, int32_t state, uint64_t ticket)
        : m_canvas(std::move(canvas)), m_state(state), m_ticket(ticket) {}
    void run() override { m_canvas->runLoader(m_state, m_ticket); }

private:
    JavaPtr<HookCanvas> m_canvas;
    int32_t m_state;
    uint64_t m_ticket;
};

int64_t HookCanvas::loopMillis() { return java::lang::clocks::monotonicMillis(); }

void HookCanvas::setLoopSleeper(LoopSleeper sleeper) { loopSleeper.store(sleeper); }

JavaPtr<Thread> HookCanvas::mainThread() {
    std::lock_guard guard(s_mainThreadLock);
    return main_thread;
}

void HookCanvas::startMainThread() {
    {
        std::lock_guard guard(s_mainThreadLock);
        if (main_thread) return;
    }
    initKeysAndTouch();
    initInterrupts();
    JavaPtr<Thread> thread = jnew<Thread>();
    thread->WENDinvokeconstructor(JavaPtr<java::lang::Runnable>(this));
    thread->setPriority(PARAM_WL_CORE_MAIN_THREAD_PRIORITY);
    {
        std::lock_guard guard(s_mainThreadLock);
        main_thread = thread;
        main_thread_stopped = false;
    }
    // Based before the thread runs, so that its first pass measures from here.
    const int64_t now = loopMillis();
    last_fixed_update_time_ms = now;
    last_variable_update_time_ms = now;
    thread->start();
}

void HookCanvas::stopMainThread() {
    JavaPtr<Thread> stopped;
    {
        std::lock_guard guard(s_mainThreadLock);
        stopped = std::move(main_thread);
        main_thread_stopped = true;
    }
    // Released outside the lock: the running thread still holds its own reference.
}

void HookCanvas::run() {
    JavaPtr<Thread> self = Thread::currentThread();
    if (self == mainThread()) {
        // Only while this thread is still the main thread: a stop followed at once by a new start
        // must not leave two loops running.
        try {
            do {
                runOnce();
            } while (self == mainThread());
        } catch (...) {
            // The failure ends this loop (the thread reports it); a later start may begin a new one.
            std::lock_guard guard(s_mainThreadLock);
            if (main_thread == self) main_thread = nullptr;
            throw;
        }
        return;
    }
    const int32_t state = game_state.load();
    if (state & GAMESTATEFLAG_LOADING) runLoader(state, takeLoaderTicket());
}

uint64_t HookCanvas::takeLoaderTicket() {
    std::lock_guard guard(s_loaderLock);
    return s_nextLoaderTicket++;
}

void HookCanvas::runLoader(int32_t loadingState, uint64_t ticket) {
    {
        std::unique_lock lock(s_loaderLock);
        s_loaderTurnChanged.wait(lock, [ticket] { return s_loaderTurn == ticket; });
    }
    // A state left before its loader got its turn needs no loading.
    if (game_state.load() == loadingState) java::lang::runGuarded([this] { startLoading(); });
    // A loop stopped meanwhile belongs to an ending canvas (or one that cannot start): the screen
    // was not loaded, and a last pass of the loop must not draw it as if it were.
    bool stopped = false;
    {
        std::lock_guard guard(s_mainThreadLock);
        stopped = main_thread_stopped;
    }
    int32_t expected = loadingState;
    if (!stopped) game_state.compare_exchange_strong(expected, loadingState & ~GAMESTATEFLAG_LOADING);
    endLoaderTurn(ticket);
}

void HookCanvas::endLoaderTurn(uint64_t ticket) {
    {
        std::lock_guard guard(s_loaderLock);
        s_endedLoaderTickets.insert(ticket);
        while (s_endedLoaderTickets.erase(s_loaderTurn)) ++s_loaderTurn;
    }
    s_loaderTurnChanged.notify_all();
}

void HookCanvas::runOnce() {
    int64_t wait = HIDDEN_POLL_MS;
    if (!isShown()) {
        hideNotify();
        saveProgressWhileHidden();
    } else if (app_status.load() & APPSTATUSFLAG_PAUSED) {
        saved_while_hidden = false;
        showNotify();
        wait = 0;
    } else {
        const int64_t now = loopMillis();
        const int64_t elapsed = now - last_variable_update_time_ms.load();
        updateScreenDimensions();
        bool updated = false;
        if (elapsed > 0) {
            for (int32_t update = 0; update < PARAM_WL_CORE_MAX_UPDATES_PER_RENDER; ++update) {
                if (last_fixed_update_time_ms.load() + MS_PER_UPDATE > now) break;
                keys_pressed = internal_keys_pressed.exchange(0);
                keys_repeated = keys_pressed.load() | internal_keys_repeated.load();
                pointer_pressed = internal_pointer_pressed.exchange(false);
                pointer_repeated = pointer_pressed.load() || internal_pointer_repeated.load();
                regions_pressed = internal_regions_pressed.exchange(0);
                regions_repeated = regions_pressed.load() | internal_regions_repeated.load();
                render_after_update = true;
                try {
                    fixedRateUpdate();
                    lastFailure.store(0, std::memory_order_relaxed);
                } catch (java::io::IOException& unreadable) {
                    reportUnreadableFile(unreadable);
                }
                last_fixed_update_time_ms += MS_PER_UPDATE;
                updated = true;
            }
            // A slow pass never brings a burst of catch-up updates.
            if (last_fixed_update_time_ms.load() + MS_PER_UPDATE <= now) last_fixed_update_time_ms = now;
        }
        last_variable_update_time_ms = now;
        const int64_t vibrationEnd = vibration_end_time.load();
        if (vibrationEnd != 0 && now > vibrationEnd) vibrate(0);
        if (updated && render_after_update.load() && game_state.load() != GAMESTATE_INIT_WENDREL &&
            !AppMidlet::app_terminating.load())
            syncPaint();
        const int64_t untilDue = last_fixed_update_time_ms.load() + MS_PER_UPDATE - loopMillis();
        wait = untilDue < 0 ? 0 : untilDue > MS_PER_UPDATE ? MS_PER_UPDATE : untilDue;
    }
    waitFor(wait);
}

void HookCanvas::changeGameStateTo(int32_t state) {
    const bool loadingNext = (state & GAMESTATEFLAG_LOADING) != 0;
    int32_t current = game_state.load();
    // Tested and changed in one step, so that two threads cannot both start a loading state.
    do {
        if (loadingNext && (current & GAMESTATEFLAG_LOADING)) return;
    } while (!game_state.compare_exchange_weak(current, state));
    previous_game_state = current;
    internal_keypress_buffer = 0;
    cheats_triggered = 0;
    if (!loadingNext) return;
    JavaPtr<Thread> loader = jnew<Thread>();
    const uint64_t ticket = takeLoaderTicket();
    loader->WENDinvokeconstructor(jnew<GameStateLoader>(JavaPtr<HookCanvas>(this), state, ticket));
    loader->setPriority(PARAM_WL_CORE_LOADING_THREAD_PRIORITY);
    try {
        loader->start();
    } catch (...) {
        // No thread, no loading: the state must not stay flagged, nor hold up later loaders.
        int32_t expected = state;
        game_state.compare_exchange_strong(expected, state & ~GAMESTATEFLAG_LOADING);
        endLoaderTurn(ticket);
        throw;
    }
}

void HookCanvas::sleep(int32_t ms) {
    if (ms >= 1) {
        Thread::sleep(ms);
    } else {
        Thread::yield();
    }
}

void HookCanvas::quit() {
    stopMainThread();
    midlet->destroyApp(true);
}

void HookCanvas::releaseAllKeys() {
    keys_pressed = 0;
    keys_repeated = 0;
    internal_keys_pressed = 0;
    internal_keys_repeated = 0;
    pointer_pressed = false;
    pointer_repeated = false;
    internal_pointer_pressed = false;
    internal_pointer_repeated = false;
    regions_pressed = 0;
    regions_repeated = 0;
    internal_regions_pressed = 0;
    internal_regions_repeated = 0;
}

void HookCanvas::hideNotify() {
    if (game_state.load() == GAMESTATE_INIT_WENDREL || (app_status.load() & APPSTATUSFLAG_PAUSED)) return;
    app_status |= APPSTATUSFLAG_PAUSED | APPSTATUSFLAG_INTERRUPTED_BY_UNKNOWN;
    stopAllSounds();
    unloadSounds();
}

void HookCanvas::showNotify() {
    if (game_state.load() != GAMESTATE_INIT_WENDREL && (app_status.load() & APPSTATUSFLAG_PAUSED)) loadSounds();
    _FuSeD_mThD_1_showNotify();
}

void HookCanvas::_FuSeD_mThD_1_hideNotify() {
    if (game_state.load() == GAMESTATE_INIT_WENDREL || (app_status.load() & APPSTATUSFLAG_PAUSED)) return;
    app_status |= APPSTATUSFLAG_PAUSED | APPSTATUSFLAG_INTERRUPTED_BY_UNKNOWN;
    stopAllSounds();
    vibrate(0);
}

void HookCanvas::_FuSeD_mThD_1_showNotify() {
    app_status &= ~APPSTATUSFLAG_PAUSED;
    releaseAllKeys();
}

void HookCanvas::_FuSeD_mThD_1_fixedRateUpdate() { auto sync = startSync(); }

void HookCanvas::variableRateUpdate(int64_t elapsedMs) { auto sync = startSync(); }

void HookCanvas::paint(const JavaPtr<Graphics>& g) {
    if (!g) return;
    m_imageCache->nextFrame();
    render(g);
}

void HookCanvas::syncPaint() {
    repaint();
    serviceRepaints();
}

void HookCanvas::updateScreenDimensions() {
    PARAM_WL_BASE_SCREEN_WIDTH = getWidth();
    PARAM_WL_BASE_SCREEN_HEIGHT = getHeight();
}
