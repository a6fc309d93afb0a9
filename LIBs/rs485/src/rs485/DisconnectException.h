#pragma once

#include <exception>

namespace rs485 {

// The port failed while reading or writing: the converter was unplugged or its driver gave up.
class DisconnectException : public std::exception
{
public:
    const char* what() const noexcept override;
};

} // namespace rs485
