// The checks before a write: exactly the problems a write and a read back would show, with their
// severity, kind, path and message; clean configurations have none, and the devices page's row limit
// never admits a configuration that loses a name.
#include "support/TransferTestBench.h"
#include "support/XmlTestSupport.h"

#include "config_zelmar/ConfigurationCheck.h"
#include "config_zelmar/NamedDeviceLimit.h"

#include <gtest/gtest.h>

#include <functional>

using namespace config_zelmar;

namespace {

std::shared_ptr<DeviceNames> names(const std::u16string& deviceName)
{
    auto result = std::make_shared<DeviceNames>();
    result->deviceName = deviceName;
    return result;
}

Configuration central()
{
    Configuration configuration;
    configuration.setPultType(true);
    configuration.sections[1].address = 1;
    return configuration;
}

void addNamedDevice(Configuration& configuration, int section, int address)
{
    Device& device = configuration.sections[section].devices[address];
    configuration.sections[section].address = section;
    device.address = address;
    device.names = names(u"D");
}

Configuration fromFile(const std::string& children)
{
    Configuration configuration;
    EXPECT_EQ(xml_test::openFromBytes(xml_test::documentWith(children), configuration), QString());
    return configuration;
}

struct Expected
{
    Problem::Severity severity;
    Problem::Kind kind;
    std::string path;
};

struct Case
{
    const char* what;
    std::function<Configuration()> make;
    std::vector<Expected> problems;
};

constexpr auto error = Problem::Severity::error;
constexpr auto warning = Problem::Severity::warning;
constexpr auto lost = Problem::Kind::lost;
constexpr auto changed = Problem::Kind::changed;
constexpr auto reference = Problem::Kind::reference;

} // namespace

TEST(ConfigurationCheck, FindsExactlyWhatTheRoundTripLosesOrChanges)
{
    const std::vector<Case> cases = {
        {"301 named devices on a central console",
         [] {
             Configuration c = central();
             for (int i = 0; i < 301; ++i) {
                 addNamedDevice(c, 1 + i / 127, 1 + i % 127);
             }
             return c;
         },
         {{error, lost, R"(["sections", 3, "devices", 47])"}}},
        {"zone 0 on a section console",
         [] {
             Configuration c;
             c.sections[0].devices[5].address = 5;
             c.sections[0].devices[5].zone = 0;
             return c;
         },
         {{error, lost, R"(["sections", 0, "devices", 5])"}}},
        {"a central console device without names",
         [] {
             Configuration c = central();
             c.sections[1].devices[9].address = 9;
             return c;
         },
         {{error, lost, R"(["sections", 1, "devices", 9])"}}},
        {"a 25-character name read from a file",
         [] {
             return fromFile("<pultType>0</pultType><section address=\"0\"><device address=\"2\" zone=\"1\">"
                             "<deviceNames><eventTable>0</eventTable><deviceName>abcdefghijklmnopqrstuvwxy"
                             "</deviceName></deviceNames></device></section>");
         },
         {{warning, changed, R"(["sections", 0, "devices", 2, "names", "deviceName"])"}}},
        {"an emoji in a name",
         [] {
             Configuration c;
             c.sections[0].devices[3].address = 3;
             c.sections[0].devices[3].names = names(u"Серверная 🔥🚒");
             return c;
         },
         {{warning, changed, R"(["sections", 0, "devices", 3, "names", "deviceName"])"}}},
        {"backlight level 7",
         [] {
             Configuration c;
             c.backlightLevel = 7;
             return c;
         },
         {{warning, changed, R"(["options", "backlightLevel"])"}}},
        {"console address 25",
         [] {
             Configuration c;
             c.pultAddress = 25;
             return c;
         },
         {{warning, changed, R"(["options", "pultAddress"])"}}},
        {"a command addressed to a missing device",
         [] {
             Configuration c;
             c.sections[0].devices[1].address = 1;
             Command command(false);
             command.setDeviceAddress(17);
             c.commands.push_back(command);
             return c;
         },
         {{warning, reference, R"(["commands", 0, "data"])"}}},
        {"a command addressed to a missing console",
         [] {
             Configuration c = central();
             Command command(true);
             command.setConsoleAddress(4);
             c.commands.push_back(command);
             return c;
         },
         {{warning, reference, R"(["commands", 0, "data"])"}}},
        {"a duplicate's name without the console's own name, and a group the panel cannot hold",
         [] {
             Configuration c = central();
             c.sections[1].dubler = true;
             c.sections[1].dublerName = u"Дублёр";
             c.sections[2].address = 2;
             c.sections[2].group = 9;
             return c;
         },
         {{error, lost, R"(["sections", 1, "dublerName"])"}, {error, lost, R"(["sections", 2])"}}},
        {"a maximal central console", [] { return transfer_test::maximalCentralConfiguration(); }, {}},
        {"a maximal section console", [] { return transfer_test::maximalSectionConfiguration(); }, {}},
        {"trailing spaces, look-alikes, a password and a central zone",
         [] {
             Configuration c = central();
             addNamedDevice(c, 1, 1);
             c.sections[1].devices[1].zone = 9;
             c.sections[1].devices[1].names->loop1Name = u"Шлейф  ";
             c.sections[1].name = u"СКЛАД";
             c.storePassword("1234");
             c.zummerConfig = 0x9F; // as the options page leaves it: the panel's bit 6 clear
             return c;
         },
         {}},
    };
    for (const Case& c : cases) {
        const std::vector<Problem> problems = checkConfiguration(c.make());
        ASSERT_EQ(problems.size(), c.problems.size())
            << c.what << (problems.empty() ? "" : ": " + problems[0].message);
        for (std::size_t i = 0; i < problems.size(); ++i) {
            EXPECT_EQ(problems[i].severity, c.problems[i].severity) << c.what;
            EXPECT_EQ(problems[i].kind, c.problems[i].kind) << c.what;
            EXPECT_EQ(pathToJson(problems[i].path), c.problems[i].path) << c.what;
        }
    }
}

