#pragma once

#include <string>

namespace boot_loader {
class MemoryImage;
}

namespace config_zelmar {

// The values of the option page that are shown to the user rather than edited.
namespace panel_texts {

// "dd.mm.yyyy" of the last write into the panel.
std::string lastWriteDate(const boot_loader::MemoryImage& optionsImage);
// "2.1.3" from the firmware bytes, or "-" when the panel holds none.
std::string firmwareVersion(const boot_loader::MemoryImage& optionsImage);
int writeCounter(const boot_loader::MemoryImage& optionsImage);

} // namespace panel_texts

} // namespace config_zelmar
