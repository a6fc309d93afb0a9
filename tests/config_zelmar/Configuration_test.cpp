// Configuration: defaults, console type changes, command order and the event table references that
// must follow every move and removal of tables.
#include "config_zelmar/Configuration.h"
#include "config_zelmar/Trace.h"

#include <gtest/gtest.h>

#include <functional>

using namespace config_zelmar;

namespace {

EventTable customTable(const std::u16string& name, int slot = 0)
{
    EventTable table;
    table.name = name;
    table.texts[slot] = u"X" + name;
    return table;
}

// A section console with tables 0..tableCount-1 and one named device per given reference.
Configuration withReferences(int tableCount, std::initializer_list<uint32_t> references)
{
    Configuration configuration;
    for (int i = 1; i < tableCount; ++i) {
        configuration.appendEventTable(customTable(u"T" + std::u16string(1, char16_t(u'0' + i))));
    }
    int address = 1;
    for (uint32_t reference : references) {
        Device device;
        device.address = address;
        device.names = std::make_shared<DeviceNames>();
        device.names->eventTable = reference;
        configuration.sections[0].devices[address++] = device;
    }
    return configuration;
}

std::vector<uint32_t> references(const Configuration& configuration)
{
    std::vector<uint32_t> result;
    for (const auto& [key, section] : configuration.sections) {
        for (const auto& [address, device] : section.devices) {
            result.push_back(device.names ? device.names->eventTable : 999);
        }
    }
    return result;
}

std::vector<std::u16string> tableNames(const Configuration& configuration)
{
    std::vector<std::u16string> names;
    for (const EventTable& table : configuration.eventTables) {
        names.push_back(table.name);
    }
    return names;
}

} // namespace

TEST(Configuration, NewConfigurationHoldsTheDefaults)
{
    const Configuration configuration;
    ASSERT_EQ(configuration.sections.size(), 1u);
    EXPECT_EQ(configuration.sections.count(0), 1u);
    ASSERT_EQ(configuration.eventTables.size(), 1u);
    EXPECT_EQ(configuration.eventTables[0], Configuration::defaultEventTable);
    EXPECT_TRUE(configuration.eventTables[0].name.empty());
    EXPECT_TRUE(configuration.commands.empty());
    EXPECT_EQ(configuration.zummerConfig, 0xFFu);
    EXPECT_EQ(configuration.clockSyncHour, 2);
    EXPECT_EQ(configuration.messageTime, 32);
    EXPECT_EQ(configuration.backlightTime, 30);
    EXPECT_EQ(configuration.menuTime, 60);
    EXPECT_EQ(configuration.backlightLevel, 1);
    EXPECT_FALSE(configuration.voltage);
    EXPECT_TRUE(configuration.individualReset);
    EXPECT_FALSE(configuration.pultType());
    EXPECT_EQ(configuration.pultAddress, 0);
    EXPECT_FALSE(configuration.hasPassword);
}

TEST(Configuration, ResetToDefaultsForgetsEverything)
{
    Configuration configuration = withReferences(3, {1});
    configuration.setPultType(true);
    configuration.commands.emplace_back(true);
    configuration.lastWriteDate = "01.02.2025";
    configuration.writeCounter = 7;
    configuration.storePassword("1234");
    configuration.resetToDefaults();
    EXPECT_TRUE(sameContent(configuration, Configuration()));
    EXPECT_TRUE(configuration.lastWriteDate.empty());
    EXPECT_EQ(configuration.writeCounter, 0);
}

TEST(Configuration, ChangingTheConsoleTypeReshapesSectionsAndDropsCommands)
{
    Configuration configuration = withReferences(2, {1});
    configuration.commands.emplace_back(false);

    configuration.setPultType(false);
    EXPECT_EQ(configuration.commands.size(), 1u);
    EXPECT_EQ(configuration.sections.at(0).devices.size(), 1u);

    configuration.setPultType(true);
    EXPECT_TRUE(configuration.sections.empty());
    EXPECT_TRUE(configuration.commands.empty());
    EXPECT_EQ(configuration.eventTables.size(), 2u);

    configuration.setPultType(false);
    ASSERT_EQ(configuration.sections.size(), 1u);
    EXPECT_TRUE(configuration.sections.at(0).devices.empty());
}

