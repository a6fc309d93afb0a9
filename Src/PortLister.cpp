#include "PortLister.h"

#include "rs485/RS485Connection.h"
#include "rs485/SysfsPortLister.h"

PortLister PortLister::system()
{
    return PortLister{[] { return rs485::RS485Connection::serialPorts(); },
                      [] { return rs485::RS485Connection::ftdiPorts(); },
                      [] { return rs485::SysfsPortLister("/sys").describedPorts(); }};
}
