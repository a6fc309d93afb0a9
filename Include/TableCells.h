#pragma once

#include <QString>

class QFont;
class QTableWidget;
class QTableWidgetItem;

// Cells and columns of the table pages.
//
// The column widths of the table pages come from a layout made for a smaller system font. A column is
// widened where its header, or a text that it shows (given with the font it is shown in), would
// otherwise be cut; it is never made narrower than the given width.
void setReadableColumnWidth(QTableWidget* table, int column, int width, const QString& shownText = QString(),
                            const QFont* shownFont = nullptr);

// A new cell whose text is centred (addresses, numbers, group and table names).
QTableWidgetItem* centredItem(const QString& text);
