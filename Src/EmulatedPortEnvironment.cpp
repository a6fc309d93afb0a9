#include "EmulatedPortEnvironment.h"

#include <utility>

EmulatedPortEnvironment::EmulatedPortEnvironment(
    std::string emulatedPort, std::shared_ptr<const config_zelmar::PortEnvironment> machine)
    : emulatedPort(std::move(emulatedPort)), machine(std::move(machine))
{}

rs485::PortAccess EmulatedPortEnvironment::access(const std::string& port) const
{
    if (port != emulatedPort) {
        return machine->access(port);
    }
    rs485::PortAccess access;
    access.exists = true;
    access.characterDevice = true;
    access.mayOpen = true;
    access.userInGroup = true;
    return access;
}

std::vector<rs485::ProcessEntry> EmulatedPortEnvironment::holders(const std::string& port) const
{
    return port == emulatedPort ? std::vector<rs485::ProcessEntry>() : machine->holders(port);
}

std::optional<rs485::PortDescription> EmulatedPortEnvironment::description(const std::string& port) const
{
    if (port != emulatedPort) {
        return machine->description(port);
    }
    rs485::PortDescription emulated;
    emulated.path = port;
    emulated.product = "прибор, эмулируемый программой";
    return emulated;
}

std::optional<int> EmulatedPortEnvironment::latencyTimer(const std::string& port) const
{
    return port == emulatedPort ? std::nullopt : machine->latencyTimer(port);
}

bool EmulatedPortEnvironment::modemManagerRunning() const
{
    return machine->modemManagerRunning();
}

bool EmulatedPortEnvironment::udevRuleInstalled() const
{
    return machine->udevRuleInstalled();
}

std::string EmulatedPortEnvironment::userName() const
{
    return machine->userName();
}
