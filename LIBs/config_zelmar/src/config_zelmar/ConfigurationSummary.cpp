#include "config_zelmar/ConfigurationSummary.h"

#include "config_zelmar/Configuration.h"

namespace config_zelmar {

namespace {

std::string counted(std::size_t count, const std::string& singular, const std::string& plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

} // namespace

ConfigurationCounts countConfiguration(const Configuration& configuration)
{
    ConfigurationCounts counts;
    counts.central = configuration.pultType();
    counts.sections = configuration.sections.size();
    for (const auto& [address, section] : configuration.sections) {
        for (const auto& [busAddress, device] : section.devices) {
            ++counts.devices;
            counts.namedDevices += device.names ? 1 : 0;
        }
    }
    counts.eventTables = configuration.eventTables.size();
    counts.commands = configuration.commands.size();
    return counts;
}

std::string configurationSummary(const Configuration& configuration)
{
    const ConfigurationCounts counts = countConfiguration(configuration);
    const std::string type = counts.central ? "central console" : "section console";
    return type + ", " + counted(counts.sections, "section", "sections") + ", " +
           counted(counts.devices, "device", "devices") + ", " +
           counted(counts.namedDevices, "named device", "named devices") + ", " +
           counted(counts.eventTables, "event table", "event tables") + ", " +
           counted(counts.commands, "command", "commands");
}

} // namespace config_zelmar
