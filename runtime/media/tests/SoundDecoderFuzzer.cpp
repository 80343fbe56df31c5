// Feeds arbitrary bytes to the decoder of sounds held in memory.
#include <cstddef>
#include <cstdint>

#include "runtime/media/SoundDecoder.h"

using javax::microedition::media::SoundDecoder;

// The Vorbis decoder beneath the sound-file library leaks its stream information when a damaged
// Ogg stream fails to open; the leak is the library's, not the caller's.
extern "C" const char* __lsan_default_suppressions() { return "leak:vorbis_info_init\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto sound = SoundDecoder::decode({data, size});
    // What was accepted is whole frames of one or two channels.
    if (sound && (sound->channels < 1 || sound->channels > 2 || sound->samples.size() % sound->channels != 0))
        __builtin_trap();
    return 0;
}
