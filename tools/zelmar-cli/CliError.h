#pragma once

#include <stdexcept>
#include <string>

namespace zelmar_cli {

// A failure the tool reports with a message on standard error and ends with the given exit status.
class CliError : public std::runtime_error
{
public:
    CliError(int exitStatus, const std::string& message) : std::runtime_error(message), status(exitStatus) {}

    int exitStatus() const { return status; }

private:
    int status;
};

} // namespace zelmar_cli
