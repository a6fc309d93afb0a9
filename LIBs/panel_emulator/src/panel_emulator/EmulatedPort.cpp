#include "panel_emulator/EmulatedPort.h"

#include "panel_emulator/PanelEmulator.h"

#include <algorithm>

namespace panel_emulator {

namespace {

// A port for names that nothing serves: it never opens.
class AbsentPort : public rs485::SerialPort
{
public:
    bool open(const std::string&) override { return false; }
    bool isOpen() const override { return false; }
    bool close() override { return false; }
    bool applyLineSettings(const rs485::LineSettings&) override { return false; }
    bool readLineSettings(rs485::LineSettings&) override { return false; }
    void setReadTimeout(uint32_t) override {}
    long write(const uint8_t*, std::size_t) override { return -1; }
    bool drain() override { return false; }
    long read(uint8_t*, std::size_t) override { return -1; }
    bool purge(bool, bool) override { return false; }
};

} // namespace

EmulatedPort::EmulatedPort(PanelEmulator& panel, std::shared_ptr<SimulatedClock> clock)
    : panel(&panel), clock(std::move(clock))
{}

bool EmulatedPort::usable() const
{
    return opened && !panel->linkDropped();
}

bool EmulatedPort::open(const std::string&)
{
    if (panel->linkDropped()) {
        return false;
    }
    opened = true;
    incoming.clear();
    return true;
}

bool EmulatedPort::close()
{
    if (!opened) {
        return false;
    }
    opened = false;
    incoming.clear();
    return true;
}

bool EmulatedPort::applyLineSettings(const rs485::LineSettings& settings)
{
    if (!usable()) {
        return false;
    }
    line = settings;
    return true;
}

bool EmulatedPort::readLineSettings(rs485::LineSettings& settings)
{
    if (!usable()) {
        return false;
    }
    settings = line;
    return true;
}

long EmulatedPort::write(const uint8_t* data, std::size_t count)
{
    for (std::size_t index = 0; index < count; ++index) {
        if (!usable()) {
            return -1;
        }
        transmit(data[index]);
    }
    return usable() ? static_cast<long>(count) : -1;
}

void EmulatedPort::transmit(uint8_t byte)
{
    hostLineFreeAt = std::max(hostLineFreeAt, clock->now()) + characterTime(line.baudRate);
    if (line.baudRate != panel->baudRate()) {
        panel->noteLostCharacter();
        return;
    }
    const uint32_t panelRate = panel->baudRate(); // an answer goes out at the rate the command came in
    const uint16_t ninthBit = line.parity == rs485::Parity::Mark ? 0x100 : 0;
    queueAnswer(panel->receive(static_cast<uint16_t>(byte | ninthBit)), panelRate);
}

void EmulatedPort::queueAnswer(const std::vector<uint8_t>& answer, uint32_t panelRate)
{
    double arrival = std::max(hostLineFreeAt, panelLineFreeAt);
    for (uint8_t byte : answer) {
        arrival += characterTime(panelRate);
        incoming.push_back({byte, panelRate, arrival});
    }
    panelLineFreeAt = arrival;
}

bool EmulatedPort::drain()
{
    return usable();
}

long EmulatedPort::read(uint8_t* buffer, std::size_t count)
{
    if (!usable()) {
        return -1;
    }
    const double deadline = clock->now() + readTimeout;
    std::size_t received = 0;
    double lastArrival = clock->now();
    while (received < count && !incoming.empty()) {
        const IncomingByte& next = incoming.front();
        if (next.baudRate == line.baudRate) {
            if (next.arrival > deadline) {
                break;
            }
            buffer[received++] = next.value;
            lastArrival = std::max(lastArrival, next.arrival);
        }
        incoming.pop_front(); // a character at another rate arrives garbled: the host gets nothing
    }
    clock->advanceTo(received == count ? lastArrival : deadline);
    return static_cast<long>(received);
}

bool EmulatedPort::purge(bool, bool receive)
{
    if (!usable()) {
        return false;
    }
    if (receive) {
        incoming.clear();
    }
    return true;
}

rs485::SleepFunction EmulatedPort::sleepFunction(std::shared_ptr<SimulatedClock> clock)
{
    return [clock](uint32_t milliseconds) { clock->advance(milliseconds); };
}

rs485::PortFactory EmulatedPort::factory(PanelEmulator& panel, std::shared_ptr<SimulatedClock> clock,
                                         const std::string& portName, rs485::PortFactory otherPorts)
{
    return
        [&panel, clock, portName, otherPorts](const std::string& name) -> std::unique_ptr<rs485::SerialPort> {
            if (name == portName) {
                return std::make_unique<EmulatedPort>(panel, clock);
            }
            if (otherPorts) {
                return otherPorts(name);
            }
            return std::make_unique<AbsentPort>();
        };
}

} // namespace panel_emulator
