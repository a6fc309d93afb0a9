#pragma once

#include <string>
#include <vector>

// What a commissioning report says, apart from how it is drawn: the renderers (HTML, PDF and print)
// walk the same content.
namespace report {

enum class CellStyle
{
    plain,
    defaultValue, // a default name or value: italic
    differs       // differs from the default event table: marked
};

struct Cell
{
    std::u16string text;
    CellStyle style = CellStyle::plain;
};

struct Column
{
    std::u16string header;
    bool centred = false;
};

struct Table
{
    std::u16string caption; // above the table; empty for none
    std::vector<Column> columns;
    std::vector<std::vector<Cell>> rows;
    bool fillWidth = false; // stretched across the page, like the device tables of every section
};

// One part of the report: a title, notes, then tables.
struct Chapter
{
    std::u16string title;
    std::vector<std::u16string> notes;
    std::vector<Table> tables;
    bool alert = false; // the checks' problems: drawn so that nobody misses them
};

struct HeadingLine
{
    std::u16string label;
    std::u16string value;
};

struct ReportContent
{
    std::u16string title;
    std::vector<HeadingLine> heading;
    std::vector<Chapter> chapters;
    // The left part of every page's footer: what the report is of, and when it was made.
    std::u16string footer;
};

} // namespace report
