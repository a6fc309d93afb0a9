#pragma once

#include "config_zelmar/PortEnvironment.h"

namespace config_zelmar::testing {

// Port facts as the test sets them: by default a port that exists, may be opened, is free and is no
// FTDI converter, on a machine without ModemManager and without the configurator's udev rule.
struct FakePortEnvironment : PortEnvironment
{
    rs485::PortAccess portAccess{true, true, true, "tech", "dialout", "crw-rw----", true};
    std::vector<rs485::ProcessEntry> portHolders;
    std::optional<rs485::PortDescription> portDescription;
    std::optional<int> latency;
    bool modemManager = false;
    bool udevRule = false;
    std::string user = "tech";

    rs485::PortAccess access(const std::string&) const override { return portAccess; }
    std::vector<rs485::ProcessEntry> holders(const std::string&) const override { return portHolders; }
    std::optional<rs485::PortDescription> description(const std::string&) const override
    {
        return portDescription;
    }
    std::optional<int> latencyTimer(const std::string&) const override { return latency; }
    bool modemManagerRunning() const override { return modemManager; }
    bool udevRuleInstalled() const override { return udevRule; }
    std::string userName() const override { return user; }

    // Makes the port an FTDI converter as sysfs would describe it.
    void describeFtdi(const std::string& path)
    {
        portDescription =
            rs485::PortDescription{path,
                                   "FT232R USB UART",
                                   "FTDI",
                                   "A50285BI",
                                   "0403",
                                   "6001",
                                   "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"};
    }
};

} // namespace config_zelmar::testing
