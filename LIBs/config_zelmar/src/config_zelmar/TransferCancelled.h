#pragma once

#include <exception>

namespace config_zelmar {

// A read stopped between two pages because its progress handler asked for it. Not a failure of the link
// or the panel: the configuration is untouched and the panel is back at the normal rate.
class TransferCancelled : public std::exception
{
public:
    // UTF-8: "Чтение прервано."
    const char* what() const noexcept override;
};

} // namespace config_zelmar
