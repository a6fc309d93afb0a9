#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace boot_loader {

// The panel loader's identification record, decoded from the 16-byte answer to `identify`.
// idBytes, extraWord and extraByte are carried but not evaluated.
struct BootloaderInfo
{
    static constexpr std::size_t payloadSize = 16;

    uint8_t version = 0;
    std::array<uint8_t, 3> idBytes{};
    uint16_t pageSize = 0;
    uint16_t extraWord = 0;
    std::string deviceName;
    uint8_t extraByte = 0;

    // Loaders after version 17 keep the name in bytes 8-13 and a spare byte at 15; older ones use
    // bytes 8-15 for the name. The name ends early at a zero byte. A payload of any other size than
    // 16 bytes gives an all-zero record with an empty name.
    static BootloaderInfo decode(const std::vector<uint8_t>& payload);
    // The 16 bytes that decode back into this record (the name is cut to what the version allows).
    std::vector<uint8_t> encode() const;
};

} // namespace boot_loader
