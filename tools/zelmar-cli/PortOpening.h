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

} // namespace zelmar_cli
