#include "config_zelmar/Section.h"

#include "config_zelmar/LCDCharset.h"
#include "config_zelmar/PanelDescription.h"
#include "config_zelmar/XmlValues.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace config_zelmar {

namespace {

bool isConsoleAddress(int n)
{
    return n >= panel_description::firstConsole && n <= panel_description::lastConsole;
}

std::u16string decimal(int value)
{
    return QString::number(value).toStdU16String();
}

} // namespace

void Section::lcdCorrection()
{
    applyLcdLookAlike(name);
    if (dubler) {
        applyLcdLookAlike(dublerName);
    }
    for (auto& entry : devices) {
        if (entry.second.names) {
            entry.second.names->lcdCorrection();
        }
    }
}

std::u16string Section::groupName(int g)
{
    if (g < 1 || g > 7) {
        return {};
    }
    return u"Группа " + std::u16string(1, static_cast<char16_t>(u'A' + (g - 1)));
}

std::u16string Section::defaultPultName(int n)
{
    return isConsoleAddress(n) ? u"Секционный пульт " + decimal(n) : std::u16string();
}

std::u16string Section::defaultDublerName(int n)
{
    return isConsoleAddress(n) ? u"Пyльт-дyблёp " + decimal(n) : std::u16string();
}

void Section::toXml(QXmlStreamWriter& writer) const
{
    writer.writeStartElement(QStringLiteral("section"));
    writer.writeAttribute(QStringLiteral("address"), QString::number(address));
    writer.writeAttribute(QStringLiteral("group"), QString::number(group));
    if (dubler) {
        writer.writeAttribute(QStringLiteral("dubler"), QStringLiteral("true"));
    }
    if (!name.empty()) {
        xml::writeText(writer, "name", name);
    }
    if (dubler) {
        xml::writeText(writer, "dublerName", dublerName);
    }
    for (const auto& entry : devices) {
        entry.second.toXml(writer);
    }
    writer.writeEndElement();
}

void Section::parseXml(QXmlStreamReader& reader)
{
    address = xml::decimalAttribute(reader, "address");
    group = xml::decimalAttribute(reader, "group");
    dubler = xml::flagAttribute(reader, "dubler");
    name.clear();
    dublerName.clear();
    devices.clear();
    while (reader.readNextStartElement()) {
        if (xml::isNamed(reader, "name")) {
            name = xml::readWideText(reader);
        } else if (xml::isNamed(reader, "dublerName") && dubler) {
            dublerName = xml::readWideText(reader);
        } else if (xml::isNamed(reader, "device")) {
            Device device;
            device.parseXml(reader);
            devices[device.address] = std::move(device);
        } else {
            reader.skipCurrentElement();
        }
    }
}

bool operator==(const Section& a, const Section& b)
{
    return a.address == b.address && a.group == b.group && a.dubler == b.dubler && a.name == b.name &&
           a.dublerName == b.dublerName && a.devices == b.devices;
}

bool operator!=(const Section& a, const Section& b)
{
    return !(a == b);
}

} // namespace config_zelmar
