#include "config_zelmar/WallClock.h"

#include <chrono>

namespace config_zelmar {

WallClockFunction systemWallClock()
{
    return [] {
        const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
        return static_cast<int64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
    };
}

} // namespace config_zelmar
