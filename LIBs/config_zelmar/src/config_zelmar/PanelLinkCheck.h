#pragma once

#include "boot_loader/BootloaderInfo.h"
#include "rs485/OpenFailure.h"
#include "rs485/SerialPort.h"

#include <functional>
#include <memory>
#include <string>

namespace config_zelmar {

// Milliseconds on a clock that never goes back.
using MonotonicClock = std::function<double()>;
MonotonicClock steadyClock();

// The panel side of the connection check: the steps of a transfer taken one at a time, so that each can
// be reported on its own. Identifies the panel at 19200 baud, times one read of the option page, and
// switches to the raised speed and back. Uses the loader protocol over its own connection, through the
// same port and sleep seams as the transfer. Every step throws ConfiguratorError.
class PanelLinkCheck
{
public:
    // Real serial ports, real sleeping, the steady clock.
    PanelLinkCheck();
    PanelLinkCheck(rs485::PortFactory portFactory, rs485::SleepFunction sleep, MonotonicClock clock);
    virtual ~PanelLinkCheck();

    PanelLinkCheck(const PanelLinkCheck&) = delete;
    PanelLinkCheck& operator=(const PanelLinkCheck&) = delete;

    // Opens the port at 19200 baud; false with lastOpenFailure() when it cannot be opened.
    bool open(const std::string& port);
    const rs485::OpenFailure& lastOpenFailure() const;
    void close();

    // Identifies the panel afresh. A panel the configurator cannot set up is refused (codes 3 and 4)
    // after its identification was kept for lastIdentification().
    const boot_loader::BootloaderInfo& identify();
    const boot_loader::BootloaderInfo& lastIdentification() const;
    // Milliseconds from sending the read of the option page to the end of its answer, at the current rate.
    double timePageRead();
    // Panel first, then the host, as a transfer does; a host that refuses the rate is code 0.
    void raiseSpeed();
    // Back to 19200 baud on both sides, confirmed by a new identification at that rate.
    void lowerSpeed();
    // After a failure at the raised rate: tells the panel to return from either rate and leaves the host
    // at 19200 baud. Never throws.
    void abandonRaisedSpeed() noexcept;

private:
    struct Parts;
    std::unique_ptr<Parts> parts;
};

} // namespace config_zelmar
