#pragma once

#include "config_zelmar/ConfigurationSummary.h"
#include "config_zelmar/Problem.h"

#include <string>
#include <vector>

namespace zelmar_cli {

// The printed form of a check: the summary line and one line per problem ("ошибка: ..." or
// "предупреждение: ..."), or one JSON object with the counts and the problems.
class ProblemPrinter
{
public:
    static std::string lines(const std::string& summary, const std::vector<config_zelmar::Problem>& problems);
    static std::string json(const config_zelmar::ConfigurationCounts& counts,
                            const std::vector<config_zelmar::Problem>& problems);
};

} // namespace zelmar_cli
