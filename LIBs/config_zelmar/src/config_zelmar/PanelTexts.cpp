#include "config_zelmar/PanelTexts.h"

#include "config_zelmar/MemoryMap.h"

#include "boot_loader/MemoryImage.h"

#include <cstdio>

namespace config_zelmar::panel_texts {

namespace opt = memory_map::options;

std::string lastWriteDate(const boot_loader::MemoryImage& optionsImage)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02u.%02u.%04u", unsigned{optionsImage.getByte(opt::lastWriteDay)},
                  unsigned{optionsImage.getByte(opt::lastWriteMonth)},
                  optionsImage.getByte(opt::lastWriteYear) + 2000U);
    return text;
}

std::string firmwareVersion(const boot_loader::MemoryImage& optionsImage)
{
    const unsigned code = optionsImage.getByte(opt::firmwareCode);
    const unsigned minorAndBuild = optionsImage.getByte(opt::firmwareMinorAndBuild);
    if (code == 0xFF && minorAndBuild == 0xFF) {
        return "-";
    }
    return std::to_string(code & 0x0F) + "." + std::to_string(minorAndBuild >> 4) + "." +
           std::to_string(minorAndBuild & 0x0F);
}

int writeCounter(const boot_loader::MemoryImage& optionsImage)
{
    return optionsImage.getByte(opt::writeCounter);
}

} // namespace config_zelmar::panel_texts
