#pragma once

#include "rs485/OpenFailure.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace rs485 {

// The parity bit carries the bus's ninth bit: MARK sends 1, SPACE sends 0.
enum class Parity
{
    Space,
    Mark
};

struct LineSettings
{
    uint32_t baudRate = 19200;
    Parity parity = Parity::Space;
};

// The one narrow seam between the link and the operating system. Backends: the POSIX serial port
// (real converters and pseudo-terminals), and in-process emulated ports for tests. Nothing above the
// link knows which one it talks to.
class SerialPort
{
public:
    virtual ~SerialPort() = default;

    // Opens the named device exclusively for reading and writing, in raw mode: 8 data bits, 1 stop bit,
    // parity as the ninth bit, no flow control, no parity check on input.
    virtual bool open(const std::string& name) = 0;
    // Why the last open() failed; backends that cannot tell say Other.
    virtual OpenFailure openFailure() const { return OpenFailure::other({}); }
    virtual bool isOpen() const = 0;
    virtual bool close() = 0;

    virtual bool applyLineSettings(const LineSettings& settings) = 0;
    virtual bool readLineSettings(LineSettings& settings) = 0;

    // Total time-out of every following read; 0 makes a read return at once with what has arrived.
    virtual void setReadTimeout(uint32_t milliseconds) = 0;

    // Writes all bytes; returns the number written, or -1 when the device fails.
    virtual long write(const uint8_t* data, std::size_t count) = 0;
    // Waits until the driver has handed everything written to the device.
    virtual bool drain() = 0;
    // Reads up to count bytes, returning when count bytes arrived or the read time-out has run out
    // (counted from the call). Returns the number read (0 on time-out), or -1 when the device fails.
    virtual long read(uint8_t* buffer, std::size_t count) = 0;
    // Drops pending transmit and/or receive data.
    virtual bool purge(bool transmit, bool receive) = 0;
};

// Creates the port backend for a port name; the default creates a POSIX serial port for any name.
using PortFactory = std::function<std::unique_ptr<SerialPort>(const std::string& name)>;
// Sleeps for the given number of milliseconds; tests pass one that only records or advances simulated time.
using SleepFunction = std::function<void(uint32_t milliseconds)>;

PortFactory posixPortFactory();
SleepFunction realSleep();

} // namespace rs485
