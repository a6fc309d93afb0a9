#include "config_zelmar/DeviceNames.h"

#include "config_zelmar/PanelDescription.h"

#include "config_zelmar/LCDCharset.h"
#include "config_zelmar/XmlValues.h"

#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace config_zelmar {

namespace {

// Older files named the outputs this way.
constexpr const char* legacyOutsNameKey = "alertLoopName";

std::u16string decimal(int value)
{
    return QString::number(value).toStdU16String();
}

std::u16string withSuffix(int a, int s, const char16_t* suffix)
{
    return defaultDeviceName(a, s) + suffix;
}

} // namespace

void DeviceNames::lcdCorrection()
{
    for (std::u16string* text : {&deviceName, &outsName, &loop1Name, &loop2Name, &line3Name, &line4Name}) {
        applyLcdLookAlike(*text);
    }
}

void DeviceNames::toXml(QXmlStreamWriter& writer) const
{
    writer.writeStartElement(QStringLiteral("deviceNames"));
    xml::writeDecimal(writer, "eventTable", eventTable);
    xml::writeText(writer, "deviceName", deviceName);
    xml::writeText(writer, "outsName", outsName);
    xml::writeText(writer, "loop1Name", loop1Name);
    xml::writeText(writer, "loop2Name", loop2Name);
    xml::writeText(writer, "line3Name", line3Name);
    xml::writeText(writer, "line4Name", line4Name);
    writer.writeEndElement();
}

void DeviceNames::parseXml(QXmlStreamReader& reader)
{
    const std::pair<const char*, std::u16string*> textFields[] = {
        {"deviceName", &deviceName}, {"outsName", &outsName},   {legacyOutsNameKey, &outsName},
        {"loop1Name", &loop1Name},   {"loop2Name", &loop2Name}, {"line3Name", &line3Name},
        {"line4Name", &line4Name},
    };
    while (reader.readNextStartElement()) {
        if (xml::isNamed(reader, "eventTable")) {
            eventTable = xml::readUnsignedDecimal(xml::readText(reader));
            continue;
        }
        std::u16string* field = nullptr;
        for (const auto& [key, target] : textFields) {
            if (xml::isNamed(reader, key)) {
                field = target;
            }
        }
        if (field) {
            *field = xml::readWideText(reader);
        } else {
            reader.skipCurrentElement();
        }
    }
}

bool operator==(const DeviceNames& a, const DeviceNames& b)
{
    return a.eventTable == b.eventTable && a.deviceName == b.deviceName && a.outsName == b.outsName &&
           a.loop1Name == b.loop1Name && a.loop2Name == b.loop2Name && a.line3Name == b.line3Name &&
           a.line4Name == b.line4Name;
}

bool operator!=(const DeviceNames& a, const DeviceNames& b)
{
    return !(a == b);
}

std::u16string defaultDeviceName(int a, int s)
{
    if (a < panel_description::firstDevice || a > panel_description::lastDevice) {
        return {};
    }
    std::u16string text = u"Aдpec ";
    if (s >= panel_description::firstConsole && s <= panel_description::lastConsole) {
        text += decimal(s) + u".";
    }
    return text + decimal(a);
}

std::u16string defaultOutsName(int a, int s)
{
    return withSuffix(a, s, u" Bыxoды");
}

std::u16string defaultLoop1Name(int a, int s)
{
    return withSuffix(a, s, u" Шлeйф 1");
}

std::u16string defaultLoop2Name(int a, int s)
{
    return withSuffix(a, s, u" Шлeйф 2");
}

std::u16string defaultLine3Name(int a, int s)
{
    return withSuffix(a, s, u" Л.c. 3");
}

std::u16string defaultLine4Name(int a, int s)
{
    return withSuffix(a, s, u" Л.c. 4");
}

} // namespace config_zelmar
