#pragma once

#include "report/ReportContent.h"
#include "report/ReportLayout.h"

#include <memory>

class QPagedPaintDevice;
class QPainter;

namespace report {

// The report on paper: laid out for the page of a printer, a print preview or a PDF writer, painted page
// by page with the footer "Стр. N из M".
class PagedReport
{
public:
    PagedReport(const ReportContent& content, QPagedPaintDevice& device);
    ~PagedReport();

    int pageCount() const;
    const ReportLayout& layout() const { return *laidOut; }

    // Paints every page onto the device the report was laid out for; false when the device refused.
    bool print();

    static QString pageNumberText(int page, int pageCount);

private:
    void paintPage(QPainter& painter, int page) const;
    void paintPlacement(QPainter& painter, const Placement& placement) const;
    void paintHeadingLine(QPainter& painter, const HeadingLine& line, qreal y) const;
    void paintRow(QPainter& painter, const LaidOutTable& table, const std::vector<Cell>& cells, qreal y,
                  qreal height, bool header) const;
    void paintFooter(QPainter& painter, int page) const;

    QPagedPaintDevice& device;
    qreal footerHeight;
    std::unique_ptr<ReportLayout> laidOut;
};

} // namespace report
