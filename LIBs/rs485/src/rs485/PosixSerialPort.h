#pragma once

#include "rs485/KernelTermios.h"
#include "rs485/SerialPort.h"

namespace rs485 {

// A serial device of a POSIX system (Linux): real USB-RS485 converters and pseudo-terminals. Opened
// exclusively and non-blocking; every wait is a poll() against a deadline of the monotonic clock.
class PosixSerialPort : public SerialPort
{
public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;

    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool open(const std::string& name) override;
    OpenFailure openFailure() const override { return failure; }
    bool isOpen() const override { return fd >= 0; }
    bool close() override;

    bool applyLineSettings(const LineSettings& settings) override;
    bool readLineSettings(LineSettings& settings) override;

    void setReadTimeout(uint32_t milliseconds) override { readTimeout = milliseconds; }

    long write(const uint8_t* data, std::size_t count) override;
    bool drain() override;
    long read(uint8_t* buffer, std::size_t count) override;
    bool purge(bool transmit, bool receive) override;

private:
    bool openDescriptor(const std::string& name);
    bool heldExclusivelyByAnother() const;
    bool lockExclusively();
    void fail(OpenFailure cause, const std::string& name);
    void requestLowLatency();
    bool lineMatches(const LineSettings& wanted) const;
    // How long a write may wait for room in the driver's buffer before the device counts as failed.
    int writeAllowanceMilliseconds(std::size_t count) const;
    void releaseDescriptor();

    int fd = -1;
    bool pseudoTerminal = false;
    uint32_t readTimeout = 0;
    uint32_t baudRate = 19200;
    KernelTermios savedTermios;
    OpenFailure failure;
};

} // namespace rs485
