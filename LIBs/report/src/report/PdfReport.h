#pragma once

#include "report/ReportContent.h"

#include <QByteArray>
#include <QPageLayout>

class QIODevice;

namespace report {

// A4 landscape with 12 mm margins: the nine columns of a device table fit without cramped names.
QPageLayout reportPageLayout();

struct PdfResult
{
    QByteArray pdf; // empty when the PDF could not be made
    int pageCount = 0;
};

// The report as a PDF with DejaVu Sans embedded. Needs a QGuiApplication (see OffscreenGui).
PdfResult pdfReport(const ReportContent& content);

} // namespace report
