#include "report/PdfReport.h"

#include "report/PagedReport.h"

#include <config_zelmar/ProgramIdentity.h>

#include <QBuffer>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>

namespace report {

namespace {

constexpr int pdfResolution = 600;

} // namespace

QPageLayout reportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}

PdfResult pdfReport(const ReportContent& content)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PdfResult result;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(pdfResolution);
        writer.setPageLayout(reportPageLayout());
        writer.setTitle(QString::fromStdU16String(content.title));
        writer.setCreator(QString::fromUtf8(config_zelmar::programTitle) + QLatin1Char(' ') +
                          QString::fromUtf8(config_zelmar::programVersion));
        PagedReport report(content, writer);
        if (!report.print()) {
            return result;
        }
        result.pageCount = report.pageCount();
    }
    result.pdf = bytes;
    return result;
}

} // namespace report
