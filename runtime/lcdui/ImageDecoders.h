// The decoders and the stream reader behind Image's factories.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace javax::microedition::lcdui::imagedecoders {

// What the PNG decoder verifies besides the picture's structure.
enum class PngSums {
    CHECKED,  // every chunk's CRC and the stream's Adler-32: all data read from anywhere
    TRUSTED,  // neither: only for bytes this process has just built in memory and nobody else sees
};

// A std::malloc block of width x height pixel words, or null when the PNG does not decode.
uint32_t* decodePNG(std::span<const uint8_t> bytes, int32_t& width, int32_t& height,
                    PngSums sums = PngSums::CHECKED);

// Collects the bytes of exactly one picture (PNG, JPEG, or an 8-bit BMP, which later decodes to
// nothing) from a source that yields 0 to 255 per call and -1 at its end. False when the source
// ends inside the picture, does not start like one, or claims more than the size limit.
bool readOnePicture(const std::function<int32_t()>& readByte, std::vector<uint8_t>& out);

// No picture this system reads comes near this size.
constexpr size_t MAX_PICTURE_BYTES = size_t{64} << 20;
// Decoded pictures hold at most this many pixels (64 MiB of pixel words).
constexpr int64_t MAX_DECODED_PIXELS = int64_t{1} << 24;
// Encoders write about ten scans; each scan is a pass over the whole picture, so thousands of
// near-empty ones cost seconds.
constexpr int32_t MAX_JPEG_SCANS = 64;

// Follows one JPEG's markers from just after its start marker up to and including its end marker,
// reading through readByte (0 to 255, -1 at the end). Answers the number of scans, stopping early
// once there are more than MAX_JPEG_SCANS, or -1 when the data ends first or breaks the marker
// structure.
int32_t countJPEGScans(const std::function<int32_t()>& readByte);

}  // namespace javax::microedition::lcdui::imagedecoders
