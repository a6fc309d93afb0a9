#include "panel_emulator/SerialParityDecoder.h"

namespace panel_emulator {

namespace {

constexpr uint8_t escape = 0xFF;
constexpr uint16_t ninthBit = 0x100;

} // namespace

std::vector<uint16_t> SerialParityDecoder::decode(const uint8_t* data, std::size_t count)
{
    std::vector<uint16_t> characters;
    characters.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        const uint8_t byte = data[index];
        switch (state) {
        case State::Plain:
            if (byte == escape) {
                state = State::AfterEscape;
            } else {
                characters.push_back(byte);
            }
            break;
        case State::AfterEscape:
            if (byte == escape) {
                characters.push_back(escape);
                state = State::Plain;
            } else {
                state = State::AfterMark; // 0xFF 0x00: the next byte failed the parity check
            }
            break;
        case State::AfterMark:
            characters.push_back(static_cast<uint16_t>(byte | ninthBit));
            state = State::Plain;
            break;
        }
    }
    return characters;
}

} // namespace panel_emulator
