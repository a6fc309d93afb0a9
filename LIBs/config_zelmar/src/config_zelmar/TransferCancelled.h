#pragma once

#include <exception>

namespace config_zelmar {

// A transfer stopped at the request of its progress handler, before the next command to the panel.
class TransferCancelled : public std::exception
{
public:
    const char* what() const noexcept override { return "Передача прервана."; }
};

} // namespace config_zelmar
