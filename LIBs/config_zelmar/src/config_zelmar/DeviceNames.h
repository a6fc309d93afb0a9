#pragma once

#include <cstdint>
#include <string>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace config_zelmar {

// The texts the panel shows for a device and for its outputs, loops and lines, plus the device's choice
// of event name table. An empty name means the default name of the functions below.
class DeviceNames
{
public:
    DeviceNames() = default;
    virtual ~DeviceNames() = default;
    DeviceNames(const DeviceNames&) = default;
    DeviceNames& operator=(const DeviceNames&) = default;

    // Replaces Cyrillic letters that have a Latin twin on the LCD in the six names.
    void lcdCorrection();

    void toXml(QXmlStreamWriter& writer) const;
    void parseXml(QXmlStreamReader& reader);

    uint32_t eventTable = 0; // position in Configuration::eventTables
    std::u16string deviceName;
    std::u16string outsName;
    std::u16string loop1Name;
    std::u16string loop2Name;
    std::u16string line3Name;
    std::u16string line4Name;
};

bool operator==(const DeviceNames& a, const DeviceNames& b);
bool operator!=(const DeviceNames& a, const DeviceNames& b);

// Default names of device address a (1..127) in the section of console address s (1..24 on a central
// console; any other s gives a name without the console part). Empty device name for a outside 1..127.
std::u16string defaultDeviceName(int a, int s);
std::u16string defaultOutsName(int a, int s);
std::u16string defaultLoop1Name(int a, int s);
std::u16string defaultLoop2Name(int a, int s);
std::u16string defaultLine3Name(int a, int s);
std::u16string defaultLine4Name(int a, int s);

} // namespace config_zelmar
