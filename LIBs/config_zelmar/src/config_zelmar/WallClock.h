#pragma once

#include <cstdint>
#include <functional>

namespace config_zelmar {

// The current time in milliseconds since 1970-01-01 00:00 UTC; tests pass a fixed or stepping clock.
using WallClockFunction = std::function<int64_t()>;

WallClockFunction systemWallClock();

} // namespace config_zelmar
