#pragma once

#include "report/ReportContent.h"
#include "report/ReportRequest.h"

namespace config_zelmar {
class Configuration;
}

namespace report {

// What the commissioning report of the configuration says: the heading, the checks' problems first (so
// that a sheet is never handed over silently incomplete), the options in words, the section consoles,
// the devices, the event tables other than the default one and the commands. Needs no panel.
ReportContent buildReport(const config_zelmar::Configuration& configuration, const ReportRequest& request);

} // namespace report
