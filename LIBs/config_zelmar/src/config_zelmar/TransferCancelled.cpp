#include "config_zelmar/TransferCancelled.h"

namespace config_zelmar {

const char* TransferCancelled::what() const noexcept
{
    return "Чтение прервано.";
}

} // namespace config_zelmar
