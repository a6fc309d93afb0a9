#pragma once

#include "report/ReportContent.h"

#include <config_zelmar/ShownNames.h>

namespace config_zelmar {
class Configuration;
class Device;
} // namespace config_zelmar

// One device as the report and the device list show it.
namespace report::device_cells {

// A name as the reader sees it, italic when it is a default name.
Cell nameCell(const config_zelmar::ShownName& name);
// Address, zone (section console only), the six names, the event table's name.
std::vector<Column> columns(bool central);
// The cells of the columns above for a device of the section with the given key.
std::vector<Cell> cells(const config_zelmar::Configuration& configuration,
                        const config_zelmar::Device& device, int section);
// On a central console the panel keeps only devices with names of their own; the pages list only those.
bool keptByPanel(const config_zelmar::Configuration& configuration, const config_zelmar::Device& device);

} // namespace report::device_cells
