#include "config_zelmar/EventTable.h"

#include "config_zelmar/LCDCharset.h"
#include "config_zelmar/Trace.h"
#include "config_zelmar/XmlValues.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace config_zelmar {

namespace {

// Older files named the outputs failure slot this way.
constexpr const char* legacyOutsFailureKey = "alertLoopFailure";

} // namespace

EventTable::EventTable()
{
    restoreDefaults();
}

void EventTable::restoreDefaults()
{
    name.clear();
    for (std::size_t slot = 0; slot < Event::count; ++slot) {
        texts[slot] = Event::all()[slot].defaultText;
        emergency[slot] = Event::all()[slot].defaultEmergency;
    }
}

void EventTable::lcdCorrection()
{
    qCDebug(lcModel).noquote() << "=== EventTable::lcdCorrection()";
    applyLcdLookAlike(name);
    for (std::u16string& text : texts) {
        applyLcdLookAlike(text);
    }
}

std::u16string EventTable::defaultTableName(int i)
{
    return u"Taблицa " + QString::number(i).toStdU16String();
}

void EventTable::toXml(QXmlStreamWriter& writer, int index) const
{
    qCDebug(lcModel).noquote().nospace() << ">>> EventTable::toXml(i = " << index << ")";
    writer.writeStartElement(QStringLiteral("eventTable"));
    writer.writeAttribute(QStringLiteral("index"), QString::number(index));
    xml::writeText(writer, "name", name);
    for (std::size_t slot = 0; slot < Event::count; ++slot) {
        const Event& event = Event::all()[slot];
        if (texts[slot] == event.defaultText && emergency[slot] == event.defaultEmergency) {
            continue;
        }
        writer.writeStartElement(QLatin1String(event.key));
        if (emergency[slot]) {
            writer.writeAttribute(QStringLiteral("emergency"), QStringLiteral("true"));
        }
        xml::writeCharacters(writer, xml::writableText(texts[slot]));
        writer.writeEndElement();
    }
    writer.writeEndElement();
    qCDebug(lcModel).noquote() << "<<< EventTable::toXml()";
}

void EventTable::parseXml(QXmlStreamReader& reader)
{
    qCDebug(lcModel).noquote() << ">>> EventTable::parseXml()";
    restoreDefaults();
    while (reader.readNextStartElement()) {
        if (xml::isNamed(reader, "name")) {
            name = xml::readWideText(reader);
            continue;
        }
        int slot = Event::slotOfKey(reader.name().toString().toStdString());
        if (xml::isNamed(reader, legacyOutsFailureKey)) {
            slot = Event::outsFailure;
        }
        if (slot < 0) {
            reader.skipCurrentElement();
            continue;
        }
        emergency[slot] = xml::flagAttribute(reader, "emergency");
        texts[slot] = xml::readWideText(reader);
    }
    qCDebug(lcModel).noquote() << "<<< EventTable::parseXml";
}

bool operator==(const EventTable& a, const EventTable& b)
{
    return a.name == b.name && a.texts == b.texts && a.emergency == b.emergency;
}

bool operator!=(const EventTable& a, const EventTable& b)
{
    return !(a == b);
}

} // namespace config_zelmar
