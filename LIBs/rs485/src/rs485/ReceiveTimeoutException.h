#pragma once

#include <exception>

namespace rs485 {

// Fewer characters arrived than were awaited before the read time-out ran out.
class ReceiveTimeoutException : public std::exception
{
public:
    const char* what() const noexcept override;
};

} // namespace rs485
