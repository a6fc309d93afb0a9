#include "boot_loader/BootloaderException.h"

namespace boot_loader {

BootloaderException::BootloaderException(int32_t code) : errorCode(code) {}

const char* BootloaderException::what() const noexcept
{
    return message(errorCode);
}

int32_t BootloaderException::code() const noexcept
{
    return errorCode;
}

const char* BootloaderException::message(int32_t code) noexcept
{
    switch (code) {
    case 0:
        return "Нет связи с преобразователем USB-RS485";
    case 1:
        return "Нет связи с прибором";
    case 2:
        return "Неправильная контрольная сумма в ответе";
    case 3:
        return "Неправильная контрольная сумма в команде";
    case 4:
        return "Неправильный адрес в команде";
    case 5:
        return "Внутренняя ошибка загрузчика";
    case 6:
        return "Неправильный формат ответа";
    default:
        return "Неизвестная ошибка";
    }
}

} // namespace boot_loader
