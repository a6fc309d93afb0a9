// Sections, devices and device names: default names, copies that never share names, look-alike
// correction; event tables: defaults, equality and correction.
#include "config_zelmar/Configuration.h"

#include <gtest/gtest.h>

#include <functional>

using namespace config_zelmar;

TEST(Section, DefaultTexts)
{
    EXPECT_EQ(Section::groupName(1), u"Группа A");
    EXPECT_EQ(Section::groupName(7), u"Группа G");
    EXPECT_EQ(Section::groupName(0), u"");
    EXPECT_EQ(Section::groupName(8), u"");
    EXPECT_EQ(Section::defaultPultName(24), u"Секционный пульт 24");
    EXPECT_EQ(Section::defaultPultName(0), u"");
    EXPECT_EQ(Section::defaultPultName(25), u"");
    const std::u16string dubler = Section::defaultDublerName(3);
    ASSERT_GE(dubler.size(), 3u);
    EXPECT_EQ(dubler.substr(dubler.size() - 3), u"p 3"); // Latin p
    EXPECT_EQ(Section::defaultDublerName(25), u"");
}

TEST(DeviceNames, DefaultNames)
{
    const std::u16string address = u"A\u0434pec "; // Latin A, д, Latin p e c
    EXPECT_EQ(defaultDeviceName(15, 3), address + u"3.15");
    EXPECT_EQ(defaultDeviceName(15, 0), address + u"15");
    EXPECT_EQ(defaultDeviceName(15, 25), address + u"15");
    EXPECT_EQ(defaultDeviceName(0, 1), u"");
    EXPECT_EQ(defaultDeviceName(128, 1), u"");
    EXPECT_EQ(defaultLoop1Name(0, 1), u" \u0428\u043Be\u0439\u0444 1");
    EXPECT_EQ(defaultLine4Name(127, 24), address + u"24.127 \u041B.c. 4");
    EXPECT_EQ(defaultOutsName(2, 0), address + u"2 B\u044Bxo\u0434\u044B");
}

TEST(Device, CopiesNeverShareNames)
{
    Device source;
    source.address = 4;
    source.names = std::make_shared<DeviceNames>();
    source.names->loop2Name = u"loop";
    source.names->eventTable = 2;

    Device copy = source;
    copy.names->loop2Name = u"changed";
    copy.names->eventTable = 5;
    EXPECT_EQ(source.names->loop2Name, u"loop");
    EXPECT_EQ(source.names->eventTable, 2u);

    Device assigned;
    assigned = source;
    EXPECT_NE(assigned.names, source.names);
    EXPECT_EQ(assigned, source);

    assigned = Device();
    EXPECT_EQ(assigned.names, nullptr);
    EXPECT_EQ(Device(Device()).names, nullptr);
}

TEST(Section, CopiesOfSectionsAreIndependent)
{
    Section source;
    Device device;
    device.names = std::make_shared<DeviceNames>();
    device.names->deviceName = u"door";
    source.devices[1] = device;

    Section copy = source;
    copy.devices[1].names->deviceName = u"gate";
    copy.devices[1].names->eventTable = 3;
    EXPECT_EQ(source.devices[1].names->deviceName, u"door");
    EXPECT_EQ(source.devices[1].names->eventTable, 0u);
    EXPECT_NE(copy, source);
}

TEST(Section, LookAlikeCorrection)
{
    Section section;
    section.name = u"\u0421\u043A\u043B\u0430\u0434"; // Склад
    section.dublerName = u"\u041E";                   // О
    Device device;
    device.names = std::make_shared<DeviceNames>();
    device.names->outsName = u"\u0412\u0445\u043E\u0434 \u041E\u043A\u043D\u043E"; // Вход Окно
    section.devices[1] = device;

    section.lcdCorrection();
    EXPECT_EQ(section.name, u"C\u043A\u043Ba\u0434");
    EXPECT_EQ(section.dublerName, u"\u041E"); // no duplicate console: left alone
    EXPECT_EQ(section.devices[1].names->outsName, u"Bxo\u0434 O\u043A\u043Do");

    section.dubler = true;
    section.lcdCorrection();
    EXPECT_EQ(section.dublerName, u"O");
}

TEST(EventTable, DefaultsEqualityAndRestore)
{
    EventTable table;
    EXPECT_EQ(table, Configuration::defaultEventTable);
    EXPECT_EQ(table.texts[Event::loop1Fire], u"\u041FO\u0416AP");
    EXPECT_TRUE(table.emergency[Event::loop2Warning]);
    EXPECT_FALSE(table.emergency[Event::outsFailure]);

    const std::vector<std::function<void(EventTable&)>> changes = {
        [](EventTable& t) { t.emergency[3] = false; }, [](EventTable& t) { t.texts[23] = u"x"; },
        [](EventTable& t) { t.name = u"n"; }};
    for (const auto& change : changes) {
        EventTable changed;
        change(changed);
        EXPECT_NE(changed, table);
        changed.restoreDefaults();
        EXPECT_EQ(changed, table);
    }
    EXPECT_EQ(EventTable::defaultTableName(3), u"Ta\u0431\u043B\u0438\u0446a 3");
    EXPECT_EQ(EventTable::defaultTableName(3).size(), 9u);
}

TEST(EventTable, CorrectionRestoresTheDefaultSpelling)
{
    EventTable table;
    table.texts[Event::loop1Fire] = u"\u041F\u041E\u0416\u0410\u0420"; // ПОЖАР, all Cyrillic
    table.lcdCorrection();
    EXPECT_EQ(table, Configuration::defaultEventTable);

    EventTable untouched;
    untouched.lcdCorrection();
    EXPECT_EQ(untouched, Configuration::defaultEventTable);
}
