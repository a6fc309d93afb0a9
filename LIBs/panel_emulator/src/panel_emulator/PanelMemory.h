#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace panel_emulator {

// One memory of the emulated panel: a contiguous range of bytes at a base address, loadable from and
// savable to a raw binary image file holding exactly the range.
class PanelMemory
{
public:
    PanelMemory(uint32_t baseAddress, std::size_t size, uint8_t fill = 0xFF);

    uint32_t baseAddress() const { return base; }
    std::size_t size() const { return content.size(); }
    const std::vector<uint8_t>& bytes() const { return content; }

    // The whole range [address, address + length) lies inside this memory.
    bool contains(uint32_t address, std::size_t length) const;
    // Both assume contains(); outside they read nothing and write nothing.
    std::vector<uint8_t> read(uint32_t address, std::size_t length) const;
    void write(uint32_t address, const std::vector<uint8_t>& data);
    uint32_t checksum(uint32_t address, std::size_t length) const;

    uint8_t byteAt(uint32_t address) const;
    void setByteAt(uint32_t address, uint8_t value);
    void fill(uint8_t value);

    // Throw std::runtime_error with a message naming the file: when it cannot be read or written, or
    // when its size is not exactly the memory's size (the memory is then left unchanged).
    void loadFile(const std::string& path);
    // Writes a temporary file beside the target and renames it, so a failed save keeps the old file.
    void saveFile(const std::string& path) const;

private:
    uint32_t base;
    std::vector<uint8_t> content;
};

} // namespace panel_emulator
