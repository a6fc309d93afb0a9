#pragma once

#include <exception>

namespace config_zelmar {

// A transfer stopped before its next command to the panel because its progress handler asked for it.
// Not a failure of the link or the panel: a read leaves the configuration untouched, and the panel is
// back at the normal rate.
class TransferCancelled : public std::exception
{
public:
    // UTF-8: "Чтение прервано."
    const char* what() const noexcept override;
};

} // namespace config_zelmar
