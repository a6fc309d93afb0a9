#pragma once

#include <cstdint>
#include <vector>

namespace boot_loader {

// One page of panel memory: its memory space (0 or 1), the address of its first byte and its bytes.
class MemoryPage
{
public:
    // A page of `size` bytes of 0xFF.
    MemoryPage(int32_t space, uint32_t address, std::size_t size);
    virtual ~MemoryPage() = default;

    int32_t space() const { return memorySpace; }
    uint32_t address() const { return firstAddress; }
    std::size_t size() const { return bytes.size(); }

    const std::vector<uint8_t>& data() const { return bytes; }
    void setData(std::vector<uint8_t> data) { bytes = std::move(data); }

    // An address outside the page reads as 0 and ignores writes.
    bool contains(uint32_t address) const;
    uint8_t getByte(uint32_t address) const;
    bool getBit(uint32_t address, unsigned bit) const;
    void setByte(uint32_t address, uint8_t value);
    void setBit(uint32_t address, unsigned bit, bool value);

    // Same space, address and bytes.
    bool operator==(const MemoryPage& other) const;
    bool operator!=(const MemoryPage& other) const { return !(*this == other); }

private:
    int32_t memorySpace;
    uint32_t firstAddress;
    std::vector<uint8_t> bytes;
};

} // namespace boot_loader
