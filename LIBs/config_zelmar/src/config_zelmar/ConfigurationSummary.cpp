#include "config_zelmar/ConfigurationSummary.h"

#include "config_zelmar/Configuration.h"

namespace config_zelmar {

namespace {

std::string counted(std::size_t count, const std::string& singular, const std::string& plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

} // namespace

std::string configurationSummary(const Configuration& configuration)
{
    std::size_t devices = 0;
    std::size_t namedDevices = 0;
    for (const auto& [address, section] : configuration.sections) {
        for (const auto& [busAddress, device] : section.devices) {
            ++devices;
            namedDevices += device.names ? 1 : 0;
        }
    }
    const std::string type = configuration.pultType() ? "central console" : "section console";
    return type + ", " + counted(configuration.sections.size(), "section", "sections") + ", " +
           counted(devices, "device", "devices") + ", " +
           counted(namedDevices, "named device", "named devices") + ", " +
           counted(configuration.eventTables.size(), "event table", "event tables") + ", " +
           counted(configuration.commands.size(), "command", "commands");
}

} // namespace config_zelmar
