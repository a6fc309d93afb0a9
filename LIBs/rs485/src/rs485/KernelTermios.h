#pragma once

#include <array>
#include <cstdint>

namespace rs485 {

// What the kernel reports of a port's line: the rate and the parity flags that carry the ninth bit.
struct KernelLineState
{
    uint32_t outputBaudRate = 0;
    uint32_t inputBaudRate = 0;
    bool parityEnabled = false; // PARENB
    bool stickParity = false;   // CMSPAR
    bool oddParity = false;     // PARODD: with stick parity, MARK
    bool eightDataBits = false;
};

// The termios2 side of the POSIX serial port. The kernel's termios2 structure (the only way to set an
// arbitrary rate such as 345600 baud with BOTHER) lives in <asm/termbits.h>, which redefines the C
// library's struct termios; the two headers cannot meet in one translation unit. These functions are
// therefore the only code that includes the kernel header, and their interface uses no termios type.
class KernelTermios
{
public:
    // Reads the port's settings to restore them at close; false when the file is not a terminal.
    bool save(int fd);
    bool restore(int fd) const;
    bool isSaved() const { return saved; }

    // Raw 8-bit line, stick parity as the ninth bit, no flow control, no parity check, VMIN = VTIME = 0,
    // any rate through BOTHER.
    static bool applyRawLine(int fd, uint32_t baudRate, bool markParity);
    static bool readLineState(int fd, KernelLineState& state);

private:
    // Room for the kernel's struct termios2, which this header must not name.
    alignas(8) std::array<unsigned char, 64> storage{};
    bool saved = false;
};

} // namespace rs485
