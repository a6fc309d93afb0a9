#pragma once

#include <functional>
#include <string>
#include <vector>

// Where the connection dialog takes its port lists from: all serial ports and the ports of FTDI
// USB-RS485 converters, each sorted. Tests pass fixed lists; the emulator adds its own port.
struct PortLister
{
    using List = std::function<std::vector<std::string>()>;

    List serialPorts;
    List ftdiPorts;

    // The ports of this computer.
    static PortLister system();
};
