#include "boot_loader/Crc16.h"

#include <array>

namespace boot_loader {

namespace {

std::array<uint16_t, 256> makeTable()
{
    std::array<uint16_t, 256> table{};
    for (unsigned index = 0; index < table.size(); ++index) {
        uint16_t crc = static_cast<uint16_t>(index);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1U) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001U) : static_cast<uint16_t>(crc >> 1);
        }
        table[index] = crc;
    }
    return table;
}

const std::array<uint16_t, 256>& table()
{
    static const std::array<uint16_t, 256> instance = makeTable();
    return instance;
}

} // namespace

uint16_t Crc16::update(uint16_t crc, uint8_t byte)
{
    return static_cast<uint16_t>((crc >> 8) ^ table()[(crc ^ byte) & 0xFFU]);
}

uint16_t Crc16::of(const uint8_t* data, std::size_t count)
{
    uint16_t crc = initialValue;
    for (std::size_t index = 0; index < count; ++index) {
        crc = update(crc, data[index]);
    }
    return crc;
}

uint16_t Crc16::of(const std::vector<uint8_t>& bytes)
{
    return of(bytes.data(), bytes.size());
}

uint16_t Crc16::ofCharacters(const std::vector<uint16_t>& characters)
{
    uint16_t crc = initialValue;
    for (uint16_t character : characters) {
        crc = update(crc, static_cast<uint8_t>(character & 0xFFU));
    }
    return crc;
}

} // namespace boot_loader
