// The functions the platform layer implements for the display code; the only way in which this
// code reaches the platform.
#pragma once

#include <cstdint>

// Decodes JPEG data into a std::malloc block of width x height 0xAARRGGBB words (alpha 0xFF) that
// the caller frees. Both outputs are -1 on entry and 0 when the data does not decode (null result).
uint32_t* decodeJPEGtoRGB(const uint8_t* bytes, int32_t length, int32_t* width, int32_t* height);

// True once the MIDlet has asked to quit (never cleared); repaints stop from then on.
bool midletQuitInvoked();
// Plays the platform's vibrate sound; the length of a vibration is not the platform's to choose.
void vibrateDevice();
// Hands the finished frame to the platform view.
void frameBufferUpdate();
