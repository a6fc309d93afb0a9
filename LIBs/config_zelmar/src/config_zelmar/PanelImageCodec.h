#pragma once

#include <cstdint>
#include <vector>

namespace config_zelmar {

class Configuration;

// The two memories of the panel as plain bytes, for encoding and decoding without a panel.
struct PanelImages
{
    std::vector<uint8_t> options;       // 256 bytes, memory 1, 0x00-0xFF
    std::vector<uint8_t> configuration; // 0xBE00 bytes, memory 0, 0x3E00-0xFBFF
};

// Both memories erased: every byte 0xFF.
PanelImages blankPanelImages();

// Encodes the configuration over the base images exactly as a write into the panel does (preserved bytes
// and bits come from the base), without the date and counter stamp. Throws std::invalid_argument when a
// base image has the wrong size.
PanelImages encodeImages(const Configuration& configuration, const PanelImages& base);

// Replaces the configuration's content by the images exactly as a read from the panel does: reset to
// defaults, the derived texts (last write date, write counter, firmware version), the decoded content,
// then the event tables rebuilt. Throws std::invalid_argument when an image has the wrong size.
void decodeImages(const PanelImages& images, Configuration& configuration);

} // namespace config_zelmar
