#include "TableCells.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace {

// Room for the cell's frame and text margins on both sides.
constexpr int cellPadding = 16;

} // namespace

void setReadableColumnWidth(QTableWidget* table, int column, int width, const QString& shownText,
                            const QFont* shownFont)
{
    QHeaderView* header = table->horizontalHeader();
    int textWidth = 0;
    if (!shownText.isEmpty()) {
        const QFontMetrics metrics(shownFont != nullptr ? *shownFont : table->font());
        textWidth = metrics.horizontalAdvance(shownText) + cellPadding;
    }
    header->resizeSection(column, std::max({width, header->sectionSizeHint(column), textWidth}));
}

QTableWidgetItem* centredItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}
