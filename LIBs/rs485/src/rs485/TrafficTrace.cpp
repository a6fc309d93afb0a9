#include "rs485/TrafficTrace.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <utility>

namespace rs485 {

namespace {

TraceSink& installedSink()
{
    static TraceSink sink;
    return sink;
}

std::string timeStamp()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto milliseconds = duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(milliseconds));
    return text;
}

std::string transferLine(const char* direction, bool ninthBit, const uint8_t* data, std::size_t count)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string line = timeStamp() + ' ' + direction + (ninthBit ? " MARK " : " SPACE");
    line.reserve(line.size() + 3 * count + 16);
    for (std::size_t i = 0; i < count; ++i) {
        line += ' ';
        line += digits[data[i] >> 4];
        line += digits[data[i] & 0x0F];
    }
    return line;
}

} // namespace

void setTrafficTraceSink(TraceSink sink)
{
    installedSink() = std::move(sink);
}

bool trafficTraceEnabled()
{
    return static_cast<bool>(installedSink());
}

void traceTraffic(const std::string& line)
{
    if (trafficTraceEnabled()) {
        installedSink()(line);
    }
}

void traceWrite(bool ninthBit, const uint8_t* data, std::size_t count)
{
    if (trafficTraceEnabled()) {
        traceTraffic(transferLine("TX", ninthBit, data, count));
    }
}

void traceRead(bool ninthBit, const uint8_t* data, std::size_t received, std::size_t wanted)
{
    if (!trafficTraceEnabled()) {
        return;
    }
    std::string line = transferLine("RX", ninthBit, data, received);
    if (received < wanted) {
        line += " (" + std::to_string(received) + " of " + std::to_string(wanted) + ")";
    }
    traceTraffic(line);
}

} // namespace rs485
