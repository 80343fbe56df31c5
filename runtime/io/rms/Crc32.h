// CRC-32 (the reflected 0xEDB88320 polynomial) that seals each record-store file.
#pragma once

#include <cstdint>
#include <span>

namespace javax::microedition::rms {

uint32_t crc32(std::span<const unsigned char> bytes);

}  // namespace javax::microedition::rms