TEST(ConfigurationCheck, MessagesSayWhatWillHappenToWhichObject)
{
    const std::vector<std::pair<std::function<void(Configuration&)>, std::string>> cases = {
        {[](Configuration& c) { c.sections[0].devices[3].names = names(u"Серверная 🔥🚒"); },
         "Прибор 3, название прибора: «Cepвepнaя 🔥🚒» будет записано как «Cepвepнaя ....»"},
        {[](Configuration& c) { c.backlightLevel = 7; }, "Яркость подсветки экрана: 7 будет записано как 3"},
        {[](Configuration& c) { c.pultAddress = 25; },
         "Адрес пульта: 25 вне допустимого диапазона и не будет записано, в приборе останется прежнее "
         "значение"},
        {[](Configuration& c) { c.sections[0].devices[3].zone = 0; },
         "Прибор 3: прибор с зоной 0 не будет записан"},
        {[](Configuration& c) {
             Command command(false);
             command.name = u"Сброс";
             command.setDeviceAddress(9);
             c.commands.push_back(command);
         },
         "Команда 1 «Сброс»: прибора с адресом 9 нет в конфигурации"},
    };
    for (const auto& [change, message] : cases) {
        Configuration configuration;
        configuration.sections[0].devices[3].address = 3;
        change(configuration);
        const std::vector<Problem> problems = checkConfiguration(configuration);
        ASSERT_EQ(problems.size(), 1U) << message;
        EXPECT_EQ(problems[0].message, message);
    }
    Configuration pool = central();
    for (int i = 0; i < 300; ++i) {
        addNamedDevice(pool, 1 + i / 127, 1 + i % 127);
    }
    pool.sections[2].name = u"Склад"; // its record takes the place of the last device record
    const std::vector<Problem> problems = checkConfiguration(pool);
    ASSERT_EQ(problems.size(), 1U);
    EXPECT_EQ(problems[0].message,
              "Секция 3, прибор 46: имена не поместятся в память прибора, прибор не будет записан");
    EXPECT_TRUE(hasErrors(problems));
}

TEST(ConfigurationCheck, DevicesPageLimitNeverAdmitsALostName)
{
    for (int consoles = 0; consoles <= 24; ++consoles) {
        for (const bool dubler : {false, true}) {
            Configuration configuration = central();
            configuration.sections.clear();
            for (int p = 1; p <= consoles; ++p) {
                Section& section = configuration.sections[p];
                section.address = p;
                section.name = u"Пульт";
                section.dubler = dubler;
                section.dublerName = u"Дублёр";
            }
            const int limit = namedDeviceLimit(configuration);
            for (int i = 0; i < limit; ++i) {
                addNamedDevice(configuration, 1 + i % 24, 1 + i / 24);
            }
            EXPECT_FALSE(hasErrors(checkConfiguration(configuration)))
                << consoles << " consoles, dubler " << dubler;
            EXPECT_EQ(limit, (36600 - consoles * (dubler ? 40 : 20)) / 122);
        }
    }
    EXPECT_EQ(namedDeviceLimit(Configuration()), 127);
}
