#pragma once

#include "config_zelmar/Device.h"

#include <map>
#include <string>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace config_zelmar {

// One section of the alarm system: its section console, an optional duplicate console and its devices.
// A section console's own configuration holds one Section with address 0 and no names of its own.
class Section
{
public:
    Section() = default;
    virtual ~Section() = default;
    Section(const Section&) = default; // devices are copied with Device's copy semantics
    Section& operator=(const Section&) = default;
    Section(Section&&) = default;
    Section& operator=(Section&&) = default;

    // Look-alike correction of the name, of the duplicate name (only with a duplicate) and of the
    // names of every device that has names.
    void lcdCorrection();

    void toXml(QXmlStreamWriter& writer) const;
    void parseXml(QXmlStreamReader& reader);

    // "Группа " and a letter "A".."G" for g 1..7; empty otherwise.
    static std::u16string groupName(int g);
    // "Секционный пульт " and n for n 1..24; empty otherwise.
    static std::u16string defaultPultName(int n);
    // "Пyльт-дyблёp " and n for n 1..24; empty otherwise.
    static std::u16string defaultDublerName(int n);

    int address = 0; // console address 1..24, or 0 for a section console's own section
    int group = 1;   // 1..7 shown as A..G
    bool dubler = false;
    std::u16string name;       // empty: default name
    std::u16string dublerName; // meaningful only with dubler; empty: default name
    std::map<int, Device> devices;
};

bool operator==(const Section& a, const Section& b);
bool operator!=(const Section& a, const Section& b);

} // namespace config_zelmar
