// The report on pages: headers repeat where a table goes on, no row is split, every row is printed once,
// page numbers count all pages, and the PDF embeds DejaVu Sans.
#include "support/ReportTestSupport.h"

#include <report/PagedReport.h>
#include <report/PdfReport.h>
#include <report/ReportBuilder.h>
#include <sample_sites/SampleSites.h>

#include <QBuffer>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using report::FlowItem;

report::ReportContent largeReport()
{
    return report::buildReport(sample_sites::largeSite(),
                               {u"large-site.xml", u"01.02.2025 10:30", false, {}});
}

struct PageCase
{
    const char* name;
    QPageLayout layout;
};

std::vector<PageCase> pageCases()
{
    const QMarginsF margins(12, 12, 12, 12);
    return {{"A4 landscape", report::reportPageLayout()},
            {"A4 portrait", QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins)},
            {"A5 portrait", QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, margins)}};
}

// Checks one laid-out page; rowsSeen collects (table, row) of every row placed.
void checkPage(const report::ReportLayout& layout, std::size_t page,
               std::set<std::pair<std::size_t, std::size_t>>& rowsSeen)
{
    std::set<std::size_t> headersAbove;
    qreal previousBottom = 0;
    for (const report::Placement& placement : layout.pages()[page]) {
        const FlowItem& item = placement.item;
        EXPECT_GE(placement.y, previousBottom - 0.01);
        EXPECT_LE(placement.y + item.height, layout.body().height() + 0.01) << "item cut at the page's end";
        previousBottom = placement.y + item.height;
        if (item.kind == FlowItem::Kind::header) {
            headersAbove.insert(item.table);
        }
        if (item.kind == FlowItem::Kind::row) {
            EXPECT_EQ(headersAbove.count(item.table), 1u)
                << "page " << page + 1 << " has rows without a header";
            EXPECT_TRUE(rowsSeen.insert({item.table, item.index}).second) << "row printed twice";
        }
    }
    const auto& items = layout.pages()[page];
    ASSERT_FALSE(items.empty());
    const FlowItem::Kind last = items.back().item.kind;
    EXPECT_NE(last, FlowItem::Kind::chapterTitle) << "a title ends page " << page + 1;
    EXPECT_NE(last, FlowItem::Kind::caption) << "a caption ends page " << page + 1;
    EXPECT_NE(last, FlowItem::Kind::header) << "a header ends page " << page + 1;
}

} // namespace

TEST(PagedReport, LongSitesPaginateCleanlyOnEveryPageSize)
{
    const report::ReportContent content = largeReport();
    for (const PageCase& c : pageCases()) {
        SCOPED_TRACE(c.name);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(c.layout);
        report::PagedReport paged(content, writer);
        const report::ReportLayout& layout = paged.layout();
        ASSERT_GT(paged.pageCount(), 24);
        std::set<std::pair<std::size_t, std::size_t>> rowsSeen;
        for (std::size_t page = 0; page < layout.pages().size(); ++page) {
            checkPage(layout, page, rowsSeen);
        }
        std::size_t rows = 0;
        for (const report::LaidOutTable& table : layout.tables()) {
            rows += table.table->rows.size();
        }
        EXPECT_EQ(rowsSeen.size(), rows) << "every row printed once";
        EXPECT_TRUE(paged.print());
        EXPECT_TRUE(buffer.data().startsWith("%PDF"));
    }
}

TEST(PagedReport, RepeatedCaptionsSayTheTableGoesOn)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(report::reportPageLayout());
    report::PagedReport paged(largeReport(), writer);
    int repeated = 0;
    for (const auto& page : paged.layout().pages()) {
        for (const report::Placement& placement : page) {
            if (placement.repeated && placement.item.kind == FlowItem::Kind::caption) {
                EXPECT_EQ(placement.y, 0);
                ++repeated;
            }
        }
    }
    EXPECT_GE(repeated, 24);
    EXPECT_EQ(report::PagedReport::pageNumberText(3, 95), QStringLiteral("Стр. 3 из 95"));
}

TEST(PdfReport, EmbedsDejaVuSansAndCountsItsPages)
{
    const report::PdfResult pdf = report::pdfReport(
        report::buildReport(sample_sites::sampleSite(), {u"site.xml", u"01.02.2025 10:30", false, {}}));
    EXPECT_TRUE(pdf.pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.pdf.contains("/FontFile2")) << "the font is embedded";
    EXPECT_TRUE(pdf.pdf.contains("DejaVuSans"));
    EXPECT_TRUE(pdf.pdf.contains("/ToUnicode")) << "its text can be searched and copied";
    EXPECT_EQ(pdf.pdf.count("/Type /Page\n") + pdf.pdf.count("/Type /Page\r"), pdf.pageCount);
    EXPECT_GE(pdf.pageCount, 2);
}
