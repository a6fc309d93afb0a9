#include "config_zelmar/XmlValues.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace config_zelmar::xml {

namespace {

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

QString formatErrorText()
{
    return QString::fromUtf8("Неправильный формат файла.");
}

QString doctypeErrorText()
{
    return QString::fromUtf8("Неправильный формат файла: объявление DOCTYPE не допускается.");
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
    QString text = reader.readElementText(QXmlStreamReader::SkipChildElements);
    if (text.size() > maxTextLength) {
        // Never half a surrogate pair.
        text.truncate(text.at(maxTextLength).isLowSurrogate() ? maxTextLength - 1 : maxTextLength);
    }
    return text;
}

std::u16string readWideText(QXmlStreamReader& reader)
{
    return readText(reader).toStdU16String();
}

QString writableText(const std::u16string& text)
{
    QString result;
    result.reserve(static_cast<int>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool pairStart =
            QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1]);
        if (pairStart) {
            result.append(QChar(c)).append(QChar(text[++i]));
        } else {
            result.append(isXmlCharacter(c) ? QChar(c) : QChar(u'.'));
        }
    }
    return result;
}

void writeText(QXmlStreamWriter& writer, const char* name, const std::u16string& text)
{
    writer.writeStartElement(QLatin1String(name));
    writeCharacters(writer, writableText(text));
    writer.writeEndElement();
}

void writeCharacters(QXmlStreamWriter& writer, const QString& text)
{
    int start = 0;
    for (int carriageReturn = text.indexOf(QLatin1Char('\r')); carriageReturn >= 0;
         carriageReturn = text.indexOf(QLatin1Char('\r'), start)) {
        writer.writeCharacters(text.mid(start, carriageReturn - start));
        writer.writeEntityReference(QStringLiteral("#13"));
        start = carriageReturn + 1;
    }
    writer.writeCharacters(text.mid(start));
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
