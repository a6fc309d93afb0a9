#include "config_zelmar/Configuration.h"

#include "config_zelmar/ConfigurationComparison.h"
#include "config_zelmar/LCDCharset.h"
#include "config_zelmar/Trace.h"

#include <algorithm>
#include <stdexcept>

namespace config_zelmar {

const EventTable Configuration::defaultEventTable;

Configuration::Configuration()
{
    sections[0] = Section();
    eventTables.push_back(defaultEventTable);
}

void Configuration::resetToDefaults()
{
    *this = Configuration();
}

void Configuration::setPultType(bool central)
{
    if (central == centralPult) {
        return;
    }
    centralPult = central;
    sections.clear();
    if (!central) {
        sections[0] = Section();
    }
    commands.clear();
}

void Configuration::storePassword(const std::string& digits)
{
    hasPassword = true;
    password = digits;
}

void Configuration::clearPassword()
{
    hasPassword = false;
    password.clear();
}

bool Configuration::commandNameExists(const std::u16string& name) const
{
    return std::any_of(commands.begin(), commands.end(),
                       [&name](const Command& command) { return command.name == name; });
}

void Configuration::swapCommands(int i, int j)
{
    const int count = static_cast<int>(commands.size());
    if (i != j && i >= 0 && i < count && j >= 0 && j < count) {
        std::swap(commands[i], commands[j]);
    }
}

void Configuration::moveCommandToTop(int i)
{
    if (i >= 1 && i < static_cast<int>(commands.size())) {
        std::rotate(commands.begin(), commands.begin() + i, commands.begin() + i + 1);
    }
}

void Configuration::moveCommandToBottom(int i)
{
    if (i >= 0 && i < static_cast<int>(commands.size()) - 1) {
        std::rotate(commands.begin() + i, commands.begin() + i + 1, commands.end());
    }
}

EventTable& Configuration::eventTableAt(int index)
{
    if (index < 0) {
        throw std::out_of_range("event table position");
    }
    return eventTables.at(static_cast<std::size_t>(index));
}

const EventTable& Configuration::eventTableAt(int index) const
{
    if (index < 0) {
        throw std::out_of_range("event table position");
    }
    return eventTables.at(static_cast<std::size_t>(index));
}

bool Configuration::eventTableNameExists(const std::u16string& name) const
{
    return std::any_of(eventTables.begin() + std::min<std::size_t>(1, eventTables.size()), eventTables.end(),
                       [&name](const EventTable& table) { return table.name == name; });
}

void Configuration::appendEventTable(const EventTable& table)
{
    if (eventTables.size() < maxEventTables) {
        eventTables.push_back(table);
    }
}

bool Configuration::isEventTableUsed(int index) const
{
    if (index == 0) {
        return true;
    }
    if (index < 1 || index >= static_cast<int>(maxEventTables)) {
        return false;
    }
    auto refersToIndex = [index](const std::pair<const int, Device>& entry) {
        const auto& names = entry.second.names;
        return names && names->eventTable == static_cast<uint32_t>(index);
    };
    for (const auto& [key, section] : sections) {
        if ((centralPult || key == 0) &&
            std::any_of(section.devices.begin(), section.devices.end(), refersToIndex)) {
            return true;
        }
    }
    return false;
}

bool Configuration::validTablePosition(int index) const
{
    return index >= 1 && index < static_cast<int>(eventTables.size());
}

void Configuration::rewriteTableReferences(const ReferenceRewrite& rewrite)
{
    if (!centralPult && sections.count(0) == 0) {
        sections[0] = Section();
    }
    for (auto& [key, section] : sections) {
        if (!centralPult && key != 0) {
            continue;
        }
        for (auto& entry : section.devices) {
            if (entry.second.names) {
                entry.second.names->eventTable = rewrite(entry.second.names->eventTable);
            }
        }
    }
}

void Configuration::swapEventTables(int a, int b)
{
    if (a == b || !validTablePosition(a) || !validTablePosition(b)) {
        return;
    }
    std::swap(eventTables[a], eventTables[b]);
    const auto first = static_cast<uint32_t>(a);
    const auto second = static_cast<uint32_t>(b);
    rewriteTableReferences([=](uint32_t r) { return r == first ? second : r == second ? first : r; });
}

void Configuration::moveEventTableToTop(int b)
{
    if (b < 2 || !validTablePosition(b)) {
        return;
    }
    std::rotate(eventTables.begin() + 1, eventTables.begin() + b, eventTables.begin() + b + 1);
    const auto moved = static_cast<uint32_t>(b);
    rewriteTableReferences([=](uint32_t r) { return r == moved ? 1 : (r > 0 && r < moved) ? r + 1 : r; });
}

void Configuration::moveEventTableToBottom(int b)
{
    const int count = static_cast<int>(eventTables.size());
    if (b < 1 || b >= count - 1) {
        return;
    }
    std::rotate(eventTables.begin() + b, eventTables.begin() + b + 1, eventTables.end());
    const auto moved = static_cast<uint32_t>(b);
    const auto last = static_cast<uint32_t>(count - 1);
    rewriteTableReferences([=](uint32_t r) {
        return r == moved ? last : (r > moved && r <= last) ? r - 1 : r;
    });
}

void Configuration::removeEventTable(int a)
{
    if (!validTablePosition(a)) {
        return;
    }
    eventTables.erase(eventTables.begin() + a);
    const auto removed = static_cast<uint32_t>(a);
    rewriteTableReferences([=](uint32_t r) { return r == removed ? 0 : r > removed ? r - 1 : r; });
}

void Configuration::clearEventTables()
{
    eventTables.clear();
    eventTables.push_back(defaultEventTable);
    rewriteTableReferences([](uint32_t) { return 0u; });
}

bool Configuration::rebuildEventTables()
{
    qCDebug(lcModel).noquote() << ">>> Configuration::rebuildEventTables()";
    if (eventTables.empty()) {
        eventTables.push_back(defaultEventTable);
    }
    eventTables[0].name.clear();
    bool removed = false;
    int i = 1;
    while (i < static_cast<int>(eventTables.size())) {
        EventTable unnamed = eventTables[i];
        unnamed.name.clear();
        if (isEventTableUsed(i) || unnamed != defaultEventTable) {
            if (eventTables[i].name.empty()) {
                eventTables[i].name = EventTable::defaultTableName(i);
            }
            ++i;
        } else {
            removeEventTable(i);
            removed = true;
        }
    }
    qCDebug(lcModel).noquote() << "<<< Configuration::rebuildEventTables() returns"
                               << (removed ? "true" : "false");
    return removed;
}

void Configuration::lcdCorrection()
{
    qCDebug(lcModel).noquote() << ">>> Configuration::lcdCorrection()";
    for (auto& entry : sections) {
        entry.second.lcdCorrection();
    }
    for (Command& command : commands) {
        applyLcdLookAlike(command.name);
    }
    for (EventTable& table : eventTables) {
        table.lcdCorrection();
    }
    qCDebug(lcModel).noquote() << "<<< Configuration::lcdCorrection()";
}

bool sameContent(const Configuration& a, const Configuration& b)
{
    return compareConfigurations(a, b).empty();
}

} // namespace config_zelmar
