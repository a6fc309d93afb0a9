#pragma once

#include "rs485/OpenFailure.h"

#include <string>

namespace config_zelmar {

class PortEnvironment;

// Says in Russian, with the remedy, why a port did not open (UTF-8 texts).
class PortOpenMessage
{
public:
    static std::string text(const std::string& port, const rs485::OpenFailure& failure,
                            const PortEnvironment& environment);

    // The parts some checks of the connection check say on their own.
    static std::string missing(const std::string& port);
    static std::string notASerialPort(const std::string& port);
    static std::string noPermission(const std::string& port, const PortEnvironment& environment);
    static std::string busy(const std::string& port, int holderPid, const std::string& holderName);
};

} // namespace config_zelmar
