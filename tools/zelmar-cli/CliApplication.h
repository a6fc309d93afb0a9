#pragma once

#include <string>
#include <vector>

namespace zelmar_cli {

// Picks the subcommand, runs it and turns every failure into a message on standard error and the
// documented exit status.
class CliApplication
{
public:
    static int run(const std::vector<std::string>& arguments);
};

} // namespace zelmar_cli
