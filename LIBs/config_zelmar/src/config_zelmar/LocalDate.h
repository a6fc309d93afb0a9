#pragma once

#include <functional>

namespace config_zelmar {

// A calendar date of the local time zone; year in full (2025).
struct LocalDate
{
    int day = 1;
    int month = 1;
    int year = 2000;
};

// Where the transfer takes today's date from; tests pass a fixed date.
using LocalDateFunction = std::function<LocalDate()>;

LocalDateFunction systemLocalDate();

} // namespace config_zelmar
