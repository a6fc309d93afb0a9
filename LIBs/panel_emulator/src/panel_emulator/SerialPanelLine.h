#pragma once

#include <cstdint>

namespace panel_emulator {

// The termios2 settings of the emulator's own serial port: raw 8-bit line at any rate (BOTHER), SPACE
// stick parity with parity checking and marking on, so that MARK characters arrive marked (see
// SerialParityDecoder). The only file that includes the kernel's termios header, which clashes with the
// C library's.
class SerialPanelLine
{
public:
    static bool configure(int fd, uint32_t baudRate);
};

} // namespace panel_emulator
