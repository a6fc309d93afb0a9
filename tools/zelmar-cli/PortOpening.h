#pragma once

#include <string>

namespace config_zelmar {
class ConfigZelmar;
}

namespace zelmar_cli {

// Opens the transfer's port, or throws the port CliError with the likely reason.
void openPort(config_zelmar::ConfigZelmar& transfer, const std::string& port);
// Why a port could not be opened, as far as the file system tells.
std::string portFailureReason(const std::string& port);

// Opens the transfer's port and closes it whatever the transfer's outcome.
class OpenPort
{
public:
    OpenPort(config_zelmar::ConfigZelmar& transfer, const std::string& port);
    ~OpenPort();

    OpenPort(const OpenPort&) = delete;
    OpenPort& operator=(const OpenPort&) = delete;

private:
    config_zelmar::ConfigZelmar& transfer;
};

} // namespace zelmar_cli
