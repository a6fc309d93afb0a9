#pragma once

#include "rs485/PortAccess.h"
#include "rs485/PortDescription.h"
#include "rs485/ProcessTable.h"

#include <optional>
#include <string>
#include <vector>

namespace config_zelmar {

// What the machine tells about a port and the user who wants it: the facts behind the connection check
// and behind the remedy an open failure names. The system implementation asks sysfs, /dev, /proc and
// the udev rule folders; tests and the emulated panel answer for themselves.
class PortEnvironment
{
public:
    virtual ~PortEnvironment() = default;

    virtual rs485::PortAccess access(const std::string& port) const = 0;
    // Other processes that have the port open.
    virtual std::vector<rs485::ProcessEntry> holders(const std::string& port) const = 0;
    // What sysfs tells of the port; none for a port sysfs does not know (a pseudo-terminal).
    virtual std::optional<rs485::PortDescription> description(const std::string& port) const = 0;
    // The FTDI driver's latency timer in milliseconds; none for other ports.
    virtual std::optional<int> latencyTimer(const std::string& port) const = 0;
    virtual bool modemManagerRunning() const = 0;
    // The configurator's udev rule for FTDI converters is installed.
    virtual bool udevRuleInstalled() const = 0;
    virtual std::string userName() const = 0;

    bool isFtdiConverter(const std::string& port) const
    {
        const std::optional<rs485::PortDescription> described = description(port);
        return described && described->isFtdiConverter();
    }
};

} // namespace config_zelmar
