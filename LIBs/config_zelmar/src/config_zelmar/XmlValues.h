#pragma once

#include <QString>

#include <cstdint>
#include <string>

class QXmlStreamReader;
class QXmlStreamWriter;

// Value formats of the configuration file, shared by the readers and writers of every record.
namespace config_zelmar::xml {

// The longest text kept from one element. The panel shows at most 20 characters of a name; the cap only
// keeps a hand-made file from filling memory and the next saved file with one absurd text.
constexpr int maxTextLength = 256;

// The reader's error for a document that is not a configuration of this kind.
QString formatErrorText();
// The reader's error for a file with a document type declaration: no file of this program has one, and
// it is where entities that could expand without bound are declared.
QString doctypeErrorText();

// Decimal integer; text that is not a number (or does not fit in 32 bits) reads as 0.
int32_t readDecimal(const QString& text);
uint32_t readUnsignedDecimal(const QString& text);
// "0x" followed by a hexadecimal number (invalid digits read as 0); false, value untouched, without
// the case-sensitive "0x" prefix.
bool readHexByte(const QString& text, uint32_t& value);
// "0x" and two upper-case hexadecimal digits of the low byte.
QString hexByte(uint32_t value);

int32_t decimalAttribute(const QXmlStreamReader& reader, const char* name);
// Set exactly when the attribute is present with the value "true".
bool flagAttribute(const QXmlStreamReader& reader, const char* name);

// Character data of the current element, unchanged up to maxTextLength characters (the rest is dropped);
// child elements are skipped. Leaves the reader after the end tag.
QString readText(QXmlStreamReader& reader);
std::u16string readWideText(QXmlStreamReader& reader);

// The text with every character that XML 1.0 cannot carry (control characters, unpaired surrogates,
// U+FFFE, U+FFFF) replaced by a full stop, as the panel would show it; otherwise the saved file could not
// be opened again.
QString writableText(const std::u16string& text);
void writeText(QXmlStreamWriter& writer, const char* name, const std::u16string& text);
// Character data with every carriage return as the reference "&#13;": a raw one would read back as a line
// feed, since XML readers normalise line ends.
void writeCharacters(QXmlStreamWriter& writer, const QString& text);
void writeDecimal(QXmlStreamWriter& writer, const char* name, int64_t value);

// Element name comparison without building a QString.
bool isNamed(const QXmlStreamReader& reader, const char* name);

} // namespace config_zelmar::xml
