#include "report/ReportFile.h"

#include "report/DeviceCsv.h"
#include "report/HtmlReport.h"
#include "report/PdfReport.h"
#include "report/ReportBuilder.h"

#include <QDateTime>
#include <QFileInfo>

namespace report {

std::optional<ReportFormat> formatOfFileName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("pdf")) {
        return ReportFormat::pdf;
    }
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm")) {
        return ReportFormat::html;
    }
    if (suffix == QLatin1String("csv")) {
        return ReportFormat::csv;
    }
    return std::nullopt;
}

QByteArray renderReport(ReportFormat format, const config_zelmar::Configuration& configuration,
                        const ReportRequest& request)
{
    switch (format) {
    case ReportFormat::csv:
        return devicesCsv(configuration);
    case ReportFormat::html:
        return htmlReport(buildReport(configuration, request));
    case ReportFormat::pdf:
        return pdfReport(buildReport(configuration, request)).pdf;
    }
    return {};
}

std::u16string reportTimeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("dd.MM.yyyy HH:mm")).toStdU16String();
}

} // namespace report
