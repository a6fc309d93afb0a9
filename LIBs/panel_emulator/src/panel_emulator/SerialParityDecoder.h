#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace panel_emulator {

// Recovers the ninth bit from a serial line read with SPACE stick parity, parity checking and parity
// marking on (INPCK | PARMRK, IGNPAR off): a character whose parity bit was 1 (MARK) fails the check and
// arrives as 0xFF 0x00 c; a plain 0xFF arrives doubled, 0xFF 0xFF; a break arrives as 0xFF 0x00 0x00 and
// is taken as a character 0 with the ninth bit. Sequences may be split across reads.
class SerialParityDecoder
{
public:
    // Characters with bit 8 set for a MARK parity bit.
    std::vector<uint16_t> decode(const uint8_t* data, std::size_t count);

private:
    enum class State
    {
        Plain,
        AfterEscape,
        AfterMark
    };

    State state = State::Plain;
};

} // namespace panel_emulator
