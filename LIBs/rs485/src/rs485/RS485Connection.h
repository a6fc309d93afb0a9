#pragma once

#include "rs485/SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rs485 {

// The serial port of the USB-RS485 converter: open at a baud rate, read and write raw bytes with a read
// time-out, switch the parity between MARK and SPACE to carry the ninth bit, change the baud rate.
class RS485Connection
{
public:
    // Real serial ports and real sleeping.
    RS485Connection();
    RS485Connection(PortFactory portFactory, SleepFunction sleep);
    virtual ~RS485Connection();

    RS485Connection(const RS485Connection&) = delete;
    RS485Connection& operator=(const RS485Connection&) = delete;

    bool open(const std::string& portName, uint32_t baudRate);
    // Why the last open() failed; cause None after a successful one.
    const OpenFailure& lastOpenFailure() const;
    bool close();
    bool isOpen() const;

    void setTimeout(uint32_t milliseconds);
    uint32_t timeout() const;

    // False when the port is closed or refused the rate; the line then keeps its old rate.
    bool setBaudRate(uint32_t baudRate);
    // Time of one 11-bit character on the wire, 11000 / baud; 0 before the first open.
    float millisecondsPerCharacter() const;

    // Throw DisconnectException when the port fails.
    std::size_t write(const uint8_t* data, std::size_t count);
    std::size_t read(uint8_t* buffer, std::size_t count);

    void setNinthBit(bool value);
    bool ninthBit() const;

    // Sorted device paths (such as /dev/ttyUSB0) read from sysfs under the given root.
    static std::vector<std::string> ftdiPorts(const std::string& sysfsRoot = "/sys");
    static std::vector<std::string> serialPorts(const std::string& sysfsRoot = "/sys");

private:
    struct State;
    std::unique_ptr<State> state;
};

} // namespace rs485
