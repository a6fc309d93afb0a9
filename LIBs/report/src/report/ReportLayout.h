#pragma once

#include "report/ReportContent.h"
#include "report/ReportFonts.h"
#include "report/TableGeometry.h"

#include <QSizeF>

#include <vector>

class QPaintDevice;

namespace report {

// One piece of the report's flow, measured for the page width.
struct FlowItem
{
    enum class Kind
    {
        title,
        headingLine,
        chapterTitle,
        note,
        caption,
        header,
        row
    };

    Kind kind = Kind::title;
    std::size_t chapter = 0;
    std::size_t table = 0; // index into ReportLayout::tables() for captions, headers and rows
    std::size_t index = 0; // heading line, note or row
    qreal height = 0;
    qreal spaceBefore = 0; // dropped at the top of a page
    bool keepWithNext = false;
};

struct Placement
{
    FlowItem item;
    qreal y = 0;
    bool repeated = false; // a table's caption and header repeated at the top of a following page
};

struct LaidOutTable
{
    const Table* table = nullptr;
    TableGeometry geometry;
    qreal continuedCaptionHeight = 0;
};

// The report cut into pages: table headers repeat at the top of every page a table continues on, a row
// is never split across pages, and a title or caption never ends a page without what it introduces.
class ReportLayout
{
public:
    // body: the size of a page's printable area above the footer, in the device's pixels.
    ReportLayout(const ReportContent& content, const ReportFonts& fonts, QPaintDevice* device, QSizeF body);

    const ReportContent& content() const { return source; }
    const ReportFonts& fonts() const { return reportFonts; }
    const std::vector<std::vector<Placement>>& pages() const { return laidPages; }
    const std::vector<LaidOutTable>& tables() const { return laidTables; }
    QSizeF body() const { return bodySize; }
    qreal headingLabelWidth() const { return labelWidth; }

    static QString continuedCaption(const Table& table);

private:
    void addHeading();
    void addChapter(std::size_t chapterIndex);
    void addTable(std::size_t chapterIndex, const Table& table);
    void addItem(const FlowItem& item);
    qreal textHeight(const std::u16string& text, const QFont& font, qreal width) const;
    qreal millimetres(qreal value) const;

    void paginate();
    void placeRepeatedHeader(std::size_t table, qreal& y);
    std::vector<qreal> keptHeights() const;

    const ReportContent& source;
    ReportFonts reportFonts;
    QPaintDevice* device;
    QSizeF bodySize;
    qreal labelWidth = 0;
    std::vector<FlowItem> flow;
    std::vector<LaidOutTable> laidTables;
    std::vector<std::vector<Placement>> laidPages;
};

} // namespace report
