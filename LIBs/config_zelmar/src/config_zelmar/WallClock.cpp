#include "config_zelmar/WallClock.h"

#include <ctime>

namespace config_zelmar {

WallClockFunction systemWallClock()
{
    return [] { return static_cast<int64_t>(std::time(nullptr)); };
}

} // namespace config_zelmar
