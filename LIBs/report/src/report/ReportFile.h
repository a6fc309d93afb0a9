#pragma once

#include "report/ReportRequest.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QDateTime;

namespace config_zelmar {
class Configuration;
}

namespace report {

enum class ReportFormat
{
    pdf,
    html,
    csv // the device list only
};

// The format a file name asks for by its extension: .pdf, .html or .htm, .csv, in any case.
std::optional<ReportFormat> formatOfFileName(const QString& fileName);

// What a file of the format holds; empty when it could not be made. PDF needs a QGuiApplication.
QByteArray renderReport(ReportFormat format, const config_zelmar::Configuration& configuration,
                        const ReportRequest& request);

// "dd.mm.yyyy hh:mm", the date and time of a report.
std::u16string reportTimeText(const QDateTime& time);

} // namespace report
