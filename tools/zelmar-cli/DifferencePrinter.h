#pragma once

#include "config_zelmar/Difference.h"

#include <string>
#include <vector>

namespace zelmar_cli {

// The printed form of a list of differences, shared by every command that shows one: one Russian line
// per difference, or one JSON array of {"path": [...], "old": value, "new": value}.
class DifferencePrinter
{
public:
    static std::string lines(const std::vector<config_zelmar::Difference>& differences);
    static std::string json(const std::vector<config_zelmar::Difference>& differences);
    // Writes either form on standard output; a failed write is a CliError.
    static void print(const std::vector<config_zelmar::Difference>& differences, bool asJson);
};

} // namespace zelmar_cli
