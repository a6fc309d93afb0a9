#include "report/TableGeometry.h"

#include "report/ReportFonts.h"
#include "report/TextBox.h"

#include <QPaintDevice>
#include <QString>

#include <algorithm>
#include <numeric>

namespace report {

namespace {

constexpr qreal paddingMillimetres = 0.8;

struct ColumnNeeds
{
    qreal natural = 0;
    qreal minimum = 0;
};

void widen(ColumnNeeds& needs, const QString& text, const QFont& font, QPaintDevice* device, qreal padding)
{
    needs.natural = std::max(needs.natural, TextBox::naturalWidth(text, font, device) + 2 * padding);
    needs.minimum = std::max(needs.minimum, TextBox::longestWordWidth(text, font, device) + 2 * padding);
}

std::vector<ColumnNeeds> columnNeeds(const Table& table, const ReportFonts& fonts, QPaintDevice* device,
                                     qreal padding)
{
    std::vector<ColumnNeeds> needs(table.columns.size());
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        widen(needs[i], QString::fromStdU16String(table.columns[i].header), fonts.header, device, padding);
    }
    for (const auto& row : table.rows) {
        for (std::size_t i = 0; i < row.size() && i < needs.size(); ++i) {
            widen(needs[i], QString::fromStdU16String(row[i].text), cellFont(fonts, row[i].style), device,
                  padding);
        }
    }
    return needs;
}

std::vector<qreal> fittedWidths(const std::vector<ColumnNeeds>& needs, qreal available, bool fill)
{
    const auto sum = [&needs](qreal ColumnNeeds::*part) {
        return std::accumulate(needs.begin(), needs.end(), qreal(0),
                               [part](qreal total, const ColumnNeeds& n) { return total + n.*part; });
    };
    const qreal natural = sum(&ColumnNeeds::natural);
    const qreal minimum = sum(&ColumnNeeds::minimum);
    std::vector<qreal> widths;
    for (const ColumnNeeds& n : needs) {
        if (natural <= available) {
            widths.push_back(fill && natural > 0 ? n.natural * available / natural : n.natural);
        } else if (minimum >= available) {
            widths.push_back(n.minimum * available / minimum);
        } else {
            widths.push_back(n.minimum +
                             (n.natural - n.minimum) * (available - minimum) / (natural - minimum));
        }
    }
    return widths;
}

qreal rowHeight(const std::vector<Cell>& row, const TableGeometry& geometry, const ReportFonts& fonts,
                QPaintDevice* device)
{
    qreal height = 0;
    for (std::size_t i = 0; i < row.size() && i < geometry.columnWidths.size(); ++i) {
        const qreal textWidth = geometry.columnWidths[i] - 2 * geometry.padding;
        height = std::max(height, TextBox::height(QString::fromStdU16String(row[i].text),
                                                  cellFont(fonts, row[i].style), textWidth, device));
    }
    return height + 2 * geometry.padding;
}

} // namespace

QFont cellFont(const ReportFonts& fonts, CellStyle style)
{
    QFont font = fonts.text;
    font.setItalic(style == CellStyle::defaultValue);
    font.setBold(style == CellStyle::differs);
    return font;
}

qreal TableGeometry::width() const
{
    return std::accumulate(columnWidths.begin(), columnWidths.end(), qreal(0));
}

TableGeometry TableGeometry::measure(const Table& table, const ReportFonts& fonts, qreal availableWidth,
                                     QPaintDevice* device)
{
    TableGeometry geometry;
    geometry.padding = paddingMillimetres * device->logicalDpiX() / 25.4;
    geometry.columnWidths =
        fittedWidths(columnNeeds(table, fonts, device, geometry.padding), availableWidth, table.fillWidth);
    std::vector<Cell> headers;
    for (const Column& column : table.columns) {
        headers.push_back({column.header});
    }
    ReportFonts headerFonts = fonts;
    headerFonts.text = fonts.header;
    geometry.headerHeight = rowHeight(headers, geometry, headerFonts, device);
    geometry.rowHeights.reserve(table.rows.size());
    for (const auto& row : table.rows) {
        geometry.rowHeights.push_back(rowHeight(row, geometry, fonts, device));
    }
    return geometry;
}

} // namespace report
