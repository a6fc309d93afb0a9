#pragma once

#include <cstddef>
#include <string>

namespace config_zelmar {

class Configuration;

// What a configuration holds, counted.
struct ConfigurationCounts
{
    bool central = false;
    std::size_t sections = 0;
    std::size_t devices = 0;
    std::size_t namedDevices = 0;
    std::size_t eventTables = 0;
    std::size_t commands = 0;
};

ConfigurationCounts countConfiguration(const Configuration& configuration);

// One line that says what a configuration holds, for example
// "section console, 1 section, 3 devices, 2 named devices, 1 event table, 0 commands".
std::string configurationSummary(const Configuration& configuration);

} // namespace config_zelmar
