#include "config_zelmar/DocumentDecoder.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QTextCodec>

namespace config_zelmar {

namespace {

constexpr int utf8Mib = 106;

DocumentDecoder::Result failure(const QString& text, const QString& encoding)
{
    return {QString(), text.arg(encoding)};
}

} // namespace

DocumentDecoder::Result DocumentDecoder::decode(const QByteArray& bytes)
{
    QTextCodec* codec = QTextCodec::codecForUtfText(bytes, nullptr);
    if (codec == nullptr) {
        const QString declared = declaredEncoding(bytes);
        codec = declared.isEmpty() ? QTextCodec::codecForMib(utf8Mib)
                                   : QTextCodec::codecForName(declared.toLatin1());
        if (codec == nullptr) {
            return failure(QString::fromUtf8("Неправильный формат файла: кодировка «%1» не поддерживается."),
                           declared);
        }
    }
    QTextDecoder decoder(codec);
    Result result{decoder.toUnicode(bytes), QString()};
    if (decoder.hasFailure()) {
        return failure(QString::fromUtf8("Неправильный формат файла: текст не в кодировке %1."),
                       QString::fromLatin1(codec->name()));
    }
    return result;
}

// Without a byte order mark the declaration is read as ASCII, as XML readers do.
QString DocumentDecoder::declaredEncoding(const QByteArray& bytes)
{
    static const QRegularExpression declaration(
        QStringLiteral(R"(^<\?xml\s(?:[^?>]*\s)?encoding\s*=\s*(["'])([A-Za-z][A-Za-z0-9._-]*)\1)"));
    const int declarationEnd = bytes.startsWith("<?xml") ? bytes.indexOf("?>") : -1;
    if (declarationEnd < 0) {
        return QString();
    }
    const QRegularExpressionMatch match = declaration.match(QString::fromLatin1(bytes.left(declarationEnd)));
    return match.hasMatch() ? match.captured(2) : QString();
}

} // namespace config_zelmar
