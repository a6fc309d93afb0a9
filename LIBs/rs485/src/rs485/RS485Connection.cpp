#include "rs485/RS485Connection.h"

#include "rs485/DisconnectException.h"
#include "rs485/SysfsPortLister.h"
#include "rs485/TrafficTrace.h"

#include <utility>

namespace rs485 {

namespace {

// One character on the wire: start bit, 8 data bits, parity (the ninth bit), stop bit.
constexpr float bitsPerCharacter = 11.0f;
constexpr float millisecondsPerSecond = 1000.0f;
// Guard after the drain: the converter's FIFO still holds the last characters when the driver is done.
constexpr float postTransmitGuardMilliseconds = 10.0f;
constexpr uint32_t defaultReadTimeoutMilliseconds = 200;

float characterMilliseconds(uint32_t baudRate)
{
    return bitsPerCharacter * millisecondsPerSecond / static_cast<float>(baudRate);
}

Parity parityOf(bool ninthBit)
{
    return ninthBit ? Parity::Mark : Parity::Space;
}

} // namespace

struct RS485Connection::State
{
    PortFactory portFactory;
    SleepFunction sleep;
    std::unique_ptr<SerialPort> port;
    uint32_t readTimeout = defaultReadTimeoutMilliseconds;
    float millisecondsPerCharacter = 0.0f;
    bool ninthBit = false;
    OpenFailure openFailure;
};

RS485Connection::RS485Connection() : RS485Connection(posixPortFactory(), realSleep()) {}

RS485Connection::RS485Connection(PortFactory portFactory, SleepFunction sleep)
    : state(std::make_unique<State>())
{
    state->portFactory = std::move(portFactory);
    state->sleep = std::move(sleep);
}

RS485Connection::~RS485Connection()
{
    if (isOpen()) {
        state->port->close();
    }
}

bool RS485Connection::open(const std::string& portName, uint32_t baudRate)
{
    state->openFailure = OpenFailure();
    if (baudRate == 0) {
        state->openFailure = OpenFailure::rateRefused(baudRate);
        return false; // no character time exists at 0 baud
    }
    if (isOpen()) {
        close(); // never leak a port that is already open
    }
    std::unique_ptr<SerialPort> port = state->portFactory ? state->portFactory(portName) : nullptr;
    if (!port) {
        state->openFailure = OpenFailure::other("no port backend for " + portName);
        return false;
    }
    if (!port->open(portName)) {
        state->openFailure = port->openFailure();
        if (!state->openFailure.failed()) {
            state->openFailure = OpenFailure::other({});
        }
        return false;
    }
    // The line follows the ninth-bit flag, so the next setNinthBit() cannot skip a needed switch.
    if (!port->applyLineSettings(LineSettings{baudRate, parityOf(state->ninthBit)})) {
        port->close();
        state->openFailure = OpenFailure::rateRefused(baudRate);
        return false;
    }
    port->setReadTimeout(state->readTimeout);
    port->purge(true, true);
    state->port = std::move(port);
    state->millisecondsPerCharacter = characterMilliseconds(baudRate);
    return true;
}

const OpenFailure& RS485Connection::lastOpenFailure() const
{
    return state->openFailure;
}

bool RS485Connection::close()
{
    if (!isOpen()) {
        return false;
    }
    const bool closed = state->port->close();
    // A failed close still releases the device on Linux: the object is closed either way.
    state->port.reset();
    state->ninthBit = false;
    return closed;
}

bool RS485Connection::isOpen() const
{
    return state->port && state->port->isOpen();
}

void RS485Connection::setTimeout(uint32_t milliseconds)
{
    state->readTimeout = milliseconds;
    if (isOpen()) {
        state->port->setReadTimeout(milliseconds);
    }
}

uint32_t RS485Connection::timeout() const
{
    return state->readTimeout;
}

bool RS485Connection::setBaudRate(uint32_t baudRate)
{
    LineSettings settings;
    if (!isOpen() || baudRate == 0 || !state->port->readLineSettings(settings)) {
        return false;
    }
    settings.baudRate = baudRate;
    // The character time follows the rate the port really runs at.
    if (!state->port->applyLineSettings(settings)) {
        return false;
    }
    state->millisecondsPerCharacter = characterMilliseconds(baudRate);
    return true;
}

float RS485Connection::millisecondsPerCharacter() const
{
    return state->millisecondsPerCharacter;
}

std::size_t RS485Connection::write(const uint8_t* data, std::size_t count)
{
    if (!isOpen()) {
        return 0;
    }
    // Whatever is read after this write answers this write.
    state->port->purge(false, true);
    const long written = state->port->write(data, count);
    if (written < 0) {
        throw DisconnectException();
    }
    traceWrite(state->ninthBit, data, static_cast<std::size_t>(written));
    if (!state->port->drain()) {
        throw DisconnectException();
    }
    // The last character must have left the converter before the parity changes or a reply is awaited.
    const float delay =
        static_cast<float>(count) * state->millisecondsPerCharacter + postTransmitGuardMilliseconds;
    state->sleep(static_cast<uint32_t>(delay));
    return static_cast<std::size_t>(written);
}

std::size_t RS485Connection::read(uint8_t* buffer, std::size_t count)
{
    if (!isOpen() || count == 0) {
        return 0;
    }
    std::size_t total = 0;
    while (total < count) {
        const long received = state->port->read(buffer + total, count - total);
        if (received < 0) {
            throw DisconnectException();
        }
        if (received == 0) {
            break; // time-out
        }
        total += static_cast<std::size_t>(received);
    }
    traceRead(state->ninthBit, buffer, total, count);
    return total;
}

void RS485Connection::setNinthBit(bool value)
{
    if (value == state->ninthBit) {
        return;
    }
    if (isOpen()) {
        LineSettings settings;
        // Carrying on under the old parity would put wrong address bits on the bus.
        if (!state->port->readLineSettings(settings)) {
            throw DisconnectException();
        }
        if (settings.parity != parityOf(value)) {
            settings.parity = parityOf(value);
            if (!state->port->applyLineSettings(settings)) {
                throw DisconnectException();
            }
        }
    }
    state->ninthBit = value;
}

bool RS485Connection::ninthBit() const
{
    return state->ninthBit;
}

std::vector<std::string> RS485Connection::ftdiPorts(const std::string& sysfsRoot)
{
    return SysfsPortLister(sysfsRoot).ftdiPorts();
}

std::vector<std::string> RS485Connection::serialPorts(const std::string& sysfsRoot)
{
    return SysfsPortLister(sysfsRoot).serialPorts();
}

} // namespace rs485
