#pragma once

#include "config_zelmar/LCDCharset.h"
#include "config_zelmar/MemoryMap.h"

#include "boot_loader/MemoryImage.h"

#include <string>

// Typed access to the fields of the memory map inside a memory image.
namespace config_zelmar::image_fields {

inline unsigned lowestBit(uint8_t mask)
{
    unsigned shift = 0;
    while (shift < 8 && ((mask >> shift) & 1U) == 0) {
        ++shift;
    }
    return shift;
}

// The field's bits, shifted down to bit 0.
inline unsigned readField(const boot_loader::MemoryImage& image, memory_map::BitField field)
{
    return (image.getByte(field.address) & field.mask) >> lowestBit(field.mask);
}

// Stores value into the field's bits; the byte's other bits keep their value.
inline void writeField(boot_loader::MemoryImage& image, memory_map::BitField field, unsigned value)
{
    const uint8_t kept = image.getByte(field.address) & static_cast<uint8_t>(~field.mask);
    const uint8_t placed = static_cast<uint8_t>(value << lowestBit(field.mask)) & field.mask;
    image.setByte(field.address, static_cast<uint8_t>(kept | placed));
}

inline void writeLcdString(boot_loader::MemoryImage& image, const std::u16string& text, uint32_t address,
                           std::size_t width)
{
    image.setBytes(address, encodeLcdText(text, width));
}

inline std::u16string readLcdString(const boot_loader::MemoryImage& image, uint32_t address,
                                    std::size_t width)
{
    const std::vector<uint8_t> bytes = image.getBytes(address, width);
    return decodeLcdText(bytes.data(), bytes.size());
}

} // namespace config_zelmar::image_fields

namespace config_zelmar::image_fields {

// The option page image: memory 1, one page.
inline boot_loader::MemoryImage makeOptionsImage()
{
    namespace opt = memory_map::options;
    return boot_loader::MemoryImage(opt::memory, opt::base, memory_map::pageSize, opt::pageCount);
}

// The configuration area image: memory 0, 0x3E00-0xFBFF.
inline boot_loader::MemoryImage makeConfigurationImage()
{
    namespace area = memory_map::configuration;
    return boot_loader::MemoryImage(area::memory, area::base, memory_map::pageSize, area::pageCount);
}

} // namespace config_zelmar::image_fields
