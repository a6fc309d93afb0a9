#pragma once

#include <string>
#include <vector>

namespace report {

// A problem the checks found in the configuration; the report lists them before everything else.
struct ReportProblem
{
    enum class Severity
    {
        error,
        warning
    };

    Severity severity = Severity::error;
    std::string message; // UTF-8
};

// Everything a report needs beside the configuration.
struct ReportRequest
{
    // The file name, or the window's title for a configuration read from the panel and not yet saved.
    std::u16string source;
    // Local date and time of the report, "dd.mm.yyyy hh:mm".
    std::u16string createdAt;
    // Leaves out options at their defaults, devices with default names and default event tables.
    bool changesOnly = false;
    std::vector<ReportProblem> problems;
};

} // namespace report
