#pragma once

#include "rs485/PortDescription.h"

#include <functional>
#include <string>
#include <vector>

// Where the connection dialogs take their port lists from: all serial ports and the ports of FTDI
// USB-RS485 converters, each sorted, and what sysfs tells of the ports. Tests pass fixed lists; the
// emulator adds its own port.
struct PortLister
{
    using List = std::function<std::vector<std::string>()>;
    using Descriptions = std::function<std::vector<rs485::PortDescription>()>;

    List serialPorts;
    List ftdiPorts;
    // May be empty: the ports are then shown by their paths alone.
    Descriptions descriptions = nullptr;

    // The ports of this computer.
    static PortLister system();
};
