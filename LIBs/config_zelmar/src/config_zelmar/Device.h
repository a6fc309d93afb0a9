#pragma once

#include "config_zelmar/DeviceNames.h"

#include <memory>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace config_zelmar {

// An addressable device on the panel's bus. Without names it shows default names and uses no event
// table. Copies never share their DeviceNames: copying allocates a new one.
class Device
{
public:
    Device() = default;
    virtual ~Device() = default;
    Device(const Device& other);
    Device& operator=(const Device& other);
    Device(Device&&) = default;
    Device& operator=(Device&&) = default;

    void toXml(QXmlStreamWriter& writer) const;
    void parseXml(QXmlStreamReader& reader);

    int address = 1; // bus address 1..127, equals the key in Section::devices
    int zone = 1;
    std::shared_ptr<DeviceNames> names; // null: default names, no event table
};

// Same address and zone, and either both without names or both with equal names.
bool operator==(const Device& a, const Device& b);
bool operator!=(const Device& a, const Device& b);

} // namespace config_zelmar
