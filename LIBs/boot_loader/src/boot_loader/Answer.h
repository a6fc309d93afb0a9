#pragma once

#include "rs485/AbstractFrame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rs485 {
class Byte9Stream;
}

namespace boot_loader {

// An answer of the panel's loader: a status byte, the payload (successful answers only), then the
// CRC-16 low byte first. An error answer is always three characters long.
class Answer : public rs485::AbstractFrame
{
public:
    enum Status : uint8_t
    {
        Success = 0xA0,
        BadCommandChecksum = 0xA1,
        BadAddress = 0xA2,
        InternalError = 0xA3
    };

    // An answer awaited with the size of a successful one: payload length + 3 characters, all 0.
    explicit Answer(std::size_t expectedSize);
    // An answer made of the given characters, expected with exactly that size.
    explicit Answer(std::vector<uint16_t> received);

    std::size_t expectedSize() const { return expected; }

    // The bytes of an answer as the panel sends them: status, payload, CRC low byte, CRC high byte.
    static std::vector<uint8_t> frameBytes(uint8_t status, const std::vector<uint8_t>& payload = {});

    // Throws BootloaderException unless this is an intact success answer of the expected size.
    void check() const;
    // The characters between the status and the CRC, as bytes; empty for three characters or fewer.
    std::vector<uint8_t> payload() const;
    // Characters 1-4 as a little-endian number when the answer has exactly 7 characters, otherwise 0.
    uint32_t uint32Value() const;

private:
    std::size_t expected;
};

// Reads an answer whose current size is the expected success size. An answer that the time-out cuts
// short, or silence, empties it, so that the check reports no answer (code 1).
// rs485::DisconnectException passes through.
rs485::Byte9Stream& operator>>(rs485::Byte9Stream& stream, Answer& answer);

} // namespace boot_loader
