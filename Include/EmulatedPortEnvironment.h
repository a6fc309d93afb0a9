#pragma once

#include "config_zelmar/PortEnvironment.h"

#include <memory>
#include <string>

// The port facts with the emulated panel's port added: it exists, may be opened and is held by nobody;
// every other port is asked of the machine.
class EmulatedPortEnvironment : public config_zelmar::PortEnvironment
{
public:
    EmulatedPortEnvironment(std::string emulatedPort,
                            std::shared_ptr<const config_zelmar::PortEnvironment> machine);

    rs485::PortAccess access(const std::string& port) const override;
    std::vector<rs485::ProcessEntry> holders(const std::string& port) const override;
    std::optional<rs485::PortDescription> description(const std::string& port) const override;
    std::optional<int> latencyTimer(const std::string& port) const override;
    bool modemManagerRunning() const override;
    bool udevRuleInstalled() const override;
    std::string userName() const override;

private:
    std::string emulatedPort;
    std::shared_ptr<const config_zelmar::PortEnvironment> machine;
};
