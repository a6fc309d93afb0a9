// Bad input never crashes, hangs or eats memory: each case ends with the reader's error or a sound
// configuration.
#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationDocument.h"
#include "config_zelmar/XmlValues.h"
#include "support/XmlTestSupport.h"

#include <QBuffer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace config_zelmar;
using xml_test::documentWith;
using xml_test::openFromBytes;
using xml_test::saveToBytes;

namespace {

const QString formatError = QString::fromUtf8("Неправильный формат файла.");

// Holds the invariants every parse must leave behind, whatever the input.
void expectSound(const Configuration& configuration)
{
    ASSERT_FALSE(configuration.eventTables.empty());
    EXPECT_LE(configuration.eventTables.size(), Configuration::maxEventTables);
    EXPECT_TRUE(configuration.eventTables[0].name.empty());
    EXPECT_LE(configuration.commands.size(), Configuration::maxCommands);
    if (!configuration.pultType()) {
        EXPECT_EQ(configuration.sections.size(), 1u);
        EXPECT_EQ(configuration.sections.count(0), 1u);
    }
}

QString openDirectly(const QByteArray& bytes, Configuration& configuration)
{
    QXmlStreamReader reader(bytes);
    configuration.parseXml(reader);
    return reader.hasError() ? reader.errorString() : QString();
}

} // namespace

TEST(XmlRobustness, EmptyBinaryAndNonXmlInputIsRefused)
{
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(char((i * 7919) & 0xFF));
    }
    const QByteArray inputs[] = {QByteArray(),
                                 QByteArray("   \n"),
                                 binary,
                                 QByteArray("just some text, not XML"),
                                 QByteArray("<?xml version=\"1.0\"?>"),
                                 QByteArray(1000, '\0')};
    for (const QByteArray& input : inputs) {
        Configuration configuration;
        configuration.menuTime = 1;
        // Bytes that are not UTF-8 are named as such.
        EXPECT_TRUE(openFromBytes(input, configuration).startsWith(formatError.chopped(1)));
        EXPECT_EQ(configuration.menuTime, 60);
        expectSound(configuration);
    }
}

TEST(XmlRobustness, TruncatedFilesKeepWhatWasReadBeforeTheCut)
{
    Configuration original;
    original.menuTime = 9;
    original.commands.emplace_back(false);
    const QByteArray bytes = saveToBytes(original);
    for (int length = 0; length < bytes.size(); length += 7) {
        Configuration configuration;
        EXPECT_FALSE(openFromBytes(bytes.left(length), configuration).isEmpty()) << length;
        expectSound(configuration);
    }
    Configuration cutAfterMenuTime;
    openFromBytes(bytes.left(bytes.indexOf("</menuTime>") + 11), cutAfterMenuTime);
    EXPECT_EQ(cutAfterMenuTime.menuTime, 9);
}

TEST(XmlRobustness, DeepNestingIsSkippedWithoutRecursion)
{
    const int depth = 100000;
    std::string nested;
    nested.reserve(depth * 7 + 64);
    for (int i = 0; i < depth; ++i) {
        nested += "<a>";
    }
    for (int i = 0; i < depth; ++i) {
        nested += "</a>";
    }
    for (const std::string& where : {nested,
                                     "<section address=\"0\"><device address=\"1\"><deviceNames>" + nested +
                                         "</deviceNames></device></section>",
                                     "<eventTable index=\"1\"><name>" + nested + "x</name></eventTable>",
                                     "<command><data>" + nested + "</data></command>"}) {
        Configuration configuration;
        EXPECT_EQ(openFromBytes(documentWith(where + "<menuTime>3</menuTime>"), configuration), QString());
        EXPECT_EQ(configuration.menuTime, 3);
        expectSound(configuration);
    }

    std::string unclosed;
    for (int i = 0; i < depth; ++i) {
        unclosed += "<b>";
    }
    Configuration configuration;
    EXPECT_FALSE(openFromBytes(documentWith(unclosed), configuration).isEmpty());
    expectSound(configuration);
}

TEST(XmlRobustness, HugeNamesAreCapped)
{
    const std::string megabyte(1 << 20, 'n');
    Configuration configuration;
    EXPECT_EQ(
        openFromBytes(documentWith("<section address=\"0\"><device address=\"1\"><deviceNames><deviceName>" +
                                   megabyte + "</deviceName></deviceNames></device></section>"),
                      configuration),
        QString());
    EXPECT_EQ(configuration.sections.at(0).devices.at(1).names->deviceName, std::u16string(256, u'n'));
}

