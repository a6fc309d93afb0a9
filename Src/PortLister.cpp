#include "PortLister.h"

#include "rs485/RS485Connection.h"

PortLister PortLister::system()
{
    return PortLister{[] { return rs485::RS485Connection::serialPorts(); },
                      [] { return rs485::RS485Connection::ftdiPorts(); }};
}
