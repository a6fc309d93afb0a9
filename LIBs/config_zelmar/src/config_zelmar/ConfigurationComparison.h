#pragma once

#include "config_zelmar/Difference.h"

#include <vector>

namespace config_zelmar {

class Configuration;

// Every difference between two configurations, in the order of the file: options by XML key, sections
// by console address (the section console's own section only, on a section console), their devices by
// address, event tables and commands by position. What the file does not store (the panel's date,
// counter and firmware texts, a password that is not set, a duplicate's name without a duplicate, the
// reset type of a section console) is not compared. Empty when the configurations are equal.
std::vector<Difference> compareConfigurations(const Configuration& before, const Configuration& after);

} // namespace config_zelmar
