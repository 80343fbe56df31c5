#include "demos/SoundDemoMIDlet.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <numbers>
#include <set>
#include <vector>

#include "app/framework/SoundChannels.h"
#include "demos/FlatCanvas.h"
#include "host/MIDlet.h"
#include "runtime/lcdui/Display.h"
#include "runtime/media/PlayerListener.h"
#include "runtime/text/String.h"

using java::lang::jnew;
using javax::microedition::lcdui::Display;
using javax::microedition::lcdui::Displayable;
using javax::microedition::media::Player;
using javax::microedition::media::PlayerListener;
using javax::microedition::midlet::MIDlet;

namespace demo {

namespace {

void log(const char* text, int32_t value = -1) {
    if (value < 0) std::printf("sound: %s\n", text);
    else std::printf("sound: %s %d\n", text, value);
    std::fflush(stdout);
}

// A 16-bit mono WAV file of a fading tone: 120 ms at 22050 Hz.
JavaPtr<JArray<signed char>> fadingTone(double hertz) {
    constexpr int32_t RATE = 22050;
    constexpr int32_t FRAMES = RATE * 12 / 100;
    std::vector<unsigned char> file;
    const auto put = [&file](uint32_t value, int32_t bytes) {
        for (int32_t i = 0; i < bytes; ++i) file.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    const auto tag = [&file](const char* text) { file.insert(file.end(), text, text + 4); };
    tag("RIFF");
    put(36 + FRAMES * 2, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(RATE, 4);
    put(RATE * 2, 4);
    put(2, 2);
    put(16, 2);
    tag("data");
    put(FRAMES * 2, 4);
    for (int32_t i = 0; i < FRAMES; ++i) {
        const double fade = 1.0 - static_cast<double>(i) / FRAMES;
        const double value = 12000.0 * fade * std::sin(2 * std::numbers::pi * hertz * i / RATE);
        put(static_cast<uint16_t>(static_cast<int16_t>(value)), 2);
    }
    auto bytes = jnew<JArray<signed char>>(static_cast<int32_t>(file.size()));
    std::memcpy(bytes->data, file.data(), file.size());
    return bytes;
}

class SoundDemoCanvas : public FlatCanvas, public PlayerListener {
    JAVA_CLASS(SoundDemoCanvas, "demo.SoundDemoCanvas", FlatCanvas, PlayerListener)
public:
    void WENDinvokeconstructor() { FlatCanvas::WENDinvokeconstructor(0x203040); }
    void pointerReleased(int32_t x, int32_t y) override {
        const int32_t id = SOUNDS[m_taps++ % 3];
        log(m_channels.playResumeSound(id, 1, 1, false) ? "started" : "not started", id);
    }
    void showNotify() override {
        m_channels.loadSounds();
        log("loaded");
    }
    void hideNotify() override {
        m_channels.stopAllSounds();
        m_channels.unloadSounds();
    }
    // Comes on the runtime's tick thread for the end of a sound. Only the events of sounds that
    // were started are logged: the players that merely waited in their channels are all closed
    // together at exit, and would say so once each.
    void playerUpdate(JavaPtr<Player> player, JavaPtr<java::lang::String> event,
                      JavaPtr<java::lang::Object> eventData) override {
        {
            std::lock_guard guard(m_startedLock);
            if (event->equals(PlayerListener::STARTED)) m_started.insert(player.get());
            else if (!m_started.contains(player.get())) return;
            if (event->equals(PlayerListener::CLOSED)) m_started.erase(player.get());
        }
        log(event->val());
    }

private:
    static constexpr int32_t SOUNDS[3] = {SoundChannels::RESID_CLICK_ON_BUTTON, SoundChannels::RESID_CONFIRM_SCREEN,
                                         SoundChannels::RESID_STARS2};

    SoundChannels m_channels{[](int32_t id) { return fadingTone(220.0 + id); }, [] { return false; }, this};
    int32_t m_taps = 0;
    std::mutex m_startedLock;
    std::set<const Player*> m_started;
};

class SoundDemoMIDlet : public MIDlet {
    JAVA_CLASS(SoundDemoMIDlet, "demo.SoundDemoMIDlet", MIDlet)
public:
    void startApp() override {
        if (m_canvas) return;
        m_canvas = jnew<SoundDemoCanvas>();
        m_canvas->WENDinvokeconstructor();
        Display::getDisplay()->setCurrent(JavaPtr<Displayable>(m_canvas));
        m_canvas->repaint();
    }
    void pauseApp() override {}
    void destroyApp(bool unconditional) override { notifyDestroyed(); }

private:
    JavaPtr<SoundDemoCanvas> m_canvas;
};

}  // namespace

JavaPtr<MIDlet> makeSoundDemoMIDlet() {
    JavaPtr<SoundDemoMIDlet> midlet = jnew<SoundDemoMIDlet>();
    midlet->WENDinvokeconstructor();
    return midlet;
}

}  // namespace demo
