#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace boot_loader {

// CRC-16 in the MODBUS variant, the checksum of every loader frame: reflected polynomial 0xA001,
// initial value 0xFFFF, no final XOR. Nine-bit characters contribute their low 8 bits only.
class Crc16
{
public:
    static constexpr uint16_t initialValue = 0xFFFF;

    static uint16_t update(uint16_t crc, uint8_t byte);
    static uint16_t of(const uint8_t* data, std::size_t count);
    static uint16_t of(const std::vector<uint8_t>& bytes);
    static uint16_t ofCharacters(const std::vector<uint16_t>& characters);
};

} // namespace boot_loader
