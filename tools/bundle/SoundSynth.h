// The quiz's sounds, synthesised from short recipes (tones with envelopes and glides, filtered noise)
// and written as 16-bit mono WAV files through libsndfile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bundle {

constexpr int kSoundRate = 22050;

// The samples of the named recipe at the common loudness (successes a little above it), peaking below
// full scale and faded in and out at the ends; throws std::invalid_argument for a name no recipe has.
std::vector<float> synthesiseSound(const std::string& name);

// The samples as a WAV file's bytes.
std::vector<uint8_t> wavFile(const std::vector<float>& samples);

}  // namespace bundle
