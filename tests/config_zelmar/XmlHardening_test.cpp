// Hostile and unlucky files: refused before their markup can cost time or memory, or read within the
// caps; texts come back byte for byte; no exception leaves the reader.
#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationDocument.h"
#include "config_zelmar/XmlValues.h"
#include "support/XmlTestSupport.h"

#include <QBuffer>
#include <QTextCodec>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

using namespace config_zelmar;
using xml_test::documentWith;
using xml_test::openFromBytes;
using xml_test::saveToBytes;
using Status = DocumentReadResult::Status;

namespace {

const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const QByteArray root = "<configuration deviceId=\"Zelmar\" version=\"2\">";

QByteArray withName(const QByteArray& name)
{
    return documentWith("<section address=\"0\"><name>" + name.toStdString() + "</name></section>");
}

QByteArray unknownTag(int attributes)
{
    QByteArray tag = "<unknown";
    for (int i = 0; i < attributes; ++i) {
        tag += " a" + QByteArray::number(i) + "=\"=\"";
    }
    return tag + "/>";
}

DocumentReadResult readBytes(QByteArray bytes, Configuration& configuration)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ConfigurationDocument::readDocument(buffer, configuration);
}

// A source that fails in the middle of reading, as a device or the memory allocator can.
class ThrowingDevice : public QIODevice
{
public:
    explicit ThrowingDevice(std::function<void()> fail) : fail(std::move(fail)) { open(ReadOnly); }

protected:
    qint64 readData(char*, qint64) override
    {
        fail();
        return -1;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::function<void()> fail;
};

} // namespace

TEST(XmlHardening, HostileFilesAreRefused)
{
    const QByteArray bomb = declaration + "<!DOCTYPE configuration [<!ENTITY e \"" + QByteArray(4000, 'x') +
                            "\">]>\n" + root + "<section address=\"0\"><name>" + QByteArray(1000000, '&') +
                            "</name></section></configuration>";
    struct Row
    {
        const char* what;
        QByteArray bytes;
        Status status;
        QString message; // the start of the message
        qint64 line;
        bool partial;
    };
    const Row rows[] = {
        {"entity used a million times", QByteArray(bomb).replace("&", "&e;"), Status::formatError,
         xml::doctypeErrorText(), 2, false},
        {"bare DOCTYPE after a comment",
         declaration + "<!-- c -->\n<!DOCTYPE configuration>" + root + "</configuration>",
         Status::formatError, xml::doctypeErrorText(), 3, false},
        {"DOCTYPE in UTF-16",
         QByteArray("\xFF\xFE") + QTextCodec::codecForName("UTF-16LE")->fromUnicode("<!DOCTYPE c><c/>"),
         Status::formatError, xml::doctypeErrorText(), 1, false},
        {"120,000 attributes on one tag", documentWith(unknownTag(120000).toStdString()), Status::formatError,
         QStringLiteral("Неправильный формат файла: у элемента больше 32"), 2, false},
        {"33 attributes", documentWith(unknownTag(33).toStdString()), Status::formatError,
         QStringLiteral("Неправильный формат файла: у элемента больше 32"), 2, false},
        {"undeclared entity", documentWith("<unknown>&e;</unknown>"), Status::formatError,
         QStringLiteral("Entity 'e' not declared"), 2, false},
        {"text after the root", documentWith("<menuTime>5</menuTime>") + "trailing", Status::formatError,
         QStringLiteral("Extra content at end of document."), 3, true},
        {"element after the root", documentWith("") + "<configuration/>", Status::formatError,
         QStringLiteral("Extra content"), 3, false},
        {"unknown encoding", "<?xml version='1.0' encoding='x-klingon'?>" + root + "</configuration>",
         Status::formatError, QStringLiteral("Неправильный формат файла: кодировка «x-klingon»"), 0, false},
        {"Windows-1251 without a declaration", withName("\xC0\xC1"), Status::formatError,
         QStringLiteral("Неправильный формат файла: текст не в кодировке UTF-8"), 0, false},
        {"one byte over the limit", documentWith(std::string(ConfigurationDocument::maxFileSize, ' ')),
         Status::tooLarge, QStringLiteral("Файл слишком велик."), 0, false},
    };
    for (const Row& row : rows) {
        Configuration configuration;
        configuration.menuTime = 1;
        const DocumentReadResult result = readBytes(row.bytes, configuration);
        EXPECT_EQ(result.status, row.status) << row.what;
        EXPECT_TRUE(result.message.startsWith(row.message))
            << row.what << ": " << result.message.toStdString();
        EXPECT_EQ(result.line, row.line) << row.what;
        EXPECT_EQ(result.partial, row.partial) << row.what;
        EXPECT_EQ(configuration.menuTime, row.partial ? 5 : 60) << row.what;
        EXPECT_TRUE(configuration.sections.at(0).name.empty()) << row.what;
        if (row.message == xml::doctypeErrorText() && row.bytes.startsWith(declaration)) {
            // A reader handed the bytes directly refuses the declaration too, before any entity is used.
            QXmlStreamReader reader(row.bytes);
            Configuration direct;
            direct.parseXml(reader);
            EXPECT_EQ(reader.errorString(), xml::doctypeErrorText()) << row.what;
        }
    }
}

