#include "config_zelmar/Problem.h"

namespace config_zelmar {

const char* severityName(Problem::Severity severity)
{
    return severity == Problem::Severity::error ? "error" : "warning";
}

const char* kindName(Problem::Kind kind)
{
    switch (kind) {
    case Problem::Kind::lost:
        return "lost";
    case Problem::Kind::changed:
        return "changed";
    case Problem::Kind::reference:
        break;
    }
    return "reference";
}

} // namespace config_zelmar
