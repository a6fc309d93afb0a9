#pragma once

#include "panel_emulator/SimulatedClock.h"
#include "rs485/SerialPort.h"

#include <deque>
#include <memory>
#include <string>

namespace panel_emulator {

class PanelEmulator;

// An in-process serial port wired to an emulated panel, running in simulated time. Characters written
// reach the panel with the ninth bit that the parity carries, one every 11 bits at the host's rate,
// and only while the host's rate equals the panel's; answer characters arrive at the panel's rate at
// the time it answered and are lost when the host reads at another rate. A read waits virtually: it
// advances the clock to the arrival of the last character it returns, or by the whole time-out when
// too few arrive. Once the panel has dropped the link every call fails, as with an unplugged converter.
// The panel must outlive the port.
class EmulatedPort : public rs485::SerialPort
{
public:
    static constexpr const char* defaultName = "emulated-panel";

    EmulatedPort(PanelEmulator& panel, std::shared_ptr<SimulatedClock> clock);

    bool open(const std::string& name) override;
    bool isOpen() const override { return opened; }
    bool close() override;
    bool applyLineSettings(const rs485::LineSettings& settings) override;
    bool readLineSettings(rs485::LineSettings& settings) override;
    void setReadTimeout(uint32_t milliseconds) override { readTimeout = milliseconds; }
    long write(const uint8_t* data, std::size_t count) override;
    bool drain() override;
    long read(uint8_t* buffer, std::size_t count) override;
    bool purge(bool transmit, bool receive) override;

    // A sleep that only advances the simulated clock.
    static rs485::SleepFunction sleepFunction(std::shared_ptr<SimulatedClock> clock);
    // Creates an EmulatedPort bound to the panel for `portName`; other names go to `otherPorts`, or,
    // without it, get a port that cannot be opened.
    static rs485::PortFactory factory(PanelEmulator& panel, std::shared_ptr<SimulatedClock> clock,
                                      const std::string& portName = defaultName,
                                      rs485::PortFactory otherPorts = nullptr);

    // Time of one 11-bit character at a rate, in milliseconds.
    static double characterTime(uint32_t baudRate) { return 11000.0 / baudRate; }

private:
    struct IncomingByte
    {
        uint8_t value;
        uint32_t baudRate;
        double arrival;
    };

    bool usable() const;
    void transmit(uint8_t byte);
    void queueAnswer(const std::vector<uint8_t>& answer, uint32_t panelRate);

    PanelEmulator* panel;
    std::shared_ptr<SimulatedClock> clock;
    rs485::LineSettings line;
    uint32_t readTimeout = 0;
    bool opened = false;
    double hostLineFreeAt = 0;
    double panelLineFreeAt = 0;
    std::deque<IncomingByte> incoming;
};

} // namespace panel_emulator
