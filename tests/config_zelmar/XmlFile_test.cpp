// The configuration file: what is written, and every rule of reading it back.
#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationDocument.h"
#include "support/XmlTestSupport.h"

#include <gtest/gtest.h>

using namespace config_zelmar;
using xml_test::documentWith;
using xml_test::openFromBytes;
using xml_test::saveToBytes;

namespace {

const QString formatError = QString::fromUtf8("Неправильный формат файла.");

Configuration opened(const std::string& children)
{
    Configuration configuration;
    EXPECT_EQ(openFromBytes(documentWith(children), configuration), QString());
    return configuration;
}

Configuration richConfiguration(bool central)
{
    Configuration configuration;
    configuration.setPultType(central);
    configuration.backlightLevel = 3;
    configuration.messageTime = 240;
    configuration.clockSyncHour = 255;
    configuration.zummerConfig = 0x05;
    configuration.storePassword("12345678");
    configuration.voltage = true;
    configuration.individualReset = false;
    configuration.pultAddress = 7;

    EventTable custom;
    custom.name = u"Двери & <окна>";
    custom.texts[Event::loop1Fire] = u" ГОРИТ ";
    custom.emergency[Event::loop1Fire] = false;
    custom.emergency[Event::outsFailure] = true;
    configuration.appendEventTable(custom);

    Section section;
    section.address = central ? 12 : 0;
    section.group = 4;
    section.dubler = central;
    section.name = central ? u"Склад \"№1\"" : u"";
    Device plain;
    plain.address = 3;
    plain.zone = 2;
    Device named;
    named.address = 127;
    named.names = std::make_shared<DeviceNames>();
    named.names->eventTable = 1;
    named.names->deviceName = u"Вход";
    named.names->line4Name = u"  spaces  ";
    section.devices[3] = plain;
    section.devices[127] = named;
    configuration.sections[section.address] = section;
    if (central) {
        configuration.sections[24] = Section();
        configuration.sections[24].address = 24;
    }

    Command command(central);
    command.name = u"Сброс";
    command.setDeviceAddress(9);
    command.setOutputOn(8, true);
    configuration.commands.push_back(command);
    Command continuation(central);
    continuation.name = Command::continuationName;
    configuration.commands.push_back(continuation);
    configuration.lcdCorrection();
    configuration.rebuildEventTables();
    return configuration;
}

} // namespace

TEST(XmlFile, NewConfigurationRoundTripsWithOnlyTheNecessaryElements)
{
    const Configuration original;
    const QByteArray bytes = saveToBytes(original);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE(bytes.contains(QString::fromUtf8("<!-- Конфигуратор «Зелмар» 2.7.6.1107 -->").toUtf8()));
    EXPECT_TRUE(bytes.contains("<configuration deviceId=\"Zelmar\" version=\"2\">"));
    EXPECT_FALSE(bytes.contains("<password"));
    EXPECT_FALSE(bytes.contains("<individualReset"));
    EXPECT_FALSE(bytes.contains("<eventTable"));
    EXPECT_EQ(bytes.count("<section "), 1);
    EXPECT_TRUE(bytes.contains("<section address=\"0\" group=\"1\"/>"));
    EXPECT_TRUE(bytes.contains("<zummerConfig>0xFF</zummerConfig>"));

    Configuration reread;
    reread.setPultType(true);
    EXPECT_EQ(openFromBytes(bytes, reread), QString());
    EXPECT_TRUE(sameContent(original, reread));
}

TEST(XmlFile, RichConfigurationsReachAFixedPoint)
{
    for (bool central : {false, true}) {
        const Configuration original = richConfiguration(central);
        const QByteArray first = saveToBytes(original);
        Configuration reread;
        ASSERT_EQ(openFromBytes(first, reread), QString());
        EXPECT_TRUE(sameContent(original, reread)) << "central " << central;
        EXPECT_EQ(saveToBytes(reread), first) << "central " << central;
        EXPECT_EQ(reread.sections.size(), central ? 2u : 1u);
    }
}

TEST(XmlFile, ValueFormats)
{
    Configuration configuration;
    configuration.zummerConfig = 0xBF;
    EXPECT_TRUE(saveToBytes(configuration).contains("<zummerConfig>0xBF</zummerConfig>"));

    EXPECT_EQ(opened("<zummerConfig>0xbf</zummerConfig>").zummerConfig, 0xBFu);
    EXPECT_EQ(opened("<zummerConfig>191</zummerConfig>").zummerConfig, 0xFFu);
    EXPECT_EQ(opened("<zummerConfig>0Xbf</zummerConfig>").zummerConfig, 0xFFu);
    EXPECT_EQ(opened("<zummerConfig>0xzz</zummerConfig>").zummerConfig, 0u);

    EXPECT_EQ(opened("<clockSyncHour>24</clockSyncHour>").clockSyncHour, 255);
    EXPECT_EQ(opened("<clockSyncHour>-1</clockSyncHour>").clockSyncHour, 255);
    EXPECT_EQ(opened("<clockSyncHour>abc</clockSyncHour>").clockSyncHour, 0);
    EXPECT_EQ(opened("<clockSyncHour>23</clockSyncHour>").clockSyncHour, 23);

    EXPECT_EQ(opened("<menuTime>4294967297</menuTime>").menuTime, 0);
    EXPECT_EQ(opened("<pultAddress>-99999999999</pultAddress>").pultAddress, 0);
    EXPECT_EQ(opened("<backlightTime>-5</backlightTime>").backlightTime, -5);
    EXPECT_TRUE(opened("<voltage>24</voltage>").voltage);
    EXPECT_FALSE(opened("<voltage> 24</voltage>").voltage);
}

