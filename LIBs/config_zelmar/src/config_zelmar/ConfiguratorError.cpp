#include "config_zelmar/ConfiguratorError.h"

#include "boot_loader/BootloaderException.h"

#include <array>

namespace config_zelmar {

namespace {

const std::array<const char*, 10> messages{
    "Нет связи с преобразователем USB-RS485.",
    "Нет связи с прибором. Проверьте подключение.",
    "Плохая связь с прибором. Проверьте подключение.",
    "Подключённый прибор не совместим с данной версией программы.",
    "Подключённый прибор не может быть настроен данной программой.",
    "Внутренняя ошибка загрузчика прибора.",
    "Несовместимая версия ПО прибора.",
    "Внутренняя ошибка программы-конфигуратора.",
    "Ошибка проверки записи: данные в памяти прибора отличаются от записанных.",
    "Не удалось сохранить резервную копию прибора. Запись не выполнена.",
};
const char* const unknownErrorMessage = "Неизвестная ошибка.";

} // namespace

ConfiguratorError::ConfiguratorError(unsigned code) : errorCode(code) {}

ConfiguratorError::ConfiguratorError(const boot_loader::BootloaderException& exception)
    : errorCode(fromProtocolCode(exception.code()))
{}

const char* ConfiguratorError::what() const noexcept
{
    return message(errorCode);
}

unsigned ConfiguratorError::code() const noexcept
{
    return errorCode;
}

const char* ConfiguratorError::message(unsigned code) noexcept
{
    return code < messages.size() ? messages[code] : unknownErrorMessage;
}

unsigned ConfiguratorError::fromProtocolCode(int protocolCode) noexcept
{
    using boot_loader::BootloaderException;
    switch (protocolCode) {
    case BootloaderException::PortFailure:
        return ConverterLost;
    case BootloaderException::NoAnswer:
        return NoAnswer;
    case BootloaderException::DamagedAnswer:
    case BootloaderException::CommandChecksum:
    case BootloaderException::UnexpectedStatus:
        return BadLink;
    case BootloaderException::LoaderInternalError:
        return LoaderInternalError;
    case BootloaderException::CommandAddress:
    default:
        return ConfiguratorInternalError;
    }
}

} // namespace config_zelmar
