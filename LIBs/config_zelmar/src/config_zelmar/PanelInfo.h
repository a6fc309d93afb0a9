#pragma once

#include <string>

namespace config_zelmar {

// What a panel tells about itself without a full read: its loader's identification and the derived texts
// of its option page.
struct PanelInfo
{
    int loaderVersion = 0;
    std::string deviceName;
    int pageSize = 0;
    std::string firmwareVersion; // "2.1.3", or "-" when the panel holds no firmware code
    std::string lastWriteDate;   // "dd.mm.yyyy"
    int writeCounter = 0;
};

} // namespace config_zelmar
