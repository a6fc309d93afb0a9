// Comparing two configurations: every kind of field and entity change is found once, with its path and
// values as JSON and its Russian line; equal configurations have no difference.
#include "support/TransferTestBench.h"

#include "config_zelmar/ConfigurationComparison.h"

#include <gtest/gtest.h>

#include <functional>

using namespace config_zelmar;

namespace {

// A central console: section 3 "Склад" with a duplicate, its named device 17 and unnamed device 18,
// a second table, one command.
Configuration sample()
{
    Configuration configuration;
    configuration.setPultType(true);
    Section& section = configuration.sections[3];
    section.address = 3;
    section.name = u"Склад";
    section.dubler = true;
    section.dublerName = u"Вход";
    Device& named = section.devices[17];
    named.address = 17;
    named.names = std::make_shared<DeviceNames>();
    named.names->deviceName = u"Дверь";
    named.names->loop1Name = u"Дымовые";
    section.devices[18].address = 18;
    EventTable doors;
    doors.name = u"Двери";
    configuration.appendEventTable(doors);
    Command reset(true);
    reset.name = u"Сброс";
    configuration.commands.push_back(reset);
    return configuration;
}

DeviceNames& namesOf17(Configuration& c)
{
    return *c.sections.at(3).devices.at(17).names;
}

struct Case
{
    const char* what;
    std::function<void(Configuration&)> change;
    std::string path;
    std::string oldJson;
    std::string newJson;
};

} // namespace