TEST(Configuration, CommandOrderAndNames)
{
    Configuration configuration;
    for (const char16_t* name : {u"a", u"b", u"c", u"d"}) {
        configuration.commands.emplace_back(false);
        configuration.commands.back().name = name;
    }
    auto order = [&configuration] {
        std::u16string text;
        for (const Command& command : configuration.commands) {
            text += command.name;
        }
        return text;
    };
    configuration.moveCommandToTop(2);
    EXPECT_EQ(order(), u"cabd");
    configuration.moveCommandToBottom(0);
    EXPECT_EQ(order(), u"abdc");
    configuration.swapCommands(0, 3);
    EXPECT_EQ(order(), u"cbda");
    const std::vector<std::function<void()>> noOps = {
        [&] { configuration.moveCommandToTop(0); },    [&] { configuration.moveCommandToTop(4); },
        [&] { configuration.moveCommandToBottom(3); }, [&] { configuration.moveCommandToBottom(-1); },
        [&] { configuration.swapCommands(1, 1); },     [&] { configuration.swapCommands(0, 4); }};
    for (const auto& noOp : noOps) {
        noOp();
        EXPECT_EQ(order(), u"cbda");
    }
    EXPECT_TRUE(configuration.commandNameExists(u"b"));
    EXPECT_FALSE(configuration.commandNameExists(u"B"));
    EXPECT_FALSE(configuration.commandNameExists(u"b "));
}

TEST(Configuration, MovingTablesRewritesDeviceReferences)
{
    Configuration top = withReferences(5, {2, 4});
    top.moveEventTableToTop(3);
    EXPECT_EQ(references(top), (std::vector<uint32_t>{3, 4}));
    EXPECT_EQ(tableNames(top), (std::vector<std::u16string>{u"", u"T3", u"T1", u"T2", u"T4"}));

    Configuration removed = withReferences(5, {2, 4});
    removed.removeEventTable(2);
    EXPECT_EQ(references(removed), (std::vector<uint32_t>{0, 3}));
    EXPECT_EQ(tableNames(removed), (std::vector<std::u16string>{u"", u"T1", u"T3", u"T4"}));

    Configuration bottom = withReferences(5, {1, 3});
    bottom.moveEventTableToBottom(1);
    EXPECT_EQ(references(bottom), (std::vector<uint32_t>{4, 2}));
    EXPECT_EQ(tableNames(bottom), (std::vector<std::u16string>{u"", u"T2", u"T3", u"T4", u"T1"}));

    Configuration swapped = withReferences(3, {1, 2});
    swapped.swapEventTables(1, 2);
    EXPECT_EQ(references(swapped), (std::vector<uint32_t>{2, 1}));
    EXPECT_EQ(swapped.eventTables[1], customTable(u"T2"));

    Configuration cleared = withReferences(3, {1, 2});
    cleared.clearEventTables();
    EXPECT_EQ(references(cleared), (std::vector<uint32_t>{0, 0}));
    EXPECT_EQ(cleared.eventTables.size(), 1u);
}

TEST(Configuration, TableZeroAndInvalidPositionsAreNeverMoved)
{
    Configuration configuration = withReferences(5, {0, 1, 4});
    const std::vector<std::u16string> names = tableNames(configuration);
    configuration.swapEventTables(0, 1);
    configuration.moveEventTableToTop(1);
    configuration.moveEventTableToTop(5);
    configuration.moveEventTableToBottom(4);
    configuration.moveEventTableToBottom(0);
    configuration.removeEventTable(0);
    configuration.removeEventTable(5);
    configuration.removeEventTable(-1);
    EXPECT_EQ(tableNames(configuration), names);
    EXPECT_EQ(references(configuration), (std::vector<uint32_t>{0, 1, 4}));
}

TEST(Configuration, CentralConsoleReferencesOfEverySectionFollow)
{
    Configuration configuration = withReferences(4, {});
    configuration.setPultType(true);
    for (int address : {3, 9}) {
        Device device;
        device.names = std::make_shared<DeviceNames>();
        device.names->eventTable = 3;
        configuration.sections[address].address = address;
        configuration.sections[address].devices[1] = device;
    }
    configuration.sections[9].devices[2] = Device(); // no names, no reference
    EXPECT_TRUE(configuration.isEventTableUsed(3));
    configuration.removeEventTable(1);
    EXPECT_EQ(references(configuration), (std::vector<uint32_t>{2, 2, 999}));
}

TEST(Configuration, TableUseAndNames)
{
    Configuration configuration = withReferences(3, {2});
    configuration.sections[0].devices[1].names->eventTable = 16;
    EXPECT_TRUE(configuration.isEventTableUsed(0));
    EXPECT_FALSE(configuration.isEventTableUsed(16));
    EXPECT_FALSE(configuration.isEventTableUsed(-1));
    EXPECT_FALSE(configuration.isEventTableUsed(2));
    EXPECT_TRUE(configuration.eventTableNameExists(u"T2"));
    EXPECT_FALSE(configuration.eventTableNameExists(u""));
    EXPECT_THROW(configuration.eventTableAt(3), std::out_of_range);
    EXPECT_THROW(configuration.eventTableAt(-1), std::out_of_range);
    EXPECT_EQ(configuration.eventTableAt(1).name, u"T1");

    for (int i = 0; i < 20; ++i) {
        configuration.appendEventTable(EventTable());
    }
    EXPECT_EQ(configuration.eventTables.size(), 16u);
}

