#pragma once

#include <cstddef>
#include <cstdint>

namespace panel_emulator {

// The checksum the emulated loader gives for command 0xF6: CRC-32 as in zlib and Ethernet (reflected
// polynomial 0xEDB88320, initial value 0xFFFFFFFF, final XOR 0xFFFFFFFF) over the bytes of the range.
// The host only compares such values, so any stable function would do; this one is well known.
class Crc32
{
public:
    static uint32_t of(const uint8_t* data, std::size_t count);
};

} // namespace panel_emulator
