#pragma once

#include <functional>
#include <string>

namespace rs485 {

// Trace of the serial traffic for support: one line per write and per read, with a millisecond time
// stamp, the direction, the parity and the bytes in hex. Off while no sink is installed.
using TraceSink = std::function<void(const std::string& line)>;

void setTrafficTraceSink(TraceSink sink);
bool trafficTraceEnabled();
void traceTraffic(const std::string& line);

} // namespace rs485
