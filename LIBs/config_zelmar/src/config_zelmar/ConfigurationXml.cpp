// The configuration element of the XML file: writing it, and reading it back with every reader rule.
#include "config_zelmar/Configuration.h"

#include "config_zelmar/ConfigurationDocument.h"
#include "config_zelmar/Trace.h"
#include "config_zelmar/XmlValues.h"

#include <QIODevice>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace config_zelmar {

namespace {

constexpr const char* formatVersion = "2";
constexpr std::size_t maxPasswordBytes = panel_description::passwordDigits;

bool allDigits(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A reader on a file device of absurd size is refused before anything is read; for other sources the
// amount read so far is checked as reading goes on.
bool tooLarge(const QXmlStreamReader& reader)
{
    const QIODevice* device = reader.device();
    if (device && !device->isSequential() && device->size() > ConfigurationDocument::maxFileSize) {
        return true;
    }
    return reader.characterOffset() > ConfigurationDocument::maxFileSize;
}

// Reads up to the first start element. False, with the reader's error raised, when there is none or a
// document type declaration comes first: entities it declares are never expanded.
bool readRootStart(QXmlStreamReader& reader)
{
    while (reader.readNext() != QXmlStreamReader::StartElement) {
        if (reader.tokenType() == QXmlStreamReader::DTD) {
            reader.raiseError(xml::doctypeErrorText());
            return false;
        }
        if (reader.atEnd()) {
            reader.raiseError(xml::formatErrorText());
            return false;
        }
    }
    return true;
}

// Only comments, processing instructions and white space may follow the configuration element; the
// reader reports anything else as extra content.
void readToDocumentEnd(QXmlStreamReader& reader)
{
    while (!reader.atEnd()) {
        reader.readNext();
        if (tooLarge(reader)) {
            reader.raiseError(xml::formatErrorText());
        }
    }
}

bool isConfigurationStart(const QXmlStreamReader& reader)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    return xml::isNamed(reader, "configuration") &&
           attributes.value(QLatin1String("deviceId")) == QLatin1String(Configuration::deviceId) &&
           attributes.value(QLatin1String("version")) == QLatin1String(formatVersion);
}

} // namespace

void Configuration::toXml(QXmlStreamWriter& writer) const
{
    writer.writeStartElement(QStringLiteral("configuration"));
    writer.writeAttribute(QStringLiteral("deviceId"), QLatin1String(deviceId));
    writer.writeAttribute(QStringLiteral("version"), QLatin1String(formatVersion));
    xml::writeDecimal(writer, "backlightLevel", backlightLevel);
    xml::writeDecimal(writer, "backlightTime", backlightTime);
    xml::writeDecimal(writer, "messageTime", messageTime);
    xml::writeDecimal(writer, "menuTime", menuTime);
    xml::writeDecimal(writer, "clockSyncHour", clockSyncHour);
    writer.writeTextElement(QStringLiteral("zummerConfig"), xml::hexByte(zummerConfig));
    if (hasPassword) {
        xml::writeText(writer, "password", QString::fromStdString(password).toStdU16String());
    }
    xml::writeDecimal(writer, "pultType", centralPult ? 1 : 0);
    xml::writeDecimal(writer, "voltage", voltage ? 24 : 12);
    if (centralPult) {
        xml::writeDecimal(writer, "individualReset", individualReset ? 1 : 0);
    }
    xml::writeDecimal(writer, "pultAddress", pultAddress);
    for (const auto& [key, section] : sections) {
        if (centralPult || key == 0) {
            section.toXml(writer);
        }
    }
    for (const Command& command : commands) {
        command.toXml(writer);
    }
    for (std::size_t index = 0; index < eventTables.size(); ++index) {
        if (eventTables[index] != defaultEventTable) {
            eventTables[index].toXml(writer, static_cast<int>(index));
        }
    }
    writer.writeEndElement();
}