TEST(XmlFile, PasswordRules)
{
    const Configuration eight = opened("<password>01234567</password>");
    EXPECT_TRUE(eight.hasPassword);
    EXPECT_EQ(eight.password, "01234567");

    EXPECT_FALSE(opened("<password>012345678</password>").hasPassword);
    EXPECT_FALSE(opened("<password>12a4</password>").hasPassword);

    const Configuration empty = opened("<password></password>");
    EXPECT_TRUE(empty.hasPassword);
    EXPECT_TRUE(empty.password.empty());

    const Configuration tooLongAfterValid = opened("<password>42</password><password>123456789</password>");
    EXPECT_TRUE(tooLongAfterValid.hasPassword);
    EXPECT_EQ(tooLongAfterValid.password, "42");

    const Configuration letterAfterValid = opened("<password>42</password><password>4x</password>");
    EXPECT_FALSE(letterAfterValid.hasPassword);
}

TEST(XmlFile, ForeignDocumentsAreRefused)
{
    const std::pair<const char*, const char*> documents[] = {
        {"<configuration deviceId=\"Zelmar\" version=\"3\">", "</configuration>"},
        {"<configuration deviceId=\"zelmar\" version=\"2\">", "</configuration>"},
        {"<configuration version=\"2\">", "</configuration>"},
        {"<config deviceId=\"Zelmar\" version=\"2\">", "</config>"},
    };
    for (const auto& [header, end] : documents) {
        const QByteArray document = QByteArray(header) + "<menuTime>7</menuTime>" + end;
        Configuration configuration;
        configuration.menuTime = 1;
        EXPECT_EQ(openFromBytes(document, configuration), formatError) << header;
        EXPECT_EQ(configuration.menuTime, 60) << header;
    }
}

TEST(XmlFile, SectionsFollowTheConsoleType)
{
    const Configuration section =
        opened("<section address=\"5\" group=\"2\"/><section address=\"0\" group=\"3\"/>");
    ASSERT_EQ(section.sections.size(), 1u);
    EXPECT_EQ(section.sections.at(0).group, 3);

    const Configuration central = opened("<pultType>1</pultType><section address=\"0\"/>"
                                         "<section address=\"4\" group=\"2\"><name>a</name></section>"
                                         "<section address=\"4\" group=\"5\"/>");
    ASSERT_EQ(central.sections.size(), 1u);
    EXPECT_EQ(central.sections.at(4).group, 5);
    EXPECT_TRUE(central.sections.at(4).name.empty());

    const Configuration dubler =
        opened("<pultType>1</pultType><section address=\"2\"><dublerName>x</dublerName>"
               "</section><section address=\"3\" dubler=\"true\"><dublerName>y</dublerName>"
               "</section><section address=\"6\" dubler=\"TRUE\"/>");
    EXPECT_TRUE(dubler.sections.at(2).dublerName.empty());
    EXPECT_EQ(dubler.sections.at(3).dublerName, u"y");
    EXPECT_FALSE(dubler.sections.at(6).dubler);

    const Configuration changed = opened("<section address=\"0\"><device address=\"1\" zone=\"1\"/></section>"
                                         "<command><name>c</name></command><pultType>1</pultType>");
    EXPECT_TRUE(changed.sections.empty());
    EXPECT_TRUE(changed.commands.empty());
}

TEST(XmlFile, DevicesAndNames)
{
    const Configuration configuration =
        opened("<section address=\"0\"><device address=\"9\"><deviceNames><eventTable>x</eventTable>"
               "<alertLoopName>Выходы</alertLoopName><unknown><deep/></unknown></deviceNames></device>"
               "<device address=\"9\" zone=\"3\"><deviceNames><loop1Name>a</loop1Name></deviceNames>"
               "<deviceNames><loop2Name>b</loop2Name></deviceNames></device><device zone=\"4\"/></section>");
    const auto& devices = configuration.sections.at(0).devices;
    ASSERT_EQ(devices.size(), 2u);
    const Device& device = devices.at(9);
    EXPECT_EQ(device.zone, 3);
    ASSERT_TRUE(device.names);
    EXPECT_TRUE(device.names->loop1Name.empty());
    EXPECT_EQ(device.names->loop2Name, u"b");
    EXPECT_EQ(devices.at(0).zone, 4);

    const Configuration legacy =
        opened("<section address=\"0\"><device address=\"1\"><deviceNames>"
               "<alertLoopName>Выходы</alertLoopName></deviceNames></device></section>");
    EXPECT_EQ(legacy.sections.at(0).devices.at(1).names->outsName, u"Bыxoды"); // corrected after reading
    EXPECT_FALSE(saveToBytes(legacy).contains("alertLoop"));
}

