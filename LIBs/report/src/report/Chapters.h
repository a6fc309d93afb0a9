#pragma once

#include "report/ReportContent.h"
#include "report/ReportRequest.h"

namespace config_zelmar {
class Configuration;
}

// The chapters of the commissioning report, each built from the configuration alone.
namespace report::chapters {

// Empty title when there is no problem.
Chapter problems(const std::vector<config_zelmar::Problem>& problems);
Chapter options(const config_zelmar::Configuration& configuration, bool changesOnly);
// Central console only.
Chapter consoles(const config_zelmar::Configuration& configuration);
Chapter devices(const config_zelmar::Configuration& configuration, bool changesOnly);
Chapter eventTables(const config_zelmar::Configuration& configuration, bool changesOnly);
Chapter commands(const config_zelmar::Configuration& configuration);

// The note that explains italic cells.
extern const char16_t* const defaultsNote;

} // namespace report::chapters
