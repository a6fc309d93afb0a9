#include "config_zelmar/XmlValues.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace config_zelmar::xml {

QString formatErrorText()
{
    return QString::fromUtf8("Неправильный формат файла.");
}

int32_t readDecimal(const QString& text)
{
    return text.toInt(); // 0 when invalid or out of range
}

uint32_t readUnsignedDecimal(const QString& text)
{
    return text.toUInt();
}

bool readHexByte(const QString& text, uint32_t& value)
{
    if (!text.startsWith(QLatin1String("0x"))) {
        return false;
    }
    value = text.mid(2).toUInt(nullptr, 16);
    return true;
}

QString hexByte(uint32_t value)
{
    return QString::asprintf("0x%02X", value & 0xFFu);
}

int32_t decimalAttribute(const QXmlStreamReader& reader, const char* name)
{
    return readDecimal(reader.attributes().value(QLatin1String(name)).toString());
}

bool flagAttribute(const QXmlStreamReader& reader, const char* name)
{
    return reader.attributes().value(QLatin1String(name)) == QLatin1String("true");
}

QString readText(QXmlStreamReader& reader)
{
    return reader.readElementText(QXmlStreamReader::SkipChildElements);
}

std::u16string readWideText(QXmlStreamReader& reader)
{
    return readText(reader).toStdU16String();
}

void writeText(QXmlStreamWriter& writer, const char* name, const std::u16string& text)
{
    writer.writeTextElement(QLatin1String(name), QString::fromStdU16String(text));
}

void writeDecimal(QXmlStreamWriter& writer, const char* name, int64_t value)
{
    writer.writeTextElement(QLatin1String(name), QString::number(value));
}

bool isNamed(const QXmlStreamReader& reader, const char* name)
{
    return reader.name() == QLatin1String(name);
}

} // namespace config_zelmar::xml
