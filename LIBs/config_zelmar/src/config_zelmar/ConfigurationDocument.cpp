#include "config_zelmar/ConfigurationDocument.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ProgramIdentity.h"
#include "config_zelmar/XmlValues.h"

#include <QByteArray>
#include <QIODevice>
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

QString ConfigurationDocument::read(QIODevice& device, Configuration& configuration)
{
    // At most one byte more than the limit is read, so an endless or huge source cannot exhaust memory.
    const QByteArray content = device.read(maxFileSize + 1);
    if (content.size() > maxFileSize) {
        configuration.resetToDefaults();
        configuration.lcdCorrection();
        configuration.rebuildEventTables();
        return xml::formatErrorText();
    }
    QXmlStreamReader reader(content);
    configuration.parseXml(reader);
    return reader.hasError() ? reader.errorString() : QString();
}

} // namespace config_zelmar
