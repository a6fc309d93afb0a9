#include "config_zelmar/MarkupScreen.h"

#include "config_zelmar/XmlValues.h"

namespace config_zelmar {

namespace {

bool startsAt(const QString& text, int offset, const char* markup)
{
    return text.midRef(offset).startsWith(QLatin1String(markup));
}

} // namespace

MarkupScreen::Finding MarkupScreen::screen(const QString& text)
{
    for (int offset = text.indexOf(QLatin1Char('<')); offset >= 0;
         offset = text.indexOf(QLatin1Char('<'), offset)) {
        if (startsAt(text, offset, "<!--")) {
            offset = skipPast(text, offset + 4, "-->");
        } else if (startsAt(text, offset, "<![CDATA[")) {
            offset = skipPast(text, offset + 9, "]]>");
        } else if (startsAt(text, offset, "<?")) {
            offset = skipPast(text, offset + 2, "?>");
        } else if (startsAt(text, offset, "<!DOCTYPE")) {
            return findingAt(text, offset, xml::doctypeErrorText());
        } else if (startsAt(text, offset, "</") || startsAt(text, offset, "<!")) {
            offset += 2; // an end tag has no attributes; the reader refuses any other "<!"
        } else {
            int attributes = 0;
            const int tagStart = offset;
            offset = skipStartTag(text, offset + 1, attributes);
            if (attributes > maxAttributes) {
                return findingAt(
                    text, tagStart,
                    QString::fromUtf8("Неправильный формат файла: у элемента больше %1 атрибутов.")
                        .arg(maxAttributes));
            }
        }
    }
    return Finding();
}

int MarkupScreen::skipPast(const QString& text, int from, const char* terminator)
{
    const QLatin1String end(terminator);
    const int found = text.indexOf(end, from);
    return found < 0 ? text.size() : found + end.size();
}

// Every attribute has one "=" outside quotes; a quote mark only opens a value outside another one.
int MarkupScreen::skipStartTag(const QString& text, int from, int& attributes)
{
    QChar quote;
    for (int offset = from; offset < text.size(); ++offset) {
        const QChar c = text.at(offset);
        if (!quote.isNull()) {
            quote = c == quote ? QChar() : quote;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('=')) {
            ++attributes;
        } else if (c == QLatin1Char('>')) {
            return offset + 1;
        }
    }
    return text.size();
}

MarkupScreen::Finding MarkupScreen::findingAt(const QString& text, int offset, const QString& message)
{
    const QStringRef before = text.leftRef(offset);
    const int lineStart = before.lastIndexOf(QLatin1Char('\n')) + 1;
    return {message, before.count(QLatin1Char('\n')) + 1, offset - lineStart + 1};
}

} // namespace config_zelmar
