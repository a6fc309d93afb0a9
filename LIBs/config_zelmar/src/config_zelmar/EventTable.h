#pragma once

#include "config_zelmar/Event.h"

#include <array>
#include <string>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace config_zelmar {

// A named set of the texts the panel shows for the 24 events of a device, with an emergency flag per
// event. Table 0 of a configuration is the default table; devices choose a table by position.
class EventTable
{
public:
    EventTable();
    virtual ~EventTable() = default;
    EventTable(const EventTable&) = default;
    EventTable& operator=(const EventTable&) = default;
    EventTable(EventTable&&) = default;
    EventTable& operator=(EventTable&&) = default;

    // Empties the name and restores every default text and emergency flag.
    void restoreDefaults();
    // Replaces Cyrillic letters that have a Latin twin on the LCD in the name and the 24 texts.
    void lcdCorrection();

    void toXml(QXmlStreamWriter& writer, int index) const;
    void parseXml(QXmlStreamReader& reader);

    // "Taблицa " followed by i in decimal.
    static std::u16string defaultTableName(int i);

    std::u16string name;
    std::array<std::u16string, Event::count> texts;
    std::array<bool, Event::count> emergency;
};

bool operator==(const EventTable& a, const EventTable& b);
bool operator!=(const EventTable& a, const EventTable& b);

} // namespace config_zelmar
