#include "runtime/media/SoundDecoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace javax::microedition::media {

namespace {

// The sound-file library reads through these from the caller's bytes, which it never owns.
struct MemoryReader {
    std::span<const unsigned char> data;
    sf_count_t position = 0;
};

sf_count_t length(void* reader) { return static_cast<sf_count_t>(static_cast<MemoryReader*>(reader)->data.size()); }

sf_count_t seek(sf_count_t offset, int whence, void* reader) {
    auto* memory = static_cast<MemoryReader*>(reader);
    const sf_count_t size = static_cast<sf_count_t>(memory->data.size());
    const sf_count_t base = whence == SEEK_CUR ? memory->position : whence == SEEK_END ? size : 0;
    // Offsets come from the file's own fields: clamp rather than trust them.
    sf_count_t target = 0;
    if (__builtin_add_overflow(base, offset, &target)) target = offset > 0 ? size : 0;
    memory->position = std::clamp<sf_count_t>(target, 0, size);
    return memory->position;
}

sf_count_t read(void* destination, sf_count_t count, void* reader) {
    auto* memory = static_cast<MemoryReader*>(reader);
    const sf_count_t left = static_cast<sf_count_t>(memory->data.size()) - memory->position;
    const sf_count_t taken = std::clamp<sf_count_t>(count, 0, left);
    if (taken > 0) std::memcpy(destination, memory->data.data() + memory->position, static_cast<size_t>(taken));
    memory->position += taken;
    return taken;
}

sf_count_t write(const void*, sf_count_t, void*) { return 0; }

sf_count_t tell(void* reader) { return static_cast<MemoryReader*>(reader)->position; }

// Frames are read in chunks rather than by the header's frame count, which may lie.
constexpr sf_count_t CHUNK_FRAMES = 4096;

}  // namespace

std::optional<DecodedSound> SoundDecoder::decode(std::span<const unsigned char> data) {
    if (data.empty()) return std::nullopt;
    MemoryReader reader{data};
    SF_VIRTUAL_IO io{&length, &seek, &read, &write, &tell};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &reader);
    if (!file) return std::nullopt;
    struct Closer {
        SNDFILE* file;
        ~Closer() { sf_close(file); }
    } closer{file};
    if (info.channels < 1 || info.channels > 256 || info.samplerate < 1 || info.samplerate > MAX_SAMPLE_RATE)
        return std::nullopt;

    const int32_t outChannels = info.channels == 2 ? 2 : 1;
    DecodedSound sound;
    sound.sampleRate = info.samplerate;
    sound.channels = outChannels;
    std::vector<int16_t> chunk(static_cast<size_t>(CHUNK_FRAMES * info.channels));
    int64_t frames = 0;
    for (;;) {
        const sf_count_t got = sf_readf_short(file, chunk.data(), CHUNK_FRAMES);
        if (got <= 0) break;
        frames += got;
        if (frames * outChannels > MAX_SAMPLES) return std::nullopt;
        if (info.channels <= 2) {
            sound.samples.insert(sound.samples.end(), chunk.begin(), chunk.begin() + got * info.channels);
            continue;
        }
        // More than two channels are mixed down to one.
        for (sf_count_t frame = 0; frame < got; ++frame) {
            int64_t sum = 0;
            for (int32_t channel = 0; channel < info.channels; ++channel) sum += chunk[frame * info.channels + channel];
            sound.samples.push_back(static_cast<int16_t>(sum / info.channels));
        }
    }
    if (sound.samples.empty()) return std::nullopt;
    return sound;
}

}  // namespace javax::microedition::media
