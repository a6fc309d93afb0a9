#pragma once

#include <cstdint>

namespace config_zelmar {

// The panel's checksums of its two areas (command 0xF6): the option page, memory 1, 0x000-0x0FF, and the
// configuration area, memory 0, 0x3E00-0xFBFF. Equal checksums mean images known for them still
// describe the panel.
struct PanelChecksums
{
    uint32_t options = 0;
    uint32_t configuration = 0;

    bool operator==(const PanelChecksums& other) const
    {
        return options == other.options && configuration == other.configuration;
    }
    bool operator!=(const PanelChecksums& other) const { return !(*this == other); }
};

} // namespace config_zelmar
