#pragma once

#include "report/ReportContent.h"

#include <QFont>

#include <vector>

class QPaintDevice;

namespace report {

struct ReportFonts;

// The font a cell is drawn in: italic for a default value, bold for a marked one.
QFont cellFont(const ReportFonts& fonts, CellStyle style);

// Column widths and row heights of a table laid out into a width on a device, in device pixels.
// Columns get their one-line width where the table fits; otherwise every column keeps at least its longest
// word and the rest of the width is shared in proportion to what each column would need on one line.
struct TableGeometry
{
    std::vector<qreal> columnWidths;
    qreal headerHeight = 0;
    std::vector<qreal> rowHeights;
    qreal padding = 0; // on each side of a cell's text

    qreal width() const;

    static TableGeometry measure(const Table& table, const ReportFonts& fonts, qreal availableWidth,
                                 QPaintDevice* device);
};

} // namespace report
