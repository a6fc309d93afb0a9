#include "config_zelmar/Device.h"

#include "config_zelmar/XmlValues.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace config_zelmar {

namespace {

std::shared_ptr<DeviceNames> copyOf(const std::shared_ptr<DeviceNames>& names)
{
    return names ? std::make_shared<DeviceNames>(*names) : nullptr;
}

} // namespace

Device::Device(const Device& other) : address(other.address), zone(other.zone), names(copyOf(other.names)) {}

Device& Device::operator=(const Device& other)
{
    if (this != &other) {
        address = other.address;
        zone = other.zone;
        names = copyOf(other.names);
    }
    return *this;
}

void Device::toXml(QXmlStreamWriter& writer) const
{
    writer.writeStartElement(QStringLiteral("device"));
    writer.writeAttribute(QStringLiteral("address"), QString::number(address));
    writer.writeAttribute(QStringLiteral("zone"), QString::number(zone));
    if (names) {
        names->toXml(writer);
    }
    writer.writeEndElement();
}

void Device::parseXml(QXmlStreamReader& reader)
{
    address = xml::decimalAttribute(reader, "address");
    zone = xml::decimalAttribute(reader, "zone");
    names.reset();
    while (reader.readNextStartElement()) {
        if (xml::isNamed(reader, "deviceNames")) {
            names = std::make_shared<DeviceNames>();
            names->parseXml(reader);
        } else {
            reader.skipCurrentElement();
        }
    }
}

bool operator==(const Device& a, const Device& b)
{
    if (a.address != b.address || a.zone != b.zone || bool(a.names) != bool(b.names)) {
        return false;
    }
    return !a.names || *a.names == *b.names;
}

bool operator!=(const Device& a, const Device& b)
{
    return !(a == b);
}

} // namespace config_zelmar