TEST(XmlHardening, FilesWithinTheLimitsAreRead)
{
    const QByteArray utf16 =
        QByteArray("\xFE\xFF") +
        QTextCodec::codecForName("UTF-16BE")->fromUnicode(QString::fromUtf8(withName("Юг")));
    struct Row
    {
        const char* what;
        QByteArray bytes;
        std::u16string name;
    };
    const Row rows[] = {
        {"32 attributes, with = and > in values",
         documentWith(unknownTag(32).toStdString() + "<x a='>\"='/>"), u""},
        {"DOCTYPE inside a comment and CDATA", withName("<!-- <!DOCTYPE x> --><![CDATA[<!DOCTYPE y>]]>"),
         u"<!DOCTYPE y>"},
        {"comment and instruction after the root", withName("n") + "<!-- saved --><?done?>\n", u"n"},
        {"Windows-1251 declared", QByteArray(withName("\xC0\xC1")).replace("UTF-8", "windows-1251"), u"AБ"},
        {"UTF-16 with a byte order mark", utf16, u"Юг"},
        {"a name over the cap is cut", withName(QByteArray(300, 'n')),
         std::u16string(xml::maxTextLength, u'n')},
        {"never between the halves of a pair",
         withName(QByteArray(xml::maxTextLength - 1, 'n') + "\xF0\x9F\x94\xA5"),
         std::u16string(xml::maxTextLength - 1, u'n')},
        {"just under the limit", withName(QByteArray(ConfigurationDocument::maxFileSize - 200, ' ') + "x"),
         std::u16string(xml::maxTextLength, u' ')},
    };
    for (const Row& row : rows) {
        Configuration configuration;
        const DocumentReadResult result = readBytes(row.bytes, configuration);
        EXPECT_TRUE(result.ok()) << row.what << ": " << result.message.toStdString();
        EXPECT_EQ(configuration.sections.at(0).name, row.name) << row.what;
    }
}

TEST(XmlHardening, TextsSurviveSaveOpenSaveByteForByte)
{
    const std::u16string texts[] = {u"A\rB", u"\r", u"\r\n", u"\n\r", u"x\r\r\ry\t", u" \r ", u"&#13;<\r>"};
    for (const std::u16string& text : texts) {
        Configuration configuration;
        auto names = std::make_shared<DeviceNames>();
        names->deviceName = text;
        configuration.sections[0].name = text;
        configuration.sections[0].devices[1].address = 1;
        configuration.sections[0].devices[1].names = names;
        configuration.commands.emplace_back(false);
        configuration.commands.back().name = text;
        EventTable table;
        table.name = EventTable::defaultTableName(1);
        table.texts[Event::loop1Fire] = text;
        configuration.eventTables.push_back(table);
        names->eventTable = 1;

        const QByteArray saved = saveToBytes(configuration);
        EXPECT_FALSE(saved.contains('\r')) << saved.toStdString();
        Configuration reopened;
        ASSERT_EQ(openFromBytes(saved, reopened), QString());
        EXPECT_EQ(reopened.sections.at(0).name, text);
        EXPECT_EQ(reopened.sections.at(0).devices.at(1).names->deviceName, text);
        EXPECT_EQ(reopened.commands.at(0).name, text);
        EXPECT_EQ(reopened.eventTables.at(1).texts[Event::loop1Fire], text);
        EXPECT_EQ(saveToBytes(reopened), saved);
    }
}

TEST(XmlHardening, NoExceptionLeavesTheReader)
{
    struct Row
    {
        std::function<void()> fail;
        QString message;
    };
    const Row rows[] = {
        {[] { throw std::bad_alloc(); }, QStringLiteral("Недостаточно памяти для чтения файла.")},
        {[] { throw std::runtime_error("disk gone"); }, QStringLiteral("Файл не прочитан: disk gone")},
    };
    for (const Row& row : rows) {
        ThrowingDevice device(row.fail);
        Configuration configuration;
        configuration.menuTime = 1;
        DocumentReadResult result;
        ASSERT_NO_THROW(result = ConfigurationDocument::readDocument(device, configuration));
        EXPECT_EQ(result.status, Status::formatError);
        EXPECT_EQ(result.message, row.message);
        EXPECT_EQ(configuration.menuTime, 60);
    }
}
