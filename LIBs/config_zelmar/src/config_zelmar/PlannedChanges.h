#pragma once

#include "config_zelmar/Difference.h"
#include "config_zelmar/PanelImageCodec.h"

#include <vector>

namespace config_zelmar {

class Configuration;

// What writing the configuration into a panel that holds the content would change, as a technician reads
// it: the content decoded against the images after the write decoded, compared as two configuration
// files are, plus the password when its bytes would change (the panel's password is never read back
// otherwise). The date and counter stamp is not counted. Empty when the panel holds the configuration.
std::vector<Difference> plannedChanges(const PanelImages& panelContent, const Configuration& configuration);

} // namespace config_zelmar
