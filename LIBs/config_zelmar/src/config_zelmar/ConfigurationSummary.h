#pragma once

#include <string>

namespace config_zelmar {

class Configuration;

// One line that says what a configuration holds, for example
// "section console, 1 section, 3 devices, 2 named devices, 1 event table, 0 commands".
std::string configurationSummary(const Configuration& configuration);

} // namespace config_zelmar
