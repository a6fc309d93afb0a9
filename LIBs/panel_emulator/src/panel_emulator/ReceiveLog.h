#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace panel_emulator {

// One complete command frame as the emulated panel received it.
struct LoggedCommand
{
    uint8_t code = 0;
    int space = 0;        // from bit 7 of the third address character; 0 for commands without address
    uint32_t address = 0; // 23-bit address; 0 for commands without address
    bool crcValid = false;
    std::optional<uint8_t> answerStatus; // empty when the panel stayed silent
};

// What the emulated panel received, for tests to assert on.
struct ReceiveLog
{
    std::vector<uint16_t> characters; // every character with its ninth bit (bit 8)
    std::vector<LoggedCommand> commands;
    std::size_t zeroPrefixBytes = 0; // zero bytes received outside any command frame
    std::size_t lostCharacters = 0;  // characters sent at a baud rate other than the panel's
};

} // namespace panel_emulator
