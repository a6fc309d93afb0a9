#pragma once

#include "config_zelmar/PathStep.h"

#include <string>

namespace config_zelmar {

// Something a write would not put into the panel as the configuration holds it.
struct Problem
{
    enum class Severity
    {
        error,  // part of the configuration will not be written
        warning // it will be written, but not as it is
    };
    enum class Kind
    {
        lost,     // missing after a write and a read back
        changed,  // comes back different
        reference // a command names a console or device the configuration does not have
    };

    Severity severity = Severity::warning;
    Kind kind = Kind::changed;
    Path path;
    std::string message; // Russian, UTF-8, naming the object as the technician sees it
};

// "error", "warning"; "lost", "changed", "reference": the names of the JSON output.
const char* severityName(Problem::Severity severity);
const char* kindName(Problem::Kind kind);

} // namespace config_zelmar
