// Measures what the sound channels cost: the time from playSound to the sound's first sample in
// the output of OpenAL Soft's wave-file back end, and the processor time taken while eight channels
// play at once against the same stretch with none playing. Not a test: run it by hand.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/framework/SoundChannels.h"
#include "runtime/media/AudioSession.h"
#include "runtime/media/tests/MediaTestSupport.h"
#include "runtime/media/tests/TestSounds.h"

namespace {

using namespace javax::microedition::media;
using Clock = std::chrono::steady_clock;

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::vector<unsigned char> sound;

SoundChannels makeChannels() {
    return SoundChannels([](int32_t) { return testsounds::javaBytes(sound); }, [] { return false; }, nullptr);
}

struct Latency {
    double mixed;    // until the mixer first took samples of the sound
    double written;  // until the sound's first sample's place in the written output
};

// Milliseconds from playSound to the sound's first sample, seen two ways.
Latency oneLatency(const std::string& output) {
    SoundChannels channels = makeChannels();
    AudioSession::initialise();
    const Clock::time_point opened = Clock::now();
    channels.loadSound(SoundChannels::RESID_CLICK_ON_BUTTON);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    const Clock::time_point played = Clock::now();
    channels.playSound(SoundChannels::RESID_CLICK_ON_BUTTON, 1, 1);
    auto& platform = mediatest::platformOf(channels.playerOf(0));
    while (platform.sampleOffset() <= 0 && Clock::now() - played < std::chrono::milliseconds(150))
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    const double mixed = std::chrono::duration<double, std::milli>(Clock::now() - played).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    Manager::tidyUp();
    Manager::resetForTests();
    AudioSession::close();
    const std::vector<float> heard = testsounds::readWaveOutput(output);
    const auto first = std::find_if(heard.begin(), heard.end(), [](float s) { return std::fabs(s) > 1e-4f; });
    const double soundAtMs = 1000.0 * static_cast<double>(first - heard.begin()) / testsounds::RATE;
    return {mixed, soundAtMs - std::chrono::duration<double, std::milli>(played - opened).count()};
}

// Processor time per second of wall time, ticking the players as the runtime's tick loop does.
double processorShare(int32_t playing, std::chrono::milliseconds span) {
    SoundChannels channels = makeChannels();
    for (int32_t i = 0; i < playing; ++i) channels.playSound(SoundChannels::RESID_CONFIRM_SCREEN + i, 1, 0);
    const double before = processorSeconds();
    const Clock::time_point start = Clock::now();
    while (Clock::now() - start < span) {
        Manager::tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const double used = processorSeconds() - before;
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    Manager::tidyUp();
    Manager::resetForTests();
    return used / wall;
}

}  // namespace

int main() {
    const std::string output = testsounds::useWaveAudio();
    PlayerListener::PlayerListener_staticInit();
    Manager::Manager_staticInit();
    // A 60 ms click, like the application's.
    sound = testsounds::writeSound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, testsounds::tone(testsounds::RATE * 6 / 100));

    std::vector<double> mixed;
    std::vector<double> written;
    for (int32_t trial = 0; trial < 20; ++trial) {
        const Latency latency = oneLatency(output);
        mixed.push_back(latency.mixed);
        written.push_back(latency.written);
    }
    for (auto* values : {&mixed, &written}) std::sort(values->begin(), values->end());
    const auto report = [](const char* what, const std::vector<double>& values) {
        std::printf("%s, 20 trials: min %.1f ms, median %.1f ms, max %.1f ms\n", what, values.front(),
                    values[values.size() / 2], values.back());
    };
    report("playSound until the mixer takes the first samples", mixed);
    // The writer mixes one period at a time into the stretch of the stream that has just passed.
    report("playSound until the first sample's place in the written stream", written);

    AudioSession::initialise();
    const auto span = std::chrono::milliseconds(3000);
    const double idle = processorShare(0, span);
    const double eight = processorShare(8, span);
    std::printf("processor share over %lld ms: no channel playing %.1f %%, eight channels playing %.1f %% (ratio %.2f)\n",
                static_cast<long long>(span.count()), 100 * idle, 100 * eight, idle > 0 ? eight / idle : 0.0);
    AudioSession::close();
    testsounds::removeWaveAudioFiles();
    return 0;
}
