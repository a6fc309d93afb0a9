#pragma once

#include <algorithm>

namespace panel_emulator {

// Simulated time in milliseconds, advanced by an emulated port's wire time and by the host's sleeps.
class SimulatedClock
{
public:
    double now() const { return milliseconds; }
    void advance(double duration) { milliseconds += std::max(duration, 0.0); }
    void advanceTo(double moment) { milliseconds = std::max(milliseconds, moment); }

private:
    double milliseconds = 0;
};

} // namespace panel_emulator
