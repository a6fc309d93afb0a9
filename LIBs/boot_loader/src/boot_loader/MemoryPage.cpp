#include "boot_loader/MemoryPage.h"

namespace boot_loader {

MemoryPage::MemoryPage(int32_t space, uint32_t address, std::size_t size)
    : memorySpace(space), firstAddress(address), bytes(size, 0xFF)
{}

bool MemoryPage::contains(uint32_t address) const
{
    return address >= firstAddress && address - firstAddress < bytes.size();
}

uint8_t MemoryPage::getByte(uint32_t address) const
{
    return contains(address) ? bytes[address - firstAddress] : 0;
}

bool MemoryPage::getBit(uint32_t address, unsigned bit) const
{
    return ((static_cast<uint32_t>(getByte(address)) >> (bit & 31U)) & 1U) != 0;
}

void MemoryPage::setByte(uint32_t address, uint8_t value)
{
    if (contains(address)) {
        bytes[address - firstAddress] = value;
    }
}

void MemoryPage::setBit(uint32_t address, unsigned bit, bool value)
{
    const uint32_t mask = 1U << (bit & 31U);
    const uint32_t old = getByte(address);
    setByte(address, static_cast<uint8_t>(value ? (old | mask) : (old & ~mask)));
}

bool MemoryPage::operator==(const MemoryPage& other) const
{
    return this == &other ||
           (memorySpace == other.memorySpace && firstAddress == other.firstAddress && bytes == other.bytes);
}

} // namespace boot_loader
