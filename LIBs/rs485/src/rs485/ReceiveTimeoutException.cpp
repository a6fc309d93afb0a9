#include "rs485/ReceiveTimeoutException.h"

namespace rs485 {

const char* ReceiveTimeoutException::what() const noexcept
{
    return "Превышен тайм-аут ожидания данных";
}

} // namespace rs485