TEST(Configuration, RebuildDropsUnusedDefaultTablesAndNamesTheRest)
{
    Configuration configuration;
    configuration.eventTables[0].name = u"zero";
    configuration.appendEventTable(EventTable());
    configuration.appendEventTable(customTable(u""));
    Device device;
    device.names = std::make_shared<DeviceNames>();
    device.names->eventTable = 2;
    configuration.sections[0].devices[1] = device;

    EXPECT_TRUE(configuration.rebuildEventTables());
    ASSERT_EQ(configuration.eventTables.size(), 2u);
    EXPECT_EQ(configuration.eventTables[0].name, u"");
    EXPECT_EQ(configuration.eventTables[1].name, EventTable::defaultTableName(1));
    EXPECT_EQ(configuration.eventTables[1].texts[0], u"X");
    EXPECT_EQ(references(configuration), (std::vector<uint32_t>{1}));
    EXPECT_FALSE(configuration.rebuildEventTables());
}

TEST(Configuration, RebuildKeepsUsedDefaultTablesAndIgnoresNames)
{
    Configuration configuration = withReferences(1, {2});
    EventTable namedDefault;
    namedDefault.name = u"Named";
    configuration.appendEventTable(namedDefault); // 1: only a name, unused
    configuration.appendEventTable(EventTable()); // 2: default, used
    EXPECT_TRUE(configuration.rebuildEventTables());
    ASSERT_EQ(configuration.eventTables.size(), 2u);
    EXPECT_EQ(configuration.eventTables[1].name, EventTable::defaultTableName(1));
    EXPECT_EQ(references(configuration), (std::vector<uint32_t>{1}));
}

TEST(Configuration, SectionConsoleWithoutItsSectionUsesNoTableAndRecreatesIt)
{
    Configuration configuration = withReferences(3, {});
    configuration.sections.clear();
    EXPECT_FALSE(configuration.isEventTableUsed(1));
    EXPECT_TRUE(configuration.isEventTableUsed(0));
    configuration.removeEventTable(1);
    EXPECT_EQ(configuration.sections.count(0), 1u);
}

TEST(Configuration, RebuildRestoresTheDefaultTableOfAnEmptiedList)
{
    Configuration configuration;
    configuration.eventTables.clear();
    EXPECT_FALSE(configuration.rebuildEventTables());
    ASSERT_EQ(configuration.eventTables.size(), 1u);
    EXPECT_EQ(configuration.eventTables[0], Configuration::defaultEventTable);
}

TEST(Configuration, CorrectionReachesCommandNamesButNotThePassword)
{
    Configuration configuration = withReferences(1, {0});
    configuration.commands.emplace_back(false);
    configuration.commands.back().name = u"\u0421\u0431\u0440\u043E\u0441";                     // Сброс
    configuration.sections[0].devices[1].names->deviceName = u"\u0414\u0432\u0435\u0440\u044C"; // Дверь
    configuration.eventTables[0].name = u"\u041E";
    configuration.storePassword("1234");
    configuration.lcdCorrection();
    EXPECT_EQ(configuration.commands[0].name, u"C\u0431poc");
    EXPECT_EQ(configuration.sections[0].devices[1].names->deviceName, u"\u0414\u0432ep\u044C");
    EXPECT_EQ(configuration.eventTables[0].name, u"O");
    EXPECT_EQ(configuration.password, "1234");
}

TEST(Configuration, SameContentSeesEveryStoredField)
{
    const Configuration base = withReferences(3, {1});
    std::vector<std::function<void(Configuration&)>> changes = {
        [](Configuration& c) { c.backlightLevel = 3; },
        [](Configuration& c) { c.zummerConfig = 0x7F; },
        [](Configuration& c) { c.storePassword(""); },
        [](Configuration& c) { c.voltage = true; },
        [](Configuration& c) { c.pultAddress = 4; },
        [](Configuration& c) { c.sections[0].devices[1].names->loop2Name = u"x"; },
        [](Configuration& c) { c.sections[0].devices[1].zone = 5; },
        [](Configuration& c) { c.commands.emplace_back(false); },
        [](Configuration& c) { c.eventTables[2].emergency[0] = true; },
        [](Configuration& c) { c.setPultType(true); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        Configuration changed = base;
        changes[i](changed);
        EXPECT_FALSE(sameContent(base, changed)) << "change " << i;
    }
    Configuration unstored = base;
    unstored.individualReset = false; // not stored for a section console
    unstored.writeCounter = 3;
    unstored.password = "99"; // no password set
    EXPECT_TRUE(sameContent(base, unstored));
}

TEST(Configuration, ModelTraceIsOffUnlessEnabledByRules)
{
    EXPECT_STREQ(lcModel().categoryName(), "zelmar.model");
    EXPECT_FALSE(lcModel().isDebugEnabled());
    EXPECT_TRUE(lcModel().isWarningEnabled());
}
