#include "config_zelmar/SystemPortEnvironment.h"

#include "rs485/SysfsPortLister.h"

#include <system_error>
#include <utility>

namespace config_zelmar {

namespace {

// Where udev reads rules from, packaged and local ones alike.
const char* const udevRuleFolders[] = {"etc/udev/rules.d", "run/udev/rules.d", "usr/local/lib/udev/rules.d",
                                       "usr/lib/udev/rules.d", "lib/udev/rules.d"};

} // namespace

SystemPortEnvironment::SystemPortEnvironment() : SystemPortEnvironment(Roots()) {}

SystemPortEnvironment::SystemPortEnvironment(Roots roots) : roots(std::move(roots)) {}

rs485::PortAccess SystemPortEnvironment::access(const std::string& port) const
{
    return rs485::PortAccess::of(port);
}

std::vector<rs485::ProcessEntry> SystemPortEnvironment::holders(const std::string& port) const
{
    return rs485::ProcessTable(roots.proc).holdersOf(port);
}

std::optional<rs485::PortDescription> SystemPortEnvironment::description(const std::string& port) const
{
    return rs485::SysfsPortLister(roots.sysfs, roots.dev).describe(port);
}

std::optional<int> SystemPortEnvironment::latencyTimer(const std::string& port) const
{
    return rs485::SysfsPortLister(roots.sysfs, roots.dev).latencyTimer(port);
}

bool SystemPortEnvironment::modemManagerRunning() const
{
    return rs485::ProcessTable(roots.proc).isRunning("ModemManager");
}

bool SystemPortEnvironment::udevRuleInstalled() const
{
    for (const char* folder : udevRuleFolders) {
        std::error_code error;
        if (std::filesystem::exists(roots.system / folder / udevRuleName, error)) {
            return true;
        }
    }
    return false;
}

std::string SystemPortEnvironment::userName() const
{
    return rs485::PortAccess::userName();
}

} // namespace config_zelmar
