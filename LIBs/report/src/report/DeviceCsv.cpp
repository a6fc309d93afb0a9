#include "report/DeviceCsv.h"

#include "report/DeviceCells.h"

#include <config_zelmar/Configuration.h>

#include <QString>
#include <QStringList>

namespace report {

namespace {

// A spreadsheet takes a field that starts with one of these for a formula; the apostrophe keeps it text.
bool looksLikeFormula(const QString& field)
{
    return !field.isEmpty() && QStringLiteral("=+-@\t\r").contains(field.front());
}

QString csvField(QString field)
{
    if (looksLikeFormula(field)) {
        field.prepend(QLatin1Char('\''));
    }
    if (field.contains(QLatin1Char(';')) || field.contains(QLatin1Char('"')) ||
        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
        field.replace(QLatin1String("\""), QLatin1String("\"\""));
        field = QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field;
}

QString csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields) {
        quoted << csvField(field);
    }
    return quoted.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

QStringList headerFields()
{
    QStringList fields{QStringLiteral("Секция")};
    for (const Column& column : device_cells::columns(false)) {
        fields << QString::fromStdU16String(column.header);
    }
    return fields;
}

QStringList deviceFields(const config_zelmar::Configuration& configuration, int section,
                         const config_zelmar::Device& device)
{
    QStringList fields{QString::number(section)};
    for (const Cell& cell : device_cells::cells(configuration, device, section)) {
        fields << QString::fromStdU16String(cell.text);
    }
    if (configuration.pultType()) {
        fields.insert(2, QString()); // no zones on a central console
    }
    return fields;
}

} // namespace

QByteArray devicesCsv(const config_zelmar::Configuration& configuration)
{
    const bool central = configuration.pultType();
    QString csv = csvLine(headerFields());
    for (const auto& [key, section] : configuration.sections) {
        if (central != (key != 0)) {
            continue;
        }
        for (const auto& [address, device] : section.devices) {
            if (device_cells::keptByPanel(configuration, device)) {
                csv += csvLine(deviceFields(configuration, key, device));
            }
        }
    }
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}

} // namespace report