TEST(XmlRobustness, EntityDeclarationsDoNotExpandWithoutBound)
{
    std::string dtd = "<!DOCTYPE configuration [<!ENTITY e0 \"0123456789\">";
    for (int i = 1; i <= 12; ++i) {
        std::string refs;
        for (int k = 0; k < 10; ++k) {
            refs += "&e" + std::to_string(i - 1) + ";";
        }
        dtd += "<!ENTITY e" + std::to_string(i) + " \"" + refs + "\">";
    }
    dtd += "]>";
    const QByteArray bomb = QByteArray::fromStdString(dtd) +
                            "<configuration deviceId=\"Zelmar\" version=\"2\"><section address=\"0\">"
                            "<name>&e12;</name></section></configuration>";
    Configuration configuration;
    EXPECT_FALSE(openFromBytes(bomb, configuration).isEmpty());
    EXPECT_LT(configuration.sections.at(0).name.size(), 1000000u);
    expectSound(configuration);

    // Even one harmless entity: no file of this program has a document type declaration.
    const QByteArray harmless = "<!DOCTYPE configuration [<!ENTITY who \"Zelmar\">]>"
                                "<configuration deviceId=\"Zelmar\" version=\"2\"><section address=\"0\">"
                                "<name>&who;</name></section></configuration>";
    Configuration named;
    EXPECT_EQ(openFromBytes(harmless, named), xml::doctypeErrorText());
    EXPECT_TRUE(named.sections.at(0).name.empty());
}

TEST(XmlRobustness, NumbersBeyond32BitsReadAsZero)
{
    Configuration configuration;
    EXPECT_EQ(openFromBytes(
                  documentWith("<backlightLevel>2147483648</backlightLevel>"
                               "<eventTable index=\"4294967297\"><name>t</name></eventTable>"
                               "<section address=\"0\"><device address=\"99999999999\" zone=\"-2147483649\">"
                               "<deviceNames><eventTable>4294967296</eventTable></deviceNames>"
                               "</device></section><command><data><byte i=\"4294967296\">0x01</byte>"
                               "<byte i=\"1\">0x1FF</byte></data></command>"
                               "<zummerConfig>0x123456789</zummerConfig>"),
                  configuration),
              QString());
    EXPECT_EQ(configuration.backlightLevel, 0);
    ASSERT_EQ(configuration.eventTables.size(), 1u);
    const Device& device = configuration.sections.at(0).devices.at(0);
    EXPECT_EQ(device.zone, 0);
    EXPECT_EQ(device.names->eventTable, 0u);
    EXPECT_EQ(configuration.commands.at(0).data, (std::vector<uint8_t>{0x01, 0xFF, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(configuration.zummerConfig, 0u);
}

TEST(XmlRobustness, OversizedFilesAreRefusedBeforeParsing)
{
    QByteArray huge = documentWith("<menuTime>5</menuTime>");
    huge.append(QByteArray(ConfigurationDocument::maxFileSize, ' '));
    Configuration configuration;
    configuration.menuTime = 1;
    EXPECT_EQ(openFromBytes(huge, configuration), QStringLiteral("Файл слишком велик."));
    EXPECT_EQ(configuration.menuTime, 60);
    expectSound(configuration);

    Configuration direct;
    const std::string padding(ConfigurationDocument::maxFileSize, ' ');
    EXPECT_EQ(openDirectly(documentWith(padding + "<menuTime>5</menuTime>"), direct), formatError);
    EXPECT_EQ(direct.menuTime, 60);
    expectSound(direct);
}

TEST(XmlRobustness, AnErrorAfterGoodElementsStillCorrectsAndRebuilds)
{
    Configuration configuration;
    QByteArray content = documentWith("<eventTable index=\"2\"><loop1Norm>ТРЕВОГА</loop1Norm></eventTable>"
                                      "<menuTime>4</menuTime><broken attr=></broken>");
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    const DocumentReadResult result = ConfigurationDocument::readDocument(buffer, configuration);
    EXPECT_EQ(result.status, DocumentReadResult::Status::formatError);
    EXPECT_TRUE(result.partial);
    EXPECT_EQ(result.line, 2);
    EXPECT_TRUE(result.detailedMessage().contains(QStringLiteral("строка 2")));

    QByteArray notXml("plain text");
    QBuffer plain(&notXml);
    plain.open(QIODevice::ReadOnly);
    Configuration fromPlainText;
    EXPECT_FALSE(ConfigurationDocument::readDocument(plain, fromPlainText).partial);
    EXPECT_EQ(configuration.menuTime, 4);
    ASSERT_EQ(configuration.eventTables.size(), 2u);
    EXPECT_EQ(configuration.eventTables[1].texts[Event::loop1Norm], u"TPEBOГA");
    EXPECT_EQ(configuration.eventTables[1].name, EventTable::defaultTableName(1));
}
