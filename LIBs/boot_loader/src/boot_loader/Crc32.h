#pragma once

#include <cstddef>
#include <cstdint>

namespace boot_loader {

// CRC-32 as in zlib and Ethernet (reflected polynomial 0xEDB88320, initial value 0xFFFFFFFF, final XOR
// 0xFFFFFFFF). The emulated loader answers it for command 0xF6 (the host only compares such values, so
// any stable function would do; this one is well known), and stored panel images carry it.
class Crc32
{
public:
    static uint32_t of(const uint8_t* data, std::size_t count);
};

} // namespace boot_loader
