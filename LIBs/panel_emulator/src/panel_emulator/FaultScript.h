#pragma once

#include "panel_emulator/PanelFaults.h"

#include <string>

namespace panel_emulator {

// Reads a fault script for the emulated panel: items separated by commas, semicolons or white space,
// each one of
//   silent:N          the next N commands get no answer
//   bad-crc:N         the next N answers carry a damaged CRC
//   status:S:N        the next N commands are answered with status S (0xA1, 161, ...) only
//   truncate:N        the next N answers lose their last character
//   stuck             the loader swallows characters until 261 zero bytes in a row arrive
//   drop-after:N      the link drops after N more answered commands
//   drop-at-page:P    the link drops when the P-th page read or write arrives
//   flash:N           the next N page writes are acknowledged but stored with one byte changed
//   flash:always      every page write is stored so
// Numbers are decimal or 0x-prefixed hexadecimal. An empty script means no faults.
class FaultScript
{
public:
    // Throws std::invalid_argument naming the offending item.
    static PanelFaults parse(const std::string& script);
};

} // namespace panel_emulator
