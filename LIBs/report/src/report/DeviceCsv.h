#pragma once

#include <QByteArray>

namespace config_zelmar {
class Configuration;
}

namespace report {

// One row per device the devices page lists: section, address, zone, the six names as shown, the event
// table's name. UTF-8 with a byte order mark and ";" between fields, so that a spreadsheet opens it with
// the Cyrillic letters intact.
QByteArray devicesCsv(const config_zelmar::Configuration& configuration);

} // namespace report
