// Decodes a whole sound held in memory (WAV, AIFF, CAF, FLAC, Ogg Vorbis, MP3 and the other formats
// the sound-file library knows) into 16-bit samples of one or two channels.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace javax::microedition::media {

struct DecodedSound {
    int32_t sampleRate = 0;
    int32_t channels = 0;  // 1 or 2
    std::vector<int16_t> samples;  // interleaved
};

class SoundDecoder {
public:
    // The most decoded samples accepted (64 MiB, almost six minutes of 48 kHz stereo), so that a
    // small file that expands without end cannot exhaust memory.
    static constexpr int64_t MAX_SAMPLES = int64_t{1} << 25;
    static constexpr int32_t MAX_SAMPLE_RATE = 384000;

    // Nothing when the data is no sound the library recognises, or an unusable one.
    static std::optional<DecodedSound> decode(std::span<const unsigned char> data);
};

}  // namespace javax::microedition::media
