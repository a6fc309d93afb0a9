#include "config_zelmar/ConfigurationDocument.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/DocumentDecoder.h"
#include "config_zelmar/MarkupScreen.h"
#include "config_zelmar/ProgramIdentity.h"
#include "config_zelmar/XmlValues.h"

#include <QByteArray>
#include <QIODevice>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <exception>
#include <new>

namespace config_zelmar {

bool ConfigurationDocument::write(QIODevice& device, const Configuration& configuration)
{
    QXmlStreamWriter writer(&device);
    writer.setCodec("UTF-8");
    writer.setAutoFormatting(true);
    writer.writeStartDocument(QStringLiteral("1.0"));
    writer.writeComment(QLatin1Char(' ') + QString::fromUtf8(programTitle) + QLatin1Char(' ') +
                        QString::fromUtf8(programVersion) + QLatin1Char(' '));
    configuration.toXml(writer);
    writer.writeEndDocument();
    return !writer.hasError();
}

bool ConfigurationDocument::save(const QString& path, const Configuration& configuration)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return false;
    }
    if (!write(file, configuration)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

DocumentReadResult ConfigurationDocument::readDocument(QIODevice& device, Configuration& configuration)
{
    try {
        return readWithinLimits(device, configuration);
    } catch (const std::bad_alloc&) {
        return refused(configuration, DocumentReadResult::Status::formatError,
                       QString::fromUtf8("Недостаточно памяти для чтения файла."));
    } catch (const std::exception& error) {
        return refused(configuration, DocumentReadResult::Status::formatError,
                       QString::fromUtf8("Файл не прочитан: %1").arg(QString::fromUtf8(error.what())));
    }
}

DocumentReadResult ConfigurationDocument::readWithinLimits(QIODevice& device, Configuration& configuration)
{
    // At most one byte more than the limit is read, so an endless or huge source cannot exhaust memory.
    const QByteArray content = device.read(maxFileSize + 1);
    if (content.size() > maxFileSize) {
        return refused(configuration, DocumentReadResult::Status::tooLarge,
                       QString::fromUtf8("Файл слишком велик."));
    }
    const DocumentDecoder::Result decoded = DocumentDecoder::decode(content);
    if (!decoded.error.isEmpty()) {
        return refused(configuration, DocumentReadResult::Status::formatError, decoded.error);
    }
    const MarkupScreen::Finding finding = MarkupScreen::screen(decoded.text);
    if (finding.found()) {
        DocumentReadResult result =
            refused(configuration, DocumentReadResult::Status::formatError, finding.message);
        result.line = finding.line;
        result.column = finding.column;
        return result;
    }
    QXmlStreamReader reader(decoded.text);
    configuration.parseXml(reader);
    return parsed(reader, configuration);
}

DocumentReadResult ConfigurationDocument::parsed(const QXmlStreamReader& reader,
                                                 const Configuration& configuration)
{
    DocumentReadResult result;
    if (!reader.hasError()) {
        return result;
    }
    result.status = DocumentReadResult::Status::formatError;
    result.message = reader.errorString();
    result.line = reader.lineNumber();
    result.column = reader.columnNumber();
    const Configuration defaults;
    result.partial = !sameContent(configuration, defaults);
    return result;
}

// The configuration at its defaults, as after reading a file that holds nothing.
DocumentReadResult ConfigurationDocument::refused(Configuration& configuration,
                                                  DocumentReadResult::Status status, const QString& message)
{
    configuration.resetToDefaults();
    configuration.lcdCorrection();
    configuration.rebuildEventTables();
    DocumentReadResult result;
    result.status = status;
    result.message = message;
    return result;
}

QString ConfigurationDocument::read(QIODevice& device, Configuration& configuration)
{
    return readDocument(device, configuration).message;
}

QString DocumentReadResult::detailedMessage() const
{
    if (status != Status::formatError || line <= 0) {
        return message;
    }
    return QStringLiteral("%1\n(строка %2, столбец %3)").arg(message).arg(line).arg(column);
}

} // namespace config_zelmar
