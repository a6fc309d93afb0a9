#pragma once

#include "rs485/OpenFailure.h"

#include <string>

namespace config_zelmar {
class ConfigZelmar;
}

namespace zelmar_cli {

// Opens the transfer's port, or throws the port CliError saying why it did not open.
void openPort(config_zelmar::ConfigZelmar& transfer, const std::string& port);
// Why a port did not open, in Russian with the remedy.
std::string portOpenMessage(const std::string& port, const rs485::OpenFailure& failure);

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
