// Feeds arbitrary bytes to the decoder of sounds held in memory.
#include <cstddef>
#include <cstdint>

#include "runtime/media/SoundDecoder.h"

using javax::microedition::media::SoundDecoder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto sound = SoundDecoder::decode({data, size});
    // What was accepted is whole frames of one or two channels.
    if (sound && (sound->channels < 1 || sound->channels > 2 || sound->samples.size() % sound->channels != 0))
        __builtin_trap();
    return 0;
}