TEST(ConfigurationComparison, FindsEachKindOfChangeOnceWithItsPathAndValues)
{
    const std::vector<Case> cases = {
        {"option", [](Configuration& c) { c.backlightLevel = 3; }, R"(["options", "backlightLevel"])", "1",
         "3"},
        {"buzzer", [](Configuration& c) { c.zummerConfig = 0xBF; }, R"(["options", "zummerConfig"])", "255",
         "191"},
        {"password", [](Configuration& c) { c.storePassword("1234"); }, R"(["options", "password"])", "null",
         R"("1234")"},
        {"voltage", [](Configuration& c) { c.voltage = true; }, R"(["options", "voltage"])", "12", "24"},
        {"reset", [](Configuration& c) { c.individualReset = false; }, R"(["options", "individualReset"])",
         "true", "false"},
        {"address", [](Configuration& c) { c.pultAddress = 5; }, R"(["options", "pultAddress"])", "0", "5"},
        {"section added", [](Configuration& c) { c.sections[5].address = 5; }, R"(["sections", 5])", "null",
         R"({"group": 1, "dubler": false, "name": "", "devices": {}})"},
        {"section removed", [](Configuration& c) { c.sections.erase(3); }, R"(["sections", 3])",
         R"({"group": 1, "dubler": true, "name": "Склад", "dublerName": "Вход", "devices": {"17": {"zone": 1, )"
         R"("names": {"eventTable": 0, "deviceName": "Дверь", "outsName": "", "loop1Name": "Дымовые", )"
         R"("loop2Name": "", "line3Name": "", "line4Name": ""}}, "18": {"zone": 1, "names": null}}})",
         "null"},
        {"section name", [](Configuration& c) { c.sections[3].name = u"Цех"; }, R"(["sections", 3, "name"])",
         R"("Склад")", R"("Цех")"},
        {"group", [](Configuration& c) { c.sections[3].group = 7; }, R"(["sections", 3, "group"])", "1", "7"},
        {"dubler", [](Configuration& c) { c.sections[3].dubler = false; }, "", "", ""}, // two: see below
        {"dubler name", [](Configuration& c) { c.sections[3].dublerName = u"Выход"; },
         R"(["sections", 3, "dublerName"])", R"("Вход")", R"("Выход")"},
        {"device added", [](Configuration& c) { c.sections[3].devices[20].address = 20; },
         R"(["sections", 3, "devices", 20])", "null", R"({"zone": 1, "names": null})"},
        {"device removed", [](Configuration& c) { c.sections[3].devices.erase(18); },
         R"(["sections", 3, "devices", 18])", R"({"zone": 1, "names": null})", "null"},
        {"zone", [](Configuration& c) { c.sections[3].devices[18].zone = 4; },
         R"(["sections", 3, "devices", 18, "zone"])", "1", "4"},
        {"names added",
         [](Configuration& c) { c.sections[3].devices[18].names = std::make_shared<DeviceNames>(); },
         R"(["sections", 3, "devices", 18, "names"])", "null",
         R"({"eventTable": 0, "deviceName": "", "outsName": "", "loop1Name": "", "loop2Name": "", )"
         R"("line3Name": "", "line4Name": ""})"},
        {"names removed", [](Configuration& c) { c.sections[3].devices[17].names.reset(); },
         R"(["sections", 3, "devices", 17, "names"])",
         R"({"eventTable": 0, "deviceName": "Дверь", "outsName": "", "loop1Name": "Дымовые", "loop2Name": "", )"
         R"("line3Name": "", "line4Name": ""})",
         "null"},
        {"device name", [](Configuration& c) { namesOf17(c).deviceName = u"Окно"; },
         R"(["sections", 3, "devices", 17, "names", "deviceName"])", R"("Дверь")", R"("Окно")"},
        {"outs", [](Configuration& c) { namesOf17(c).outsName = u"o"; },
         R"(["sections", 3, "devices", 17, "names", "outsName"])", R"("")", R"("o")"},
        {"loop 1", [](Configuration& c) { namesOf17(c).loop1Name = u"Ручные"; },
         R"(["sections", 3, "devices", 17, "names", "loop1Name"])", R"("Дымовые")", R"("Ручные")"},
        {"loop 2", [](Configuration& c) { namesOf17(c).loop2Name = u"2"; },
         R"(["sections", 3, "devices", 17, "names", "loop2Name"])", R"("")", R"("2")"},
        {"line 3", [](Configuration& c) { namesOf17(c).line3Name = u"3"; },
         R"(["sections", 3, "devices", 17, "names", "line3Name"])", R"("")", R"("3")"},
        {"line 4", [](Configuration& c) { namesOf17(c).line4Name = u"4"; },
         R"(["sections", 3, "devices", 17, "names", "line4Name"])", R"("")", R"("4")"},
        {"table reference", [](Configuration& c) { namesOf17(c).eventTable = 1; },
         R"(["sections", 3, "devices", 17, "names", "eventTable"])", "0", "1"},
        {"table added", [](Configuration& c) { c.appendEventTable(EventTable()); }, R"(["eventTables", 2])",
         "null", ""},
        {"table removed", [](Configuration& c) { c.eventTables.pop_back(); }, R"(["eventTables", 1])", "",
         "null"},
        {"table name", [](Configuration& c) { c.eventTables[1].name = u"Окна"; },
         R"(["eventTables", 1, "name"])", R"("Двери")", R"("Окна")"},
        {"event text", [](Configuration& c) { c.eventTables[1].texts[Event::loop1Fire] = u"ГОРИМ"; },
         R"(["eventTables", 1, "loop1Fire"])", R"("ПOЖAP")", R"("ГОРИМ")"},
        {"emergency", [](Configuration& c) { c.eventTables[1].emergency[Event::deviceTamper] = true; },
         R"(["eventTables", 1, "deviceTamper", "emergency"])", "false", "true"},
        {"command added", [](Configuration& c) { c.commands.emplace_back(true); }, R"(["commands", 1])",
         "null", R"({"name": "", "data": "C100000000000000"})"},
        {"command removed", [](Configuration& c) { c.commands.clear(); }, R"(["commands", 0])",
         R"({"name": "Сброс", "data": "C100000000000000"})", "null"},
        {"command name", [](Configuration& c) { c.commands[0].name = u"Отмена"; },
         R"(["commands", 0, "name"])", R"("Сброс")", R"("Отмена")"},
        {"command data", [](Configuration& c) { c.commands[0].setAlarmCancel(true); },
         R"(["commands", 0, "data"])", R"("C100000000000000")", R"("C100000100000000")"},
    };
    const Configuration before = sample();
    for (const Case& c : cases) {
        Configuration after = sample();
        c.change(after);
        const std::vector<Difference> differences = compareConfigurations(before, after);
        if (c.path.empty()) {
            // Dropping the duplicate also drops the duplicate's name from what the file stores.
            ASSERT_EQ(differences.size(), 2U) << c.what;
            EXPECT_EQ(pathToJson(differences[1].path), R"(["sections", 3, "dublerName"])");
            EXPECT_TRUE(differences[1].newValue.isNull());
            continue;
        }
        ASSERT_EQ(differences.size(), 1U) << c.what;
        EXPECT_EQ(pathToJson(differences[0].path), c.path) << c.what;
        if (!c.oldJson.empty()) {
            EXPECT_EQ(differences[0].oldValue.toJson(), c.oldJson) << c.what;
        }
        if (!c.newJson.empty()) {
            EXPECT_EQ(differences[0].newValue.toJson(), c.newJson) << c.what;
        }
        EXPECT_EQ(compareConfigurations(after, before).size(), 1U) << c.what << " backwards";
    }
}

