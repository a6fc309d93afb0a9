#pragma once

#include "config_zelmar/PanelImageCodec.h"

#include <cstdint>
#include <string>

namespace config_zelmar {

// What a panel held before a write changed it: both images and what identifies them to the user.
struct PanelBackup
{
    std::string id;        // unique within the store; also the file's name
    int64_t time = 0;      // when it was taken, seconds since 1970-01-01 00:00 UTC
    std::string panelDate; // the panel's last write date, "dd.mm.yyyy"
    int counter = 0;       // the panel's write counter
    std::string firmware;  // the panel's firmware version, "2.1.3"
    std::string summary;   // the one-line summary of the configuration the images decode to
    uintmax_t size = 0;    // bytes the backup takes in the store
    PanelImages images;
};

} // namespace config_zelmar
