#pragma once

#include <config_zelmar/Problem.h>

#include <string>
#include <vector>

namespace report {

// Everything a report needs beside the configuration.
struct ReportRequest
{
    // The file name, or the window's title for a configuration read from the panel and not yet saved.
    std::u16string source;
    // Local date and time of the report, "dd.mm.yyyy hh:mm".
    std::u16string createdAt;
    // Leaves out options at their defaults, devices with default names and default event tables.
    bool changesOnly = false;
    // What the checks found (config_zelmar::checkConfiguration); the report lists it first.
    std::vector<config_zelmar::Problem> problems;
};

} // namespace report
