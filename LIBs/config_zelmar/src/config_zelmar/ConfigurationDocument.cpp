#include "config_zelmar/ConfigurationDocument.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ProgramIdentity.h"
#include "config_zelmar/XmlValues.h"

#include <QByteArray>
#include <QIODevice>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

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
    DocumentReadResult result;
    // At most one byte more than the limit is read, so an endless or huge source cannot exhaust memory.
    const QByteArray content = device.read(maxFileSize + 1);
    if (content.size() > maxFileSize) {
        configuration.resetToDefaults();
        configuration.lcdCorrection();
        configuration.rebuildEventTables();
        result.status = DocumentReadResult::Status::tooLarge;
        result.message = QStringLiteral("Файл слишком велик.");
        return result;
    }
    QXmlStreamReader reader(content);
    configuration.parseXml(reader);
    if (!reader.hasError()) {
        return result;
    }
    result.status = DocumentReadResult::Status::formatError;
    result.message = reader.errorString();
    result.line = reader.lineNumber();
    result.column = reader.columnNumber();
    Configuration defaults;
    result.partial = !sameContent(configuration, defaults);
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
