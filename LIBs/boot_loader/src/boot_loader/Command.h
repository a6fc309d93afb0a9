#pragma once

#include "rs485/AbstractFrame.h"

#include <cstdint>

namespace boot_loader {

class MemoryPage;

// A command frame of the panel's loader: the code with the ninth bit set, its parameters, then the
// CRC-16 low byte first. Addresses travel as three characters, least significant first; bit 7 of the
// third one selects memory space 1.
class Command : public rs485::AbstractFrame
{
public:
    enum Code : uint8_t
    {
        Identify = 0xF1,
        ReadPage = 0xF2,
        WritePage = 0xF3,
        Finish = 0xF4,
        SetSpeed = 0xF5,
        Checksum = 0xF6
    };

    static Command identify();
    static Command readPage(int32_t space, uint32_t address);
    static Command writePage(const MemoryPage& page);
    static Command finish();
    static Command setSpeed(uint8_t divisor);
    static Command checksum(int32_t space, uint32_t address, uint16_t length);

    // The third address character: address bits 16-22 and the memory-space bit.
    static uint8_t addressHighCharacter(int32_t space, uint32_t address);

private:
    explicit Command(uint8_t code);
    void addAddress(int32_t space, uint32_t address);
    void addByte(uint8_t byte);
    void addCrc();
};

} // namespace boot_loader
