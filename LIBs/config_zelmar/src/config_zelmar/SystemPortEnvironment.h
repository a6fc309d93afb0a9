#pragma once

#include "config_zelmar/PortEnvironment.h"

#include <filesystem>

namespace config_zelmar {

// The port facts of this machine.
class SystemPortEnvironment : public PortEnvironment
{
public:
    // The file name of the rule the package installs.
    static constexpr const char* udevRuleName = "60-zelmar-configurator.rules";

    // The folders the facts come from; tests point them at a fake tree.
    struct Roots
    {
        std::filesystem::path sysfs = "/sys";
        std::filesystem::path dev = "/dev";
        std::filesystem::path proc = "/proc";
        std::filesystem::path system = "/"; // under which udev looks for its rule folders
    };

    SystemPortEnvironment();
    explicit SystemPortEnvironment(Roots roots);

    rs485::PortAccess access(const std::string& port) const override;
    std::vector<rs485::ProcessEntry> holders(const std::string& port) const override;
    std::optional<rs485::PortDescription> description(const std::string& port) const override;
    std::optional<int> latencyTimer(const std::string& port) const override;
    bool modemManagerRunning() const override;
    bool udevRuleInstalled() const override;
    std::string userName() const override;

private:
    Roots roots;
};

} // namespace config_zelmar
