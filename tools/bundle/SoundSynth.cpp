#include "tools/bundle/SoundSynth.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <stdexcept>

namespace bundle {

namespace {

enum class Wave { Sine, Bell, Square, Saw };

constexpr double kCeiling = 0.9;  // the highest peak, a little below full scale

class Mix {
public:
    explicit Mix(double seconds) : m_samples(static_cast<size_t>(seconds * kSoundRate), 0.0f) {}

    // A note from start for duration seconds, gliding from f0 to f1, with a quick attack and an
    // exponential decay (decay: seconds to fall to about a third).
    void tone(double start, double duration, double f0, double f1, double amplitude, Wave wave, double decay) {
        double phase = 0;
        const size_t first = static_cast<size_t>(start * kSoundRate);
        const size_t count = static_cast<size_t>(duration * kSoundRate);
        for (size_t i = 0; i < count && first + i < m_samples.size(); ++i) {
            const double t = static_cast<double>(i) / kSoundRate;
            const double f = f0 + (f1 - f0) * t / duration;
            phase += 2 * M_PI * f / kSoundRate;
            double v = 0;
            switch (wave) {
                case Wave::Sine: v = std::sin(phase); break;
                case Wave::Bell: v = std::sin(phase) + 0.35 * std::sin(2.76 * phase) + 0.18 * std::sin(5.4 * phase); break;
                case Wave::Square: v = std::tanh(4 * std::sin(phase)) * 0.6; break;
                case Wave::Saw: v = 0.5 * std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.16 * std::sin(3 * phase) +
                                    0.12 * std::sin(4 * phase); break;
            }
            m_samples[first + i] += static_cast<float>(v * amplitude * envelope(t, duration, decay));
        }
    }

    // Noise through a band that sweeps from f0 to f1, swelling in and out: swooshes.
    void noise(double start, double duration, double f0, double f1, double amplitude, uint32_t seed) {
        const size_t first = static_cast<size_t>(start * kSoundRate);
        const size_t count = static_cast<size_t>(duration * kSoundRate);
        double low = 0, band = 0;
        for (size_t i = 0; i < count && first + i < m_samples.size(); ++i) {
            seed = seed * 1664525u + 1013904223u;
            const double white = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
            const double t = static_cast<double>(i) / kSoundRate;
            const double f = f0 + (f1 - f0) * t / duration;
            const double k = 2 * std::sin(M_PI * f / kSoundRate);
            // A state-variable filter's band output.
            low += k * band;
            const double high = white - low - 0.5 * band;
            band += k * high;
            const double swell = std::sin(M_PI * t / duration);
            m_samples[first + i] += static_cast<float>(band * amplitude * swell * swell);
        }
    }

    // Fades the ends and sets the loudness: the RMS over the whole sound reaches levelDb (dB below full
    // scale) unless that would lift the peak above kCeiling, so that no sound plays much louder than
    // another however its energy is spread, and none clips.
    std::vector<float> finish(double levelDb) {
        // Short fades so that neither end starts or stops with a step.
        const size_t fade = std::min(m_samples.size() / 2, static_cast<size_t>(kSoundRate * 0.004));
        for (size_t i = 0; i < fade; ++i) {
            const float g = static_cast<float>(i) / static_cast<float>(fade);
            m_samples[i] *= g;
            m_samples[m_samples.size() - 1 - i] *= g;
        }
        double energy = 0, peak = 0;
        for (float s : m_samples) {
            energy += static_cast<double>(s) * s;
            peak = std::max(peak, static_cast<double>(std::fabs(s)));
        }
        if (peak == 0) return m_samples;
        const double rms = std::sqrt(energy / static_cast<double>(m_samples.size()));
        const double gain = std::min(std::pow(10.0, levelDb / 20) / rms, kCeiling / peak);
        for (float& s : m_samples) s = static_cast<float>(s * gain);
        return m_samples;
    }

private:
    static double envelope(double t, double duration, double decay) {
        const double attack = std::min(0.006, duration / 4);
        const double release = std::min(0.02, duration / 4);
        double e = t < attack ? t / attack : std::exp(-(t - attack) / decay);
        if (t > duration - release) e *= (duration - t) / release;
        return e;
    }

