#include "report/HtmlReport.h"

#include <QString>
#include <QStringList>

namespace report {

namespace {

const char* const styleSheet = R"(
@page { size: A4 landscape; margin: 12mm; }
body { font-family: "DejaVu Sans", sans-serif; font-size: 9pt; color: #000; }
h1 { font-size: 15pt; margin: 0 0 6pt 0; }
h2 { font-size: 12pt; margin: 14pt 0 4pt 0; }
h2.alert { color: #a00000; }
p { margin: 2pt 0; }
table { border-collapse: collapse; margin: 4pt 0 8pt 0; }
caption { text-align: left; font-weight: bold; padding: 2pt 0; }
th, td { border: 0.5pt solid #808080; padding: 1.5pt 4pt; vertical-align: top; text-align: left; }
th { background: #e6e6e6; }
thead { display: table-header-group; }
tr { page-break-inside: avoid; }
table.heading td { border: none; padding: 1pt 8pt 1pt 0; }
.centred { text-align: center; }
.default { font-style: italic; }
.differs { font-weight: bold; background: #ffffbf; }
)";

QString escaped(const std::u16string& text)
{
    return QString::fromStdU16String(text).toHtmlEscaped();
}

QString cellClass(const Cell& cell, bool centred)
{
    QStringList classes;
    if (centred) {
        classes << QStringLiteral("centred");
    }
    if (cell.style == CellStyle::defaultValue) {
        classes << QStringLiteral("default");
    } else if (cell.style == CellStyle::differs) {
        classes << QStringLiteral("differs");
    }
    return classes.isEmpty() ? QString()
                             : QStringLiteral(" class=\"%1\"").arg(classes.join(QLatin1Char(' ')));
}

void appendTable(QString& html, const Table& table)
{
    html += QStringLiteral("<table>\n");
    if (!table.caption.empty()) {
        html += QStringLiteral("<caption>%1</caption>\n").arg(escaped(table.caption));
    }
    html += QStringLiteral("<thead><tr>");
    for (const Column& column : table.columns) {
        html += QStringLiteral("<th%1>%2</th>")
                    .arg(column.centred ? QStringLiteral(" class=\"centred\"") : QString(),
                         escaped(column.header));
    }
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const auto& row : table.rows) {
        html += QStringLiteral("<tr>");
        for (std::size_t i = 0; i < row.size(); ++i) {
            const bool centred = i < table.columns.size() && table.columns[i].centred;
            html += QStringLiteral("<td%1>%2</td>").arg(cellClass(row[i], centred), escaped(row[i].text));
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</tbody>\n</table>\n");
}

void appendChapter(QString& html, const Chapter& chapter)
{
    html += QStringLiteral("<h2%1>%2</h2>\n")
                .arg(chapter.alert ? QStringLiteral(" class=\"alert\"") : QString(), escaped(chapter.title));
    for (const auto& note : chapter.notes) {
        html += QStringLiteral("<p>%1</p>\n").arg(escaped(note));
    }
    for (const Table& table : chapter.tables) {
        appendTable(html, table);
    }
}

} // namespace

QByteArray htmlReport(const ReportContent& content)
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n");
    html += QStringLiteral("<title>%1</title>\n<style>%2</style>\n</head>\n<body>\n")
                .arg(escaped(content.title), QString::fromUtf8(styleSheet));
    html += QStringLiteral("<h1>%1</h1>\n<table class=\"heading\">\n").arg(escaped(content.title));
    for (const HeadingLine& line : content.heading) {
        html += QStringLiteral("<tr><td>%1:</td><td>%2</td></tr>\n")
                    .arg(escaped(line.label), escaped(line.value));
    }
    html += QStringLiteral("</table>\n");
    for (const Chapter& chapter : content.chapters) {
        appendChapter(html, chapter);
    }
    html += QStringLiteral("</body>\n</html>\n");
    return html.toUtf8();
}

} // namespace report