TEST(ConfigurationComparison, EqualConfigurationsAndUnstoredFieldsGiveNoDifference)
{
    for (const Configuration& configuration :
         {sample(), Configuration(), transfer_test::maximalCentralConfiguration(),
          transfer_test::maximalSectionConfiguration()}) {
        Configuration copy = configuration;
        EXPECT_TRUE(compareConfigurations(configuration, copy).empty());
        copy.lastWriteDate = "01.01.2025";
        copy.writeCounter = 9;
        copy.firmwareVersion = "2.1.3";
        copy.password = "77"; // without a password set, not stored
        EXPECT_TRUE(compareConfigurations(configuration, copy).empty());
    }
    Configuration section;
    Configuration other;
    other.individualReset = false; // not stored for a section console
    other.sections[4].address = 4; // a section console stores only its own section
    EXPECT_TRUE(compareConfigurations(section, other).empty());
}

TEST(ConfigurationComparison, RussianLinesNameObjectsAsTheTechnicianSeesThem)
{
    const std::vector<std::pair<std::function<void(Configuration&)>, std::string>> cases = {
        {[](Configuration& c) { namesOf17(c).loop1Name = u"Ручные"; },
         "Секция 3, прибор 17, шлейф 1: «Дымовые» → «Ручные»"},
        {[](Configuration& c) { c.sections[5].name = u"Цех"; }, "Секция 5: добавлен секционный пульт «Цех»"},
        {[](Configuration& c) { c.sections[3].devices.erase(17); },
         "Секция 3, прибор 17: удалён прибор «Дверь»"},
        {[](Configuration& c) { c.sections[3].group = 2; }, "Секция 3, группа: A → B"},
        {[](Configuration& c) { c.voltage = true; }, "Напряжение питания: 12 В → 24 В"},
        {[](Configuration& c) { c.clockSyncHour = 255; },
         "Время синхронизации часов: 02:00 → не выполняется"},
        {[](Configuration& c) { namesOf17(c).eventTable = 1; },
         "Секция 3, прибор 17, названия событий: «По умолчанию» → «Двери»"},
        {[](Configuration& c) { c.eventTables[1].emergency[Event::loop1Fire] = false; },
         "Таблица событий 1 «Двери», шлейф 1, пожар, экстренное: да → нет"},
        {[](Configuration& c) { c.commands[0].setConsoleAddress(2); },
         "Команда 1 «Сброс», действие: «Команда пульту 1: - .» → «Команда пульту 2: - .»"},
        {[](Configuration& c) { c.commands.clear(); }, "Команда 1: удалена команда «Сброс»"},
    };
    for (const auto& [change, line] : cases) {
        Configuration after = sample();
        change(after);
        const std::vector<Difference> differences = compareConfigurations(sample(), after);
        ASSERT_EQ(differences.size(), 1U) << line;
        EXPECT_EQ(differences[0].line, line);
    }
    Configuration own;
    Configuration renamed;
    renamed.sections[0].devices[4].address = 4;
    EXPECT_EQ(compareConfigurations(own, renamed).at(0).line, "Прибор 4: добавлен прибор");
}
