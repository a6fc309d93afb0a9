#pragma once

#include "config_zelmar/LocalDate.h"

#include <cstdint>
#include <vector>

namespace boot_loader {
class MemoryImage;
}

namespace config_zelmar {

// The date and counter of a write into the panel, bytes 0x00..0x03 of the option page.
class WriteStamp
{
public:
    // The panel's own stored bytes (day, month, year, counter, read from the panel itself) and today.
    WriteStamp(const std::vector<uint8_t>& storedBytes, const LocalDate& today);

    // Writes the later of the stored date and today, and the counter plus one (0xFF stays 0xFF).
    void applyTo(boot_loader::MemoryImage& optionsImage) const;

    uint8_t day() const { return stampDay; }
    uint8_t month() const { return stampMonth; }
    uint8_t year() const { return stampYear; }
    uint8_t counter() const { return stampCounter; }

private:
    uint8_t stampDay;
    uint8_t stampMonth;
    uint8_t stampYear;
    uint8_t stampCounter;
};

} // namespace config_zelmar
