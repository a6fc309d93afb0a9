#include "report/ReportLayout.h"

#include "report/TextBox.h"

#include <QPaintDevice>
#include <QString>

#include <algorithm>

namespace report {

namespace {

constexpr qreal chapterSpaceMillimetres = 5;
constexpr qreal tableSpaceMillimetres = 2.5;
constexpr qreal noteSpaceMillimetres = 1;
constexpr qreal labelGapMillimetres = 4;

} // namespace

ReportLayout::ReportLayout(const ReportContent& content, const ReportFonts& fonts, QPaintDevice* paintDevice,
                           QSizeF body)
    : source(content), reportFonts(fonts), device(paintDevice), bodySize(body)
{
    laidTables.reserve([&content] {
        std::size_t count = 0;
        for (const Chapter& chapter : content.chapters) {
            count += chapter.tables.size();
        }
        return count;
    }());
    addHeading();
    for (std::size_t i = 0; i < content.chapters.size(); ++i) {
        addChapter(i);
    }
    paginate();
}

QString ReportLayout::continuedCaption(const Table& table)
{
    return QString::fromStdU16String(table.caption) + QStringLiteral(" (продолжение)");
}

qreal ReportLayout::millimetres(qreal value) const
{
    return value * device->logicalDpiY() / 25.4;
}

qreal ReportLayout::textHeight(const std::u16string& text, const QFont& font, qreal width) const
{
    return TextBox::height(QString::fromStdU16String(text), font, width, device);
}

void ReportLayout::addItem(const FlowItem& item)
{
    flow.push_back(item);
}

void ReportLayout::addHeading()
{
    addItem({FlowItem::Kind::title, 0, 0, 0, textHeight(source.title, reportFonts.title, bodySize.width()), 0,
             !source.heading.empty()});
    for (const HeadingLine& line : source.heading) {
        labelWidth = std::max(labelWidth, TextBox::naturalWidth(QString::fromStdU16String(line.label) + ':',
                                                                reportFonts.header, device));
    }
    labelWidth = std::min(labelWidth + millimetres(labelGapMillimetres), bodySize.width() / 2);
    for (std::size_t i = 0; i < source.heading.size(); ++i) {
        const HeadingLine& line = source.heading[i];
        const qreal height =
            std::max(textHeight(line.label + u":", reportFonts.header, labelWidth),
                     textHeight(line.value, reportFonts.text, bodySize.width() - labelWidth));
        addItem({FlowItem::Kind::headingLine, 0, 0, i, height, i == 0 ? millimetres(2) : 0,
                 i + 1 < source.heading.size()});
    }
}

void ReportLayout::addChapter(std::size_t chapterIndex)
{
    const Chapter& chapter = source.chapters[chapterIndex];
    addItem({FlowItem::Kind::chapterTitle, chapterIndex, 0, 0,
             textHeight(chapter.title, reportFonts.chapter, bodySize.width()),
             millimetres(chapterSpaceMillimetres), true});
    for (std::size_t i = 0; i < chapter.notes.size(); ++i) {
        addItem({FlowItem::Kind::note, chapterIndex, 0, i,
                 textHeight(chapter.notes[i], reportFonts.text, bodySize.width()),
                 millimetres(noteSpaceMillimetres), false});
    }
    for (const Table& table : chapter.tables) {
        addTable(chapterIndex, table);
    }
}

void ReportLayout::addTable(std::size_t chapterIndex, const Table& table)
{
    const std::size_t index = laidTables.size();
    LaidOutTable laid{&table, TableGeometry::measure(table, reportFonts, bodySize.width(), device), 0};
    qreal spaceBefore = millimetres(tableSpaceMillimetres);
    if (!table.caption.empty()) {
        laid.continuedCaptionHeight =
            TextBox::height(continuedCaption(table), reportFonts.caption, bodySize.width(), device);
        addItem({FlowItem::Kind::caption, chapterIndex, index, 0,
                 textHeight(table.caption, reportFonts.caption, bodySize.width()), spaceBefore, true});
        spaceBefore = millimetres(noteSpaceMillimetres);
    }
    addItem({FlowItem::Kind::header, chapterIndex, index, 0, laid.geometry.headerHeight, spaceBefore,
             !table.rows.empty()});
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        addItem({FlowItem::Kind::row, chapterIndex, index, row, laid.geometry.rowHeights[row], 0, false});
    }
    laidTables.push_back(std::move(laid));
}

// For each item, the height it needs together with the items it must not be parted from.
std::vector<qreal> ReportLayout::keptHeights() const
{
    std::vector<qreal> kept(flow.size());
    for (std::size_t i = flow.size(); i-- > 0;) {
        kept[i] = flow[i].height;
        if (flow[i].keepWithNext && i + 1 < flow.size()) {
            kept[i] += flow[i + 1].spaceBefore + kept[i + 1];
        }
    }
    return kept;
}

void ReportLayout::placeRepeatedHeader(std::size_t table, qreal& y)
{
    const LaidOutTable& laid = laidTables[table];
    if (!laid.table->caption.empty()) {
        FlowItem caption{FlowItem::Kind::caption, 0, table, 0, laid.continuedCaptionHeight, 0, true};
        laidPages.back().push_back({caption, y, true});
        y += caption.height + millimetres(noteSpaceMillimetres);
    }
    FlowItem header{FlowItem::Kind::header, 0, table, 0, laid.geometry.headerHeight, 0, true};
    laidPages.back().push_back({header, y, true});
    y += header.height;
}

void ReportLayout::paginate()
{
    const std::vector<qreal> kept = keptHeights();
    laidPages.assign(1, {});
    qreal y = 0;
    for (std::size_t i = 0; i < flow.size(); ++i) {
        const FlowItem& item = flow[i];
        const qreal space = y > 0 ? item.spaceBefore : 0;
        // A page that holds something already gives way; an item too tall for any page is cut at its end.
        if (y > 0 && y + space + kept[i] > bodySize.height()) {
            laidPages.emplace_back();
            y = 0;
            if (item.kind == FlowItem::Kind::row) {
                placeRepeatedHeader(item.table, y);
            }
        }
        y += y > 0 ? item.spaceBefore : 0;
        laidPages.back().push_back({item, y, false});
        y += item.height;
    }
}

} // namespace report
