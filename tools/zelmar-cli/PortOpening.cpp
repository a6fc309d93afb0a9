#include "PortOpening.h"

#include "CliError.h"
#include "ExitStatus.h"

#include "config_zelmar/ConfigZelmar.h"
#include "config_zelmar/PortOpenMessage.h"
#include "config_zelmar/SystemPortEnvironment.h"

namespace zelmar_cli {

void openPort(config_zelmar::ConfigZelmar& transfer, const std::string& port)
{
    if (!transfer.open(port)) {
        throw CliError(PortError, portOpenMessage(port, transfer.lastOpenFailure()));
    }
}

OpenPort::OpenPort(config_zelmar::ConfigZelmar& transfer, const std::string& port) : transfer(transfer)
{
    openPort(transfer, port);
}

OpenPort::~OpenPort()
{
    transfer.close();
}

std::string portOpenMessage(const std::string& port, const rs485::OpenFailure& failure)
{
    return config_zelmar::PortOpenMessage::text(port, failure, config_zelmar::SystemPortEnvironment());
}

} // namespace zelmar_cli
