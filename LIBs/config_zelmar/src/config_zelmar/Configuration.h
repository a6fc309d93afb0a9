#pragma once

#include "config_zelmar/Command.h"
#include "config_zelmar/EventTable.h"
#include "config_zelmar/PanelDescription.h"
#include "config_zelmar/Section.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QXmlStreamReader;
class QXmlStreamWriter;

namespace config_zelmar {

// The whole configuration of one panel: global options, display and buzzer options, section consoles
// with their devices, control commands and event name tables.
//
// Invariants kept by the operations below: a section console has exactly the section with key 0; table 0
// is the default table and the list is never empty; devices refer to tables by position and those
// references follow every move and removal of tables. Operations given an invalid position or asked to
// exceed a limit do nothing; option values are not range-checked here.
class Configuration
{
public:
    static constexpr const char* deviceId = "Zelmar";
    static const EventTable defaultEventTable;
    static constexpr std::size_t maxCommands = panel_description::maxCommands;
    static constexpr std::size_t maxEventTables = panel_description::maxEventTables;

    Configuration();
    virtual ~Configuration() = default;
    Configuration(const Configuration&) = default;
    Configuration& operator=(const Configuration&) = default;
    Configuration(Configuration&&) = default;
    Configuration& operator=(Configuration&&) = default;

    // Every field back to its initial value: one section with key 0, one default event table.
    void resetToDefaults();

    bool pultType() const { return centralPult; }
    // Changing the type removes all sections (recreating key 0 for a section console) and all commands.
    void setPultType(bool central);

    void storePassword(const std::string& digits);
    void clearPassword();

    bool commandNameExists(const std::u16string& name) const;
    void swapCommands(int i, int j);
    void moveCommandToTop(int i);
    void moveCommandToBottom(int i);

    // Throws std::out_of_range for an invalid position.
    EventTable& eventTableAt(int index);
    const EventTable& eventTableAt(int index) const;
    // True when a table other than table 0 has exactly this name.
    bool eventTableNameExists(const std::u16string& name) const;
    void appendEventTable(const EventTable& table);
    bool isEventTableUsed(int index) const;
    void swapEventTables(int a, int b);
    void moveEventTableToTop(int b);
    void moveEventTableToBottom(int b);
    void removeEventTable(int a);
    void clearEventTables();
    // Drops tables that no device uses and that hold only default texts and flags, names unnamed tables;
    // true when a table was removed.
    bool rebuildEventTables();

    void lcdCorrection();

    void toXml(QXmlStreamWriter& writer) const;
    // Never throws; errors are raised on the reader. Ends with lcdCorrection() and rebuildEventTables().
    void parseXml(QXmlStreamReader& reader);

    // Information from the panel; not stored in the XML file.
    std::string lastWriteDate;
    int32_t writeCounter = 0;
    std::string firmwareVersion;

    int32_t backlightLevel = 1;   // 0 off, 1..3
    int32_t backlightTime = 30;   // seconds
    int32_t messageTime = 32;     // eighths of a second
    int32_t menuTime = 60;        // seconds, 0 off
    int32_t clockSyncHour = 2;    // 0..23, 255 no synchronisation
    uint32_t zummerConfig = 0xFF; // buzzer bit mask, low byte only
    bool hasPassword = false;
    std::string password;        // at most 8 decimal digits
    bool voltage = false;        // false 12 V, true 24 V
    bool individualReset = true; // each section reset separately
    int32_t pultAddress = 0;

    std::map<int, Section> sections; // keyed by console address; key 0 on a section console
    std::vector<Command> commands;
    std::vector<EventTable> eventTables;

private:
    using ReferenceRewrite = std::function<uint32_t(uint32_t)>;
    void rewriteTableReferences(const ReferenceRewrite& rewrite);
    bool validTablePosition(int index) const;
    void parseChildElement(QXmlStreamReader& reader);
    void parseEventTableElement(QXmlStreamReader& reader);
    void parseSectionElement(QXmlStreamReader& reader);
    void parsePasswordElement(QXmlStreamReader& reader);

    bool centralPult = false;
};

// True when both hold the same content as far as the XML file stores it: console type, options,
// password state (and the password when set), sections with devices and names (only key 0 for a section
// console), commands and event tables.
bool sameContent(const Configuration& a, const Configuration& b);

} // namespace config_zelmar
