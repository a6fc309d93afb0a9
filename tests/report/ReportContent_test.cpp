// What the commissioning report says: names as the pages show them, defaults marked, the changes-only
// sheet, the checks' problems first, and never the password.
#include "support/ReportTestSupport.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/ConfigurationCheck.h>
#include <config_zelmar/LCDCharset.h>
#include <report/ReportBuilder.h>
#include <sample_sites/SampleSites.h>

#include <gtest/gtest.h>

using config_zelmar::Configuration;
using report::CellStyle;
using report_test::allText;
using report_test::findCell;
using report_test::findChapter;

namespace {

report::ReportRequest request(bool changesOnly = false)
{
    return {u"site.xml", u"01.02.2025 10:30", changesOnly, {}};
}

// A section console with one named device and one with default names on address 5, zone 2.
Configuration sectionSite()
{
    Configuration configuration;
    config_zelmar::Device named = sample_sites::namedDevice();
    named.names->eventTable = 0;
    configuration.sections[0].devices[named.address] = named;
    config_zelmar::Device plain;
    plain.address = 5;
    plain.zone = 2;
    configuration.sections[0].devices[5] = plain;
    return configuration;
}

// The same configuration as it comes back from a file: names corrected to the panel's look-alikes.
Configuration corrected(Configuration configuration)
{
    configuration.lcdCorrection();
    return configuration;
}

struct SiteCase
{
    const char* name;
    Configuration configuration;
};

std::vector<SiteCase> siteCases()
{
    return {{"sample site", sample_sites::sampleSite()},
            {"sample site read from a file", corrected(sample_sites::sampleSite())},
            {"3,048 devices", sample_sites::largeSite()},
            {"section console", sectionSite()}};
}

} // namespace

TEST(ReportContent, EveryNamedDeviceAndConsoleNameAppearsAsTheReaderSeesIt)
{
    for (const SiteCase& site : siteCases()) {
        SCOPED_TRACE(site.name);
        const report::ReportContent content = report::buildReport(site.configuration, request());
        const Configuration& c = site.configuration;
        std::size_t checked = 0;
        for (const auto& [key, section] : c.sections) {
            if (c.pultType() && !section.name.empty()) {
                const auto* cell = findCell(content, config_zelmar::lcdReadable(section.name));
                ASSERT_NE(cell, nullptr) << report_test::qt(section.name).toStdString();
                EXPECT_EQ(cell->style, CellStyle::plain);
            }
            for (const auto& [address, device] : section.devices) {
                if (device.names == nullptr) {
                    continue;
                }
                for (const auto* name :
                     {&device.names->deviceName, &device.names->loop1Name, &device.names->line4Name}) {
                    EXPECT_NE(findCell(content, config_zelmar::lcdReadable(*name)), nullptr)
                        << report_test::qt(*name).toStdString();
                    ++checked;
                }
            }
        }
        EXPECT_GT(checked, 0u);
    }
    // Russian words stored with Latin look-alikes read in Cyrillic again.
    const auto fromFile = report::buildReport(corrected(sample_sites::sampleSite()), request());
    EXPECT_NE(findCell(fromFile, u"Склад"), nullptr);
    EXPECT_NE(findCell(fromFile, u"Сирена и табло ВЫХОД"), nullptr);
}

TEST(ReportContent, DefaultNamesAndValuesAreMarkedAsDefaults)
{
    struct Case
    {
        const char* name;
        Configuration configuration;
        std::u16string text;
        CellStyle style;
    };
    const Case cases[] = {
        {"default console name", sample_sites::sampleSite(), u"Секционный пульт 2", CellStyle::defaultValue},
        {"default device name", sectionSite(), u"Адрес 5", CellStyle::defaultValue},
        {"default loop name", sectionSite(), u"Адрес 5 Шлейф 1", CellStyle::defaultValue},
        {"own device name", sectionSite(), u"Дымовые извещатели", CellStyle::plain},
        {"default event table", sectionSite(), u"По умолчанию", CellStyle::defaultValue},
        {"option at its default", sample_sites::sampleSite(), u"60 с", CellStyle::defaultValue},
        {"changed option", sample_sites::sampleSite(), u"45 с", CellStyle::plain},
        {"changed fire text", sample_sites::sampleSite(), u"Возгорание", CellStyle::differs},
        {"default fire text", sample_sites::sampleSite(), u"ПОЖАР", CellStyle::plain},
        {"continuation command", sample_sites::sampleSite(), u"отправляется после предыдущей",
         CellStyle::defaultValue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const report::ReportContent content = report::buildReport(c.configuration, request());
        const auto* cell = findCell(content, c.text);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->style, c.style);
    }
}