TEST(XmlFile, CommandsAndTheirLimits)
{
    std::string children;
    for (int i = 0; i < 65; ++i) {
        children += "<command><name>c" + std::to_string(i) + "</name></command>";
    }
    children += "<menuTime>9</menuTime>";
    const Configuration many = opened(children);
    ASSERT_EQ(many.commands.size(), 64u);
    EXPECT_EQ(many.commands.back().name, u"c63");
    EXPECT_EQ(many.menuTime, 9);

    const Configuration bytes =
        opened("<command><name>x</name><data><byte i=\"0\">0x05</byte><byte i=\"2\">5</byte>"
               "<byte i=\"8\">0xFF</byte><byte i=\"-1\">0xFF</byte><other i=\"3\">0x01</other>"
               "<byte i=\"7\">0x1A</byte></data></command>");
    ASSERT_EQ(bytes.commands.size(), 1u);
    EXPECT_EQ(bytes.commands[0].data, (std::vector<uint8_t>{0x05, 0, 0, 0, 0, 0, 0, 0x1A}));
    EXPECT_FALSE(bytes.commands[0].isCentral());

    const Configuration central = opened("<pultType>1</pultType><command><name>c</name></command>");
    ASSERT_EQ(central.commands.size(), 1u);
    EXPECT_TRUE(central.commands[0].isCentral());
    EXPECT_EQ(central.commands[0].data, std::vector<uint8_t>(8, 0));
}

TEST(XmlFile, EventTablesByIndex)
{
    const Configuration lone = opened("<eventTable index=\"3\"><loop1Fire>ПОЖАР</loop1Fire></eventTable>");
    ASSERT_EQ(lone.eventTables.size(), 2u);
    EXPECT_EQ(lone.eventTables[1].name, EventTable::defaultTableName(1));
    EXPECT_FALSE(lone.eventTables[1].emergency[Event::loop1Fire]);
    EXPECT_EQ(lone.eventTables[1].texts[Event::loop1Fire], Configuration::defaultEventTable.texts[3]);

    const Configuration skipped = opened(
        "<eventTable index=\"16\"><name>n</name></eventTable><eventTable index=\"-1\"/>"
        "<eventTable index=\"1\"><name>kept</name><alertLoopFailure emergency=\"true\">a</alertLoopFailure>"
        "</eventTable><menuTime>5</menuTime>");
    ASSERT_EQ(skipped.eventTables.size(), 2u);
    EXPECT_EQ(skipped.eventTables[1].name, u"kept");
    EXPECT_EQ(skipped.eventTables[1].texts[Event::outsFailure], u"a");
    EXPECT_TRUE(skipped.eventTables[1].emergency[Event::outsFailure]);
    EXPECT_EQ(skipped.menuTime, 5);

    const Configuration used =
        opened("<section address=\"0\"><device address=\"1\"><deviceNames>"
               "<eventTable>2</eventTable></deviceNames></device></section>"
               "<eventTable index=\"3\"><name>t</name><line3Norm>n</line3Norm></eventTable>");
    ASSERT_EQ(used.eventTables.size(), 3u);
    EXPECT_EQ(used.eventTables[1].name, EventTable::defaultTableName(1));
    EXPECT_EQ(used.eventTables[2].name, u"t");
    EXPECT_EQ(used.sections.at(0).devices.at(1).names->eventTable, 1u);
}

TEST(XmlFile, TableZeroIsWrittenOnlyWhenChanged)
{
    Configuration configuration;
    configuration.eventTables[0].texts[Event::deviceTamper] = u"OTKP";
    const QByteArray bytes = saveToBytes(configuration);
    EXPECT_TRUE(bytes.contains("<eventTable index=\"0\">"));
    EXPECT_TRUE(bytes.contains("<deviceTamper>OTKP</deviceTamper>"));
    EXPECT_FALSE(bytes.contains("<loop1Fire"));
    Configuration reread;
    ASSERT_EQ(openFromBytes(bytes, reread), QString());
    EXPECT_TRUE(sameContent(configuration, reread));
}
TEST(XmlFile, NamesWithCharactersXmlCannotCarryStillGiveAReadableFile)
{
    Configuration configuration;
    Device device;
    device.names = std::make_shared<DeviceNames>();
    device.names->deviceName = std::u16string(u"a") + char16_t(0x01) + u"b" + char16_t(0xD800) + u"c" +
                               char16_t(0xFFFF) + u"\t\r\n\U0001F525";
    configuration.sections[0].devices[1] = device;
    Configuration reread;
    ASSERT_EQ(openFromBytes(saveToBytes(configuration), reread), QString());
    EXPECT_EQ(reread.sections.at(0).devices.at(1).names->deviceName,
              u"a.b.c.\t\r\n\U0001F525"); // the carriage return travels as "&#13;"
}
