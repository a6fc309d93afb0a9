#pragma once

#include <string>

namespace config_zelmar {

// The user's data folder of the configurator, where the image store lives: $XDG_DATA_HOME/
// zelmar-configurator, or ~/.local/share/zelmar-configurator when XDG_DATA_HOME is unset, empty or not
// an absolute path. Empty when neither it nor HOME can be found.
std::string defaultDataFolder();

} // namespace config_zelmar