TEST(ReportContent, OptionsReadInWords)
{
    struct Case
    {
        const char* name;
        std::function<void(Configuration&)> change;
        std::u16string expected;
    };
    const Case cases[] = {
        {"message time in eighths", [](Configuration& c) { c.messageTime = 33; }, u"4,125 с"},
        {"whole seconds", [](Configuration& c) { c.messageTime = 240; }, u"30 с"},
        {"no clock synchronisation", [](Configuration& c) { c.clockSyncHour = 255; }, u"не выполняется"},
        {"synchronisation hour", [](Configuration& c) { c.clockSyncHour = 7; }, u"ежедневно в 07:00"},
        {"backlight off", [](Configuration& c) { c.backlightLevel = 0; }, u"выкл."},
        {"menu lock off", [](Configuration& c) { c.menuTime = 0; }, u"выкл."},
        {"silent buzzer", [](Configuration& c) { c.zummerConfig = 0x20; }, u"выключен"},
        {"two buzzer events", [](Configuration& c) { c.zummerConfig = 0x12; }, u"Новые события, Пожар"},
        {"common reset", [](Configuration& c) { c.individualReset = false; },
         u"Общий сброс при сбросе любой секции"},
        {"24 V", [](Configuration& c) { c.voltage = true; }, u"24 В"},
        {"no password", [](Configuration& c) { c.clearPassword(); }, u"не установлен"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Configuration configuration = sample_sites::sampleSite();
        c.change(configuration);
        const report::ReportContent content = report::buildReport(configuration, request());
        EXPECT_NE(findCell(content, c.expected), nullptr);
    }
}

TEST(ReportContent, ChangesOnlyLeavesOutWhatIsAtItsDefault)
{
    Configuration configuration = sectionSite();
    // Table 1 is used but holds the default events; table 2 is customised.
    config_zelmar::EventTable unchanged = Configuration::defaultEventTable;
    unchanged.name = u"Обычная";
    configuration.appendEventTable(unchanged);
    configuration.appendEventTable(sample_sites::storeTable());
    configuration.sections[0].devices[17].names->eventTable = 1;
    config_zelmar::Device unnamedDefaultZone;
    unnamedDefaultZone.address = 9;
    configuration.sections[0].devices[9] = unnamedDefaultZone;

    struct Case
    {
        std::u16string text;
        bool inFullReport;
        bool inChangesOnly;
    };
    const Case cases[] = {
        {u"Таблица 1 «Обычная»", true, false},
        {u"Таблица 2 «Склад»", true, true},
        {u"Адрес 9", true, false},
        {u"Адрес 5", true, true}, // zone 2 still tells where it is
        {u"Дымовые извещатели", true, true},
        {u"Время включения подсветки", true, false},
        {u"Тип пульта", true, true},
        {u"Только отличия от значений по умолчанию", false, true},
    };
    const std::u16string full = allText(report::buildReport(configuration, request(false)));
    const std::u16string changes = allText(report::buildReport(configuration, request(true)));
    for (const Case& c : cases) {
        SCOPED_TRACE(report_test::qt(c.text).toStdString());
        EXPECT_EQ(full.find(c.text) != std::u16string::npos, c.inFullReport);
        EXPECT_EQ(changes.find(c.text) != std::u16string::npos, c.inChangesOnly);
    }
    EXPECT_NE(changes.find(u"Приборы с названиями по умолчанию не показаны: 1."), std::u16string::npos);
}

TEST(ReportContent, TheChecksProblemsHeadTheReport)
{
    Configuration faulty = sample_sites::sampleSite();
    faulty.backlightLevel = 7;
    report::ReportRequest withProblems = request();
    withProblems.problems = config_zelmar::checkConfiguration(faulty);
    ASSERT_FALSE(withProblems.problems.empty());
    const report::ReportContent content = report::buildReport(faulty, withProblems);
    ASSERT_FALSE(content.chapters.empty());
    const report::Chapter& first = content.chapters.front();
    EXPECT_EQ(first.title, u"Замечания проверки конфигурации");
    EXPECT_TRUE(first.alert);
    ASSERT_EQ(first.tables.size(), 1u);
    ASSERT_EQ(first.tables[0].rows.size(), withProblems.problems.size());
    const auto& row = first.tables[0].rows[0];
    EXPECT_EQ(row[0].text, u"предупреждение");
    EXPECT_EQ(row[1].text, QString::fromStdString(withProblems.problems[0].message).toStdU16String());

    // An error is marked, a warning is not.
    withProblems.problems.front().severity = config_zelmar::Problem::Severity::error;
    const report::ReportContent withError = report::buildReport(faulty, withProblems);
    const report::Cell& marked = withError.chapters.front().tables[0].rows[0][0];
    EXPECT_EQ(marked.text, u"ошибка");
    EXPECT_EQ(marked.style, CellStyle::differs);

    const Configuration clean = sample_sites::sampleSite();
    EXPECT_TRUE(config_zelmar::checkConfiguration(clean).empty());
    report::ReportRequest checked = request();
    checked.problems = config_zelmar::checkConfiguration(clean);
    EXPECT_EQ(findChapter(report::buildReport(clean, checked), u"Замечания проверки конфигурации"), nullptr);
}

TEST(ReportContent, HeadingNamesTheSourceTheTimeAndWhatOnlyThePanelTells)
{
    Configuration fromPanel = sample_sites::sampleSite();
    fromPanel.firmwareVersion = "2.1.3";
    fromPanel.lastWriteDate = "05.01.2025";
    fromPanel.writeCounter = 12;
    const std::u16string text = allText(report::buildReport(fromPanel, request()));
    for (const std::u16string expected :
         {u"Конфигурация: site.xml", u"Дата отчёта: 01.02.2025 10:30", u"версия 2.7.6.1107",
          u"Версия ПО прибора: 2.1.3", u"Дата последней записи: 05.01.2025", u"Счетчик записей: 12"}) {
        EXPECT_NE(text.find(expected), std::u16string::npos) << report_test::qt(expected).toStdString();
    }
    EXPECT_EQ(allText(report::buildReport(sample_sites::sampleSite(), request())).find(u"Версия ПО прибора"),
              std::u16string::npos);
}

TEST(ReportContent, ThePasswordNeverAppears)
{
    for (bool changesOnly : {false, true}) {
        const std::u16string text =
            allText(report::buildReport(sample_sites::sampleSite(), request(changesOnly)));
        EXPECT_EQ(text.find(u"4711"), std::u16string::npos);
        EXPECT_NE(text.find(u"установлен"), std::u16string::npos);
    }
}