    std::vector<float> m_samples;
};

double note(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

using Recipe = std::function<void(Mix&)>;

// Every sound's loudness, and the lift that keeps a success no quieter than the matching failure.
constexpr double kLevelDb = -15, kSuccessLiftDb = 1;

struct Sound {
    double seconds;
    Recipe recipe;
    double levelDb = kLevelDb;
};

const std::map<std::string, Sound>& recipes() {
    static const std::map<std::string, Sound> table = {
        {"click_button", {0.06, [](Mix& m) {
             m.tone(0, 0.05, 1800, 1200, 0.8, Wave::Sine, 0.012);
             m.noise(0, 0.03, 3000, 2000, 1.5, 7);
         }}},
        {"click_background", {0.06, [](Mix& m) { m.tone(0, 0.05, 500, 380, 0.7, Wave::Sine, 0.015); }}},
        {"tick_tock", {0.62, [](Mix& m) {
             for (int k = 0; k < 3; ++k) m.tone(k * 0.2, 0.1, note(12 + (k % 2) * -5), note(12 + (k % 2) * -5), 0.6,
                                                Wave::Square, 0.04);
         }}},
        {"confirm", {0.45, [](Mix& m) {
             m.tone(0, 0.25, note(7), note(7), 0.6, Wave::Bell, 0.12);
             m.tone(0.15, 0.3, note(2), note(2), 0.6, Wave::Bell, 0.15);
         }}},
        {"correct", {0.55, [](Mix& m) {
             const int steps[] = {3, 7, 10};
             for (int k = 0; k < 3; ++k) m.tone(k * 0.08, 0.4, note(steps[k] + 12), note(steps[k] + 12), 0.5, Wave::Bell, 0.14);
         }, kLevelDb + kSuccessLiftDb}},
        {"correct_bonus", {0.75, [](Mix& m) {
             const int steps[] = {3, 7, 10, 15, 19};
             for (int k = 0; k < 5; ++k) m.tone(k * 0.07, 0.4, note(steps[k] + 12), note(steps[k] + 12), 0.45, Wave::Bell, 0.12);
         }, kLevelDb + kSuccessLiftDb}},
        {"incorrect", {0.4, [](Mix& m) {
             m.tone(0, 0.38, 140, 110, 0.7, Wave::Saw, 0.2);
             m.tone(0, 0.38, 147, 115, 0.5, Wave::Saw, 0.2);
         }}},
        {"hint", {0.3, [](Mix& m) { m.tone(0, 0.28, 600, 950, 0.6, Wave::Sine, 0.1); }}},
        {"skip", {0.3, [](Mix& m) {
             m.noise(0, 0.22, 800, 4000, 2.5, 11);
             m.tone(0.18, 0.1, 1200, 1200, 0.4, Wave::Sine, 0.03);
         }}},
        {"promoted", {0.9, [](Mix& m) {
             const int steps[] = {3, 7, 10, 15};
             for (int k = 0; k < 4; ++k) m.tone(k * 0.12, k == 3 ? 0.5 : 0.2, note(steps[k]), note(steps[k]), 0.5, Wave::Square, 0.15);
             m.tone(0.36, 0.5, note(10), note(10), 0.3, Wave::Square, 0.2);
         }, kLevelDb + kSuccessLiftDb}},
        {"demoted", {0.8, [](Mix& m) {
             const int steps[] = {10, 6, 3, -2};
             for (int k = 0; k < 4; ++k) m.tone(k * 0.15, 0.25, note(steps[k]), note(steps[k]) * 0.98, 0.5, Wave::Square, 0.12);
         }}},
        {"fanfare_win", {1.6, [](Mix& m) {
             const int steps[] = {3, 7, 10, 15};
             for (int k = 0; k < 4; ++k) m.tone(k * 0.14, 0.18, note(steps[k]), note(steps[k]), 0.5, Wave::Square, 0.2);
             for (int chord : {3, 7, 10, 15}) m.tone(0.6, 0.95, note(chord), note(chord), 0.2, Wave::Bell, 1.2);
         }, kLevelDb + kSuccessLiftDb}},
        {"fanfare_lose", {1.3, [](Mix& m) {
             const int steps[] = {3, 2, 1, 0};
             for (int k = 0; k < 4; ++k) m.tone(k * 0.25, k == 3 ? 0.5 : 0.24, note(steps[k] - 5), note(steps[k] - 5), 0.5, Wave::Saw, 0.25);
         }}},
        {"question1", {0.35, [](Mix& m) { m.tone(0, 0.32, note(10), note(10), 0.6, Wave::Bell, 0.1); }}},
        {"question2", {0.35, [](Mix& m) { m.tone(0, 0.32, note(12), note(12), 0.6, Wave::Bell, 0.1); }}},
        {"question3", {0.35, [](Mix& m) { m.tone(0, 0.32, note(14), note(14), 0.6, Wave::Bell, 0.1); }}},
        {"question4", {0.35, [](Mix& m) { m.tone(0, 0.32, note(15), note(15), 0.6, Wave::Bell, 0.1); }}},
        {"box_slide", {0.3, [](Mix& m) { m.noise(0, 0.3, 3500, 900, 3.0, 23); }}},
        {"shoosh", {0.5, [](Mix& m) { m.noise(0, 0.5, 600, 5000, 3.0, 31); }}},
        {"stars1", {0.6, [](Mix& m) {
             const int steps[] = {27, 31, 34, 39, 36};
             for (int k = 0; k < 5; ++k) m.tone(k * 0.07, 0.25, note(steps[k]), note(steps[k]), 0.35, Wave::Bell, 0.06);
         }}},
        {"stars2", {0.6, [](Mix& m) {
             const int steps[] = {39, 34, 36, 31, 34};
             for (int k = 0; k < 5; ++k) m.tone(k * 0.08, 0.25, note(steps[k]), note(steps[k]), 0.35, Wave::Bell, 0.06);
         }}},
    };
    return table;
}

// libsndfile writes into memory through these.
struct MemoryFile {
    std::vector<uint8_t> bytes;
    sf_count_t position = 0;
};

sf_count_t vLength(void* user) { return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size()); }
sf_count_t vSeek(sf_count_t offset, int whence, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? file->position : vLength(user);
    file->position = std::max<sf_count_t>(0, base + offset);
    return file->position;
}
sf_count_t vRead(void* out, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t available = std::max<sf_count_t>(0, vLength(user) - file->position);
    const sf_count_t n = std::min(count, available);
    std::memcpy(out, file->bytes.data() + file->position, static_cast<size_t>(n));
    file->position += n;
    return n;
}
sf_count_t vWrite(const void* in, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const size_t end = static_cast<size_t>(file->position + count);
    if (file->bytes.size() < end) file->bytes.resize(end);
    std::memcpy(file->bytes.data() + file->position, in, static_cast<size_t>(count));
    file->position += count;
    return count;
}
sf_count_t vTell(void* user) { return static_cast<MemoryFile*>(user)->position; }

}  // namespace

std::vector<float> synthesiseSound(const std::string& name) {
    const auto found = recipes().find(name);
    if (found == recipes().end()) throw std::invalid_argument("no sound recipe is named " + name);
    Mix mix(found->second.seconds);
    found->second.recipe(mix);
    return mix.finish(found->second.levelDb);
}

std::vector<uint8_t> wavFile(const std::vector<float>& samples) {
    MemoryFile file;
    SF_VIRTUAL_IO io{vLength, vSeek, vRead, vWrite, vTell};
    SF_INFO info{};
    info.samplerate = kSoundRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* sound = sf_open_virtual(&io, SFM_WRITE, &info, &file);
    if (!sound) throw std::runtime_error(std::string("libsndfile: ") + sf_strerror(nullptr));
    // No peak chunk: it would carry the time of writing, and the bundle must not depend on it.
    sf_command(sound, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    const sf_count_t written = sf_write_float(sound, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(sound);
    if (written != static_cast<sf_count_t>(samples.size())) throw std::runtime_error("libsndfile wrote a short sound");
    return file.bytes;
}

}  // namespace bundle
