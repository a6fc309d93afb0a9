#include "report/PagedReport.h"

#include "report/TextBox.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace report {

namespace {

constexpr qreal footerGapMillimetres = 3;
const QColor gridColour(128, 128, 128);
const QColor headerBackground(230, 230, 230);
const QColor differsBackground(255, 255, 191); // the highlight of the event table dialog
const QColor alertColour(160, 0, 0);

qreal millimetres(const QPaintDevice& device, qreal value)
{
    return value * device.logicalDpiY() / 25.4;
}

QString qt(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

} // namespace

PagedReport::PagedReport(const ReportContent& content, QPagedPaintDevice& pagedDevice) : device(pagedDevice)
{
    const ReportFonts fonts = ReportFonts::standard();
    footerHeight = QFontMetricsF(fonts.footer, &device).height() + millimetres(device, footerGapMillimetres);
    const QSizeF body(device.width(), device.height() - footerHeight);
    laidOut = std::make_unique<ReportLayout>(content, fonts, &device, body);
}

PagedReport::~PagedReport() = default;

int PagedReport::pageCount() const
{
    return int(laidOut->pages().size());
}

QString PagedReport::pageNumberText(int page, int pageCount)
{
    return QStringLiteral("Стр. %1 из %2").arg(page).arg(pageCount);
}

bool PagedReport::print()
{
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0 && !device.newPage()) {
            return false;
        }
        paintPage(painter, page);
    }
    return painter.end();
}

void PagedReport::paintPage(QPainter& painter, int page) const
{
    for (const Placement& placement : laidOut->pages()[std::size_t(page)]) {
        paintPlacement(painter, placement);
    }
    paintFooter(painter, page);
}

void PagedReport::paintPlacement(QPainter& painter, const Placement& placement) const
{
    const FlowItem& item = placement.item;
    const ReportContent& content = laidOut->content();
    const ReportFonts& fonts = laidOut->fonts();
    const qreal width = laidOut->body().width();
    const QRectF line(0, placement.y, width, item.height);
    painter.setPen(Qt::black);
    switch (item.kind) {
    case FlowItem::Kind::title:
        TextBox::draw(painter, line, qt(content.title), fonts.title, Qt::AlignLeft);
        break;
    case FlowItem::Kind::headingLine:
        paintHeadingLine(painter, content.heading[item.index], placement.y);
        break;
    case FlowItem::Kind::chapterTitle: {
        const Chapter& chapter = content.chapters[item.chapter];
        painter.setPen(chapter.alert ? alertColour : Qt::black);
        TextBox::draw(painter, line, qt(chapter.title), fonts.chapter, Qt::AlignLeft);
        break;
    }
    case FlowItem::Kind::note:
        TextBox::draw(painter, line, qt(content.chapters[item.chapter].notes[item.index]), fonts.text,
                      Qt::AlignLeft);
        break;
    case FlowItem::Kind::caption: {
        const Table& table = *laidOut->tables()[item.table].table;
        const QString caption =
            placement.repeated ? ReportLayout::continuedCaption(table) : qt(table.caption);
        TextBox::draw(painter, line, caption, fonts.caption, Qt::AlignLeft);
        break;
    }
    case FlowItem::Kind::header: {
        const LaidOutTable& table = laidOut->tables()[item.table];
        std::vector<Cell> headers;
        for (const Column& column : table.table->columns) {
            headers.push_back({column.header});
        }
        paintRow(painter, table, headers, placement.y, item.height, true);
        break;
    }
    case FlowItem::Kind::row: {
        const LaidOutTable& table = laidOut->tables()[item.table];
        paintRow(painter, table, table.table->rows[item.index], placement.y, item.height, false);
        break;
    }
    }
}

void PagedReport::paintHeadingLine(QPainter& painter, const HeadingLine& line, qreal y) const
{
    const ReportFonts& fonts = laidOut->fonts();
    const qreal labelWidth = laidOut->headingLabelWidth();
    const qreal width = laidOut->body().width();
    TextBox::draw(painter, QRectF(0, y, labelWidth, 1e6), qt(line.label + u":"), fonts.header, Qt::AlignLeft);
    TextBox::draw(painter, QRectF(labelWidth, y, width - labelWidth, 1e6), qt(line.value), fonts.text,
                  Qt::AlignLeft);
}

void PagedReport::paintRow(QPainter& painter, const LaidOutTable& table, const std::vector<Cell>& cells,
                           qreal y, qreal height, bool header) const
{
    const ReportFonts& fonts = laidOut->fonts();
    const TableGeometry& geometry = table.geometry;
    const qreal padding = geometry.padding;
    qreal x = 0;
    for (std::size_t i = 0; i < geometry.columnWidths.size(); ++i) {
        const QRectF cell(x, y, geometry.columnWidths[i], height);
        const CellStyle style = i < cells.size() ? cells[i].style : CellStyle::plain;
        if (header || style == CellStyle::differs) {
            painter.fillRect(cell, header ? headerBackground : differsBackground);
        }
        painter.setPen(QPen(gridColour, 0));
        painter.drawRect(cell);
        painter.setPen(Qt::black);
        if (i < cells.size()) {
            const bool centred = i < table.table->columns.size() && table.table->columns[i].centred;
            TextBox::draw(painter, cell.adjusted(padding, padding, -padding, -padding), qt(cells[i].text),
                          header ? fonts.header : cellFont(fonts, style),
                          centred ? Qt::AlignHCenter : Qt::AlignLeft);
        }
        x += geometry.columnWidths[i];
    }
}

void PagedReport::paintFooter(QPainter& painter, int page) const
{
    const ReportFonts& fonts = laidOut->fonts();
    const qreal width = laidOut->body().width();
    const qreal top = device.height() - QFontMetricsF(fonts.footer, &device).height();
    const QRectF band(0, top, width, device.height() - top);
    painter.setPen(gridColour);
    painter.drawLine(QPointF(0, top - millimetres(device, 1)), QPointF(width, top - millimetres(device, 1)));
    painter.setPen(Qt::black);
    painter.setFont(fonts.footer);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, qt(laidOut->content().footer));
    painter.drawText(band, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                     pageNumberText(page + 1, pageCount()));
}

} // namespace report
