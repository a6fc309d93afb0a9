#pragma once

namespace config_zelmar {

class Configuration;

// How many devices with names of their own a central console's configuration may hold so that every
// console and device name fits the panel's name pool: the whole device records of the pool, less the
// records of the consoles that have a name of their own (twice as long with a duplicate console). The
// devices page uses it as its row limit; a section console's limit is its device address range.
int namedDeviceLimit(const Configuration& configuration);

} // namespace config_zelmar
