// The HTML page and the device list: defaults in italics, texts escaped, a CSV a spreadsheet opens intact.
#include "support/ReportTestSupport.h"

#include <config_zelmar/Configuration.h>
#include <report/DeviceCsv.h>
#include <report/HtmlReport.h>
#include <report/ReportBuilder.h>
#include <sample_sites/SampleSites.h>

#include <QStringList>

#include <gtest/gtest.h>

using config_zelmar::Configuration;

namespace {

QString html(const Configuration& configuration)
{
    return QString::fromUtf8(report::htmlReport(
        report::buildReport(configuration, {u"site.xml", u"01.02.2025 10:30", false, {}})));
}

QStringList csvLines(const Configuration& configuration)
{
    QByteArray csv = report::devicesCsv(configuration);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    return QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

Configuration withDeviceNamed(const std::u16string& name)
{
    Configuration configuration;
    config_zelmar::Device device = sample_sites::namedDevice();
    device.names->deviceName = name;
    configuration.sections[0].devices[device.address] = device;
    return configuration;
}

} // namespace

TEST(HtmlReport, MarksDefaultsAndDifferencesAndEscapesTexts)
{
    const QString page = html(sample_sites::sampleSite());
    EXPECT_TRUE(page.startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_TRUE(page.contains(QStringLiteral(".default { font-style: italic; }")));
    for (const char* cell : {"<td class=\"default\">Секционный пульт 2</td>", "<td>Склад</td>",
                             "<td class=\"differs\">Возгорание</td>", "<td class=\"centred differs\">да</td>",
                             "<thead><tr><th class=\"centred\">Адрес</th>"}) {
        EXPECT_TRUE(page.contains(QString::fromUtf8(cell))) << cell;
    }
    const QString escaped = html(withDeviceNamed(u"<i>Щит & Lift</i>"));
    EXPECT_TRUE(escaped.contains(QStringLiteral("&lt;i&gt;Щит &amp; Lift&lt;/i&gt;")));
    EXPECT_FALSE(escaped.contains(QStringLiteral("<i>Щит")));
    EXPECT_FALSE(page.contains(QStringLiteral("4711")));
}

TEST(DeviceCsv, OneRowPerListedDeviceWithFieldsASpreadsheetKeepsAsText)
{
    struct Case
    {
        const char* name;
        std::u16string deviceName;
        QString field;
    };
    const Case cases[] = {
        {"plain Cyrillic", u"Склад", QStringLiteral("Склад")},
        {"separator inside", u"Щит; вход", QStringLiteral("\"Щит; вход\"")},
        {"quotes inside", u"Щит \"А\"", QStringLiteral("\"Щит \"\"А\"\"\"")},
        {"formula", u"=1+2", QStringLiteral("'=1+2")},
        {"leading minus", u"-резерв-", QStringLiteral("'-резерв-")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList lines = csvLines(withDeviceNamed(c.deviceName));
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0],
                  QStringLiteral("Секция;Адрес;Зона;Прибор;Выходы;Шлейф 1;Шлейф 2;ЛС 3;ЛС 4;События"));
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("0;17;3;") + c.field + QLatin1Char(';')))
            << lines[1].toStdString();
    }
    // A central console lists the named devices of every section, without zones.
    const QStringList large = csvLines(sample_sites::largeSite());
    EXPECT_EQ(large.size(), 1 + sample_sites::largeSiteSections * sample_sites::largeSiteDevicesPerSection);
    EXPECT_EQ(large[1],
              QStringLiteral("1;1;;Device 1.1;Outs 1.1;Loop1 1.1;Loop2 1.1;Line3 1.1;Line4 1.1;Dveri"));
    Configuration unnamed = sample_sites::sampleSite();
    unnamed.sections[2].devices[4] = config_zelmar::Device();
    EXPECT_EQ(csvLines(unnamed).size(), 3);
}
