#include "config_zelmar/LocalDate.h"

#include <ctime>

namespace config_zelmar {

LocalDateFunction systemLocalDate()
{
    return [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        LocalDate date;
        if (localtime_r(&now, &local)) {
            date.day = local.tm_mday;
            date.month = local.tm_mon + 1;
            date.year = local.tm_year + 1900;
        }
        return date;
    };
}

} // namespace config_zelmar
