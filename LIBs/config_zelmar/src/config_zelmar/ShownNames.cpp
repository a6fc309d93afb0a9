#include "config_zelmar/ShownNames.h"

#include "config_zelmar/Configuration.h"

namespace config_zelmar {

const char16_t* const defaultEventTableCaption = u"По умолчанию";

std::array<ShownName, deviceNameCount> shownDeviceNames(const Device& device, int section)
{
    if (device.names != nullptr) {
        const DeviceNames& n = *device.names;
        return {{{n.deviceName}, {n.outsName}, {n.loop1Name}, {n.loop2Name}, {n.line3Name}, {n.line4Name}}};
    }
    const int a = device.address;
    return {{{defaultDeviceName(a, section), true},
             {defaultOutsName(a, section), true},
             {defaultLoop1Name(a, section), true},
             {defaultLoop2Name(a, section), true},
             {defaultLine3Name(a, section), true},
             {defaultLine4Name(a, section), true}}};
}

std::u16string shownEventTableName(const Configuration& configuration, const Device& device)
{
    // A reference to a table that does not exist (a foreign file, a stray panel byte) shows the default.
    const auto table = device.names == nullptr ? 0U : device.names->eventTable;
    if (table == 0 || table >= configuration.eventTables.size()) {
        return defaultEventTableCaption;
    }
    return configuration.eventTables[table].name;
}

ShownName shownPultName(const Section& section)
{
    if (section.name.empty()) {
        return {Section::defaultPultName(section.address), true};
    }
    return {section.name};
}

ShownName shownDublerName(const Section& section)
{
    if (!section.dubler) {
        return {};
    }
    if (section.name.empty()) {
        return {Section::defaultDublerName(section.address), true};
    }
    return {section.dublerName};
}

} // namespace config_zelmar
