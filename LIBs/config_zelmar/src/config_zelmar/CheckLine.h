#pragma once

#include <string>

namespace config_zelmar {

enum class CheckStatus
{
    Ok,
    Warning, // works, but slower or less sure than it could be; the detail says what helps
    Error    // stops the connection here; the detail says why and what helps
};

// One finding of the connection check (UTF-8 texts).
struct CheckLine
{
    CheckStatus status = CheckStatus::Ok;
    std::string title;
    std::string detail;
};

} // namespace config_zelmar
