#pragma once

#include <exception>

namespace boot_loader {
class BootloaderException;
}

namespace config_zelmar {

// The one error of a panel transfer, with a code and a Russian message fit for the user.
class ConfiguratorError : public std::exception
{
public:
    enum Code : unsigned
    {
        ConverterLost = 0, // "Нет связи с преобразователем USB-RS485."
        NoAnswer = 1, // "Нет связи с прибором. Проверьте подключение."
        BadLink = 2, // "Плохая связь с прибором. Проверьте подключение."
        IncompatibleLoader = 3, // "Подключённый прибор не совместим с данной версией программы."
        UnsupportedDevice = 4, // "Подключённый прибор не может быть настроен данной программой."
        LoaderInternalError = 5,  // "Внутренняя ошибка загрузчика прибора."
        IncompatibleFirmware = 6, // "Несовместимая версия ПО прибора."
        ConfiguratorInternalError = 7, // "Внутренняя ошибка программы-конфигуратора."
        VerifyFailed = 8, // "Ошибка проверки записи: данные в памяти прибора отличаются от записанных."
        BackupFailed = 9 // "Не удалось сохранить резервную копию прибора. Запись не выполнена."
    };

    explicit ConfiguratorError(unsigned code);
    // Translates the protocol's error code.
    explicit ConfiguratorError(const boot_loader::BootloaderException& exception);
    ConfiguratorError(const ConfiguratorError&) = default;
    ConfiguratorError& operator=(const ConfiguratorError&) = default;
    ~ConfiguratorError() override = default;

    // UTF-8 message of the code.
    const char* what() const noexcept override;
    virtual unsigned code() const noexcept;

    static const char* message(unsigned code) noexcept;
    static unsigned fromProtocolCode(int protocolCode) noexcept;

private:
    unsigned errorCode;
};

} // namespace config_zelmar