void Configuration::parseXml(QXmlStreamReader& reader)
{
    qCDebug(lcModel).noquote() << ">>> Configuration::parseXml()";
    resetToDefaults();
    if (tooLarge(reader)) {
        reader.raiseError(xml::formatErrorText());
    } else if (readRootStart(reader) && !isConfigurationStart(reader)) {
        reader.raiseError(xml::formatErrorText());
    }
    while (!reader.hasError() && reader.readNextStartElement()) {
        if (tooLarge(reader)) {
            reader.raiseError(xml::formatErrorText());
            break;
        }
        qCDebug(lcModel).noquote().nospace() << "Processing element <" << reader.name() << ">";
        parseChildElement(reader);
    }
    readToDocumentEnd(reader);
    lcdCorrection();
    rebuildEventTables();
    qCDebug(lcModel).noquote() << "<<< Configuration::parseXml()";
}

void Configuration::parseChildElement(QXmlStreamReader& reader)
{
    int32_t* const decimalFields[] = {&backlightLevel, &backlightTime, &messageTime, &menuTime, &pultAddress};
    const char* const decimalKeys[] = {"backlightLevel", "backlightTime", "messageTime", "menuTime",
                                       "pultAddress"};
    for (std::size_t i = 0; i < std::size(decimalKeys); ++i) {
        if (xml::isNamed(reader, decimalKeys[i])) {
            *decimalFields[i] = xml::readDecimal(xml::readText(reader));
            return;
        }
    }
    if (xml::isNamed(reader, "clockSyncHour")) {
        const int32_t hour = xml::readDecimal(xml::readText(reader));
        clockSyncHour = hour >= 0 && hour <= 23 ? hour : 255;
    } else if (xml::isNamed(reader, "zummerConfig")) {
        xml::readHexByte(xml::readText(reader), zummerConfig);
    } else if (xml::isNamed(reader, "password")) {
        parsePasswordElement(reader);
    } else if (xml::isNamed(reader, "pultType")) {
        setPultType(xml::readDecimal(xml::readText(reader)) == 1);
    } else if (xml::isNamed(reader, "voltage")) {
        voltage = xml::readText(reader) == QLatin1String("24");
    } else if (xml::isNamed(reader, "individualReset")) {
        individualReset = xml::readDecimal(xml::readText(reader)) == 1;
    } else if (xml::isNamed(reader, "section")) {
        parseSectionElement(reader);
    } else if (xml::isNamed(reader, "command") && commands.size() < maxCommands) {
        commands.emplace_back(centralPult);
        commands.back().parseXml(reader);
    } else if (xml::isNamed(reader, "eventTable")) {
        parseEventTableElement(reader);
    } else {
        reader.skipCurrentElement();
    }
}

// A password is at most 8 decimal digits (an empty one included). Any other text lowers the password
// flag, except that a text longer than 8 bytes is ignored altogether: it can never be a valid password.
void Configuration::parsePasswordElement(QXmlStreamReader& reader)
{
    const std::string text = xml::readText(reader).toStdString();
    if (text.size() > maxPasswordBytes) {
        return;
    }
    if (allDigits(text)) {
        storePassword(text);
    } else {
        hasPassword = false;
    }
}

void Configuration::parseSectionElement(QXmlStreamReader& reader)
{
    Section section;
    section.parseXml(reader);
    const bool ownSection = section.address == 0;
    if (ownSection != centralPult) {
        sections[section.address] = std::move(section);
    }
}

void Configuration::parseEventTableElement(QXmlStreamReader& reader)
{
    const int32_t index = xml::decimalAttribute(reader, "index");
    qCDebug(lcModel).noquote() << "index =" << index;
    if (index < 0 || index >= static_cast<int32_t>(maxEventTables)) {
        reader.skipCurrentElement();
        return;
    }
    while (eventTables.size() <= static_cast<std::size_t>(index)) {
        eventTables.push_back(defaultEventTable);
    }
    eventTables[index].parseXml(reader);
}

} // namespace config_zelmar
