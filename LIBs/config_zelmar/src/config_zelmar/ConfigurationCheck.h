#pragma once

#include "config_zelmar/Problem.h"

#include <vector>

namespace config_zelmar {

class Configuration;

// What the panel will hold: the configuration is encoded and decoded as a write followed by a read
// would do, once over an erased panel and once over a zeroed one, and compared with itself. Whatever is
// missing afterwards is an error (kind lost), whatever comes back different a warning (kind changed);
// a value that the panel would keep from before (out of range) is reported as such. What is not meant
// to come back is left out: the password, the panel's date, counter and firmware texts, the buzzer bit
// that the panel keeps, device zones on a central console, look-alike letters and trailing spaces of
// names. Commands addressed to a section console (or, on a section console, a device) that the
// configuration does not have are warnings of kind reference. Errors come first, then warnings, each in
// the order of the configuration file.
std::vector<Problem> checkConfiguration(const Configuration& configuration);

// True when at least one problem is an error.
bool hasErrors(const std::vector<Problem>& problems);

} // namespace config_zelmar
