#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace rs485 {

// Trace of the serial traffic for support: one line per write and per read, with a millisecond time
// stamp, the direction, the parity and the bytes in hex. Off while no sink is installed.
using TraceSink = std::function<void(const std::string& line)>;

void setTrafficTraceSink(TraceSink sink);
bool trafficTraceEnabled();
void traceTraffic(const std::string& line);

// "12:34:56.789 TX MARK  F1" — formatted only while a sink is installed.
void traceWrite(bool ninthBit, const uint8_t* data, std::size_t count);
// "12:34:56.790 RX SPACE 06 A0 (2 of 5)" — the count in brackets only when fewer bytes arrived than wanted.
void traceRead(bool ninthBit, const uint8_t* data, std::size_t received, std::size_t wanted);

} // namespace rs485
