#include "PortOpening.h"

#include "CliError.h"
#include "ExitStatus.h"

#include "config_zelmar/ConfigZelmar.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace zelmar_cli {

void openPort(config_zelmar::ConfigZelmar& transfer, const std::string& port)
{
    if (!transfer.open(port)) {
        throw CliError(PortError, port + ": " + portFailureReason(port));
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

std::string portFailureReason(const std::string& port)
{
    struct stat status
    {
    };
    if (stat(port.c_str(), &status) != 0) {
        return errno == ENOENT ? "no such port" : std::strerror(errno);
    }
    if (!S_ISCHR(status.st_mode)) {
        return "not a serial port";
    }
    return "cannot open the port (not a serial port, in use by another program, or no permission)";
}

} // namespace zelmar_cli
