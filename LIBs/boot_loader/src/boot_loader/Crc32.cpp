#include "boot_loader/Crc32.h"

namespace boot_loader {

uint32_t Crc32::of(const uint8_t* data, std::size_t count)
{
    uint32_t crc = 0xFFFFFFFFU;
    for (std::size_t index = 0; index < count; ++index) {
        crc ^= data[index];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1U) ? (crc >> 1) ^ 0xEDB88320U : crc >> 1;
        }
    }
    return crc ^ 0xFFFFFFFFU;
}

} // namespace boot_loader
