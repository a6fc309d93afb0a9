#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace config_zelmar {

class Configuration;
class Device;
class Section;

// Names as the pages and the commissioning report show them: the object's own name as it is stored, or,
// where it has none, the default name that the panel shows instead.
struct ShownName
{
    std::u16string text;
    bool isDefault = false;
};

// The event table column of a device that uses table 0, or refers to a table that does not exist.
extern const char16_t* const defaultEventTableCaption; // "По умолчанию"

constexpr std::size_t deviceNameCount = 6;

// Device, outputs, loop 1, loop 2, line 3 and line 4 names of a device of the section of console address
// section (0 for a section console's own section): its own names, else the defaults for its address.
std::array<ShownName, deviceNameCount> shownDeviceNames(const Device& device, int section);

// The name of the device's event table, or defaultEventTableCaption.
std::u16string shownEventTableName(const Configuration& configuration, const Device& device);

// A section console's name and its duplicate console's name (empty text without a duplicate console);
// both are default names while the console has no name of its own.
ShownName shownPultName(const Section& section);
ShownName shownDublerName(const Section& section);

} // namespace config_zelmar
