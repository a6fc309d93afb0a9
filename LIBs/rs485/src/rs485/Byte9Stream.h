#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace rs485 {

class RS485Connection;

// A nine-bit character: bits 0-7 data, bit 8 the ninth (address) bit.
using Char9 = uint16_t;

// Writes nine-bit characters as runs of equal ninth bit, one parity switch and one write per run;
// reads bytes with the ninth bit 0.
class Byte9Stream
{
public:
    explicit Byte9Stream(RS485Connection& connection);
    virtual ~Byte9Stream();

    Byte9Stream& operator<<(Char9 character);
    Byte9Stream& operator<<(const std::vector<Char9>& characters);
    Byte9Stream& operator<<(const std::vector<uint8_t>& bytes);

    // Throw ReceiveTimeoutException when too few bytes arrive; the array forms shrink to what arrived.
    Byte9Stream& operator>>(uint8_t& byte);
    Byte9Stream& operator>>(Char9& character);
    Byte9Stream& operator>>(std::vector<uint8_t>& bytes);
    Byte9Stream& operator>>(std::vector<Char9>& characters);

    RS485Connection& connection() const { return *link; }

private:
    void append(Char9 character);
    void flush();

    RS485Connection* link;
    std::array<uint8_t, 512> output{};
    int pending = 0;
    std::vector<uint8_t> receiveScratch;
    bool runNinthBit = false;
};

} // namespace rs485
