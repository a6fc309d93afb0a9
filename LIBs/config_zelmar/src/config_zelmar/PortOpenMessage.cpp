#include "config_zelmar/PortOpenMessage.h"

#include "config_zelmar/PortEnvironment.h"

namespace config_zelmar {

using rs485::OpenFailureCause;

namespace {

std::string otherFailure(const std::string& port, const std::string& systemText)
{
    const std::string text = "Ошибка при открытии порта " + port;
    return systemText.empty() ? text : text + ": " + systemText + ".";
}

} // namespace

std::string PortOpenMessage::text(const std::string& port, const rs485::OpenFailure& failure,
                                  const PortEnvironment& environment)
{
    switch (failure.cause) {
    case OpenFailureCause::NoSuchDevice:
        return missing(port);
    case OpenFailureCause::PermissionDenied:
        return noPermission(port, environment);
    case OpenFailureCause::Busy:
        return busy(port, failure.holderPid, failure.holderName);
    case OpenFailureCause::NotASerialPort:
        return notASerialPort(port);
    case OpenFailureCause::RateRefused:
        return "Порт " + port + " не принимает скорость " + std::to_string(failure.baudRate) + " бод.";
    case OpenFailureCause::None:
    case OpenFailureCause::Other:
        break;
    }
    return otherFailure(port, failure.systemText);
}

std::string PortOpenMessage::missing(const std::string& port)
{
    return "Порт " + port + " не найден. Преобразователь отключён?";
}

std::string PortOpenMessage::notASerialPort(const std::string& port)
{
    return port + " не является последовательным портом.";
}

// The package's udev rule gives the logged-in user the FTDI converters it sees plugged in; a converter
// that was plugged in before the rule came keeps its old permissions until it is plugged in again.
std::string PortOpenMessage::noPermission(const std::string& port, const PortEnvironment& environment)
{
    const std::string text = "Нет доступа к порту " + port + ". ";
    if (environment.udevRuleInstalled() && environment.isFtdiConverter(port)) {
        return text + "Отключите преобразователь и подключите его снова: тогда правило udev конфигуратора "
                      "даст доступ к нему.";
    }
    std::string user = environment.userName();
    if (user.empty()) {
        user = "$USER";
    }
    return text + "Добавьте пользователя в группу dialout (sudo usermod -aG dialout " + user +
           ") и войдите в систему заново.";
}

std::string PortOpenMessage::busy(const std::string& port, int holderPid, const std::string& holderName)
{
    if (holderPid <= 0) {
        return "Порт " + port + " занят другой программой.";
    }
    return "Порт " + port + " занят программой " + holderName + " (PID " + std::to_string(holderPid) + ").";
}

} // namespace config_zelmar
