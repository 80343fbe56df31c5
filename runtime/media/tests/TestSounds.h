// Sounds written in the tests with the sound-file library, and the audio back end the tests ask
// the audio library for, so that no test needs a sound device.
#pragma once

#include <sndfile.h>
#include <unistd.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "runtime/lang/JArray.h"

namespace testsounds {

// The formats the platform player is asked to play.
struct Format {
    const char* name;
    int code;
    bool lossless;
};
inline constexpr Format FORMATS[] = {
    {"WAV", SF_FORMAT_WAV | SF_FORMAT_PCM_16, true},
    {"AIFF", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, true},
    {"CAF", SF_FORMAT_CAF | SF_FORMAT_PCM_16, true},
    {"FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, true},
    {"OggVorbis", SF_FORMAT_OGG | SF_FORMAT_VORBIS, false},
    {"MP3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, false},
};

inline constexpr int32_t RATE = 48000;

// Written through an unnamed temporary file, which the sound-file library can seek in.
inline std::vector<unsigned char> writeSound(int format, std::span<const int16_t> samples, int32_t rate = RATE,
                                             int32_t channels = 1) {
    std::FILE* file = std::tmpfile();
    if (!file) return {};
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    std::vector<unsigned char> bytes;
    if (SNDFILE* sound = sf_open_fd(::fileno(file), SFM_WRITE, &info, SF_FALSE)) {
        sf_writef_short(sound, samples.data(), static_cast<sf_count_t>(samples.size() / channels));
        sf_close(sound);
        bytes.resize(static_cast<size_t>(::lseek(::fileno(file), 0, SEEK_END)));
        ::pread(::fileno(file), bytes.data(), bytes.size(), 0);
    }
    std::fclose(file);
    return bytes;
}

// Sample i is start + i / slowness: where playback stands can be read off the output.
inline std::vector<int16_t> ramp(int32_t count, int16_t start = 1000, int32_t slowness = 1) {
    std::vector<int16_t> samples(count);
    for (int32_t i = 0; i < count; ++i) samples[i] = static_cast<int16_t>(start + i / slowness);
    return samples;
}

// A square wave: loud enough to survive lossy coding.
inline std::vector<int16_t> tone(int32_t count, int16_t amplitude = 16000) {
    std::vector<int16_t> samples(count);
    for (int32_t i = 0; i < count; ++i) samples[i] = (i / 40) % 2 ? amplitude : static_cast<int16_t>(-amplitude);
    return samples;
}

inline JavaPtr<JArray<signed char>> javaBytes(std::span<const unsigned char> bytes) {
    auto array = java::lang::jnew<JArray<signed char>>(static_cast<int32_t>(bytes.size()));
    if (!bytes.empty()) std::memcpy(array->data, bytes.data(), bytes.size());
    return array;
}

// Must run before the first audio call of the process, which reads the settings once.
inline void useNullAudio() { setenv("ALSOFT_DRIVERS", "null", 1); }

// The device then writes what it plays, mono 32-bit float at RATE, to the returned file; the file
// is complete once the audio session is closed.
inline std::string waveAudioBase() {
    const char* temporary = std::getenv("TMPDIR");
    return std::string(temporary && *temporary ? temporary : "/tmp") + "/media-test-" + std::to_string(::getpid());
}

inline std::string useWaveAudio() {
    const std::string base = waveAudioBase();
    const std::string output = base + ".wav";
    std::ofstream(base + ".conf") << "[general]\nchannels = mono\nsample-type = float32\nfrequency = " << RATE
                                  << "\n[wave]\nfile = " << output << "\n";
    setenv("ALSOFT_CONF", (base + ".conf").c_str(), 1);
    setenv("ALSOFT_DRIVERS", "wave", 1);
    return output;
}

inline void removeWaveAudioFiles() {
    std::remove((waveAudioBase() + ".conf").c_str());
    std::remove((waveAudioBase() + ".wav").c_str());
}

inline std::vector<float> readWaveOutput(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<float> samples(static_cast<size_t>(info.frames) * info.channels);
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

}  // namespace testsounds
