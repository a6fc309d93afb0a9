#include "TablePageWidget.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>

TablePageWidget::TablePageWidget(QWidget* parent) : QWidget(parent) {}

void TablePageWidget::bindTable(QTableWidget* pageTable, QLabel* pageCountLabel, const Buttons& pageButtons)
{
    table = pageTable;
    countLabel = pageCountLabel;
    buttons = pageButtons;
    connect(buttons.add, &QToolButton::clicked, this, &TablePageWidget::onAdd);
    connect(buttons.del, &QToolButton::clicked, this, &TablePageWidget::onDel);
    connect(buttons.copy, &QToolButton::clicked, this, &TablePageWidget::onCopy);
    connect(buttons.edit, &QToolButton::clicked, this, &TablePageWidget::onEdit);
    connect(buttons.clear, &QToolButton::clicked, this, &TablePageWidget::onClear);
    connect(table, &QTableWidget::itemSelectionChanged, this, &TablePageWidget::selectionChanged);
    connect(table, &QTableWidget::cellDoubleClicked, this, &TablePageWidget::onEdit);
    table->installEventFilter(this);
}

int TablePageWidget::rowCount() const
{
    return table->rowCount();
}

void TablePageWidget::selectionChanged()
{
    const auto items = table->selectedItems();
    selectedRow = items.isEmpty() ? -1 : items.first()->row();
    buttons.del->setEnabled(canDelete(selectedRow));
    buttons.edit->setEnabled(selectedRow >= 0);
    updateSelectionButtons();
    updateCount();
}

void TablePageWidget::updateCount()
{
    const int rows = rowCount();
    const int limit = rowLimit();
    buttons.add->setEnabled(rows < limit);
    buttons.copy->setEnabled(rows < limit && selectedRow >= 0);
    buttons.clear->setEnabled(rows > permanentRows());
    countLabel->setText(countText(rows, limit));
}

void TablePageWidget::selectRow(int row)
{
    table->setCurrentCell(row, 0);
    table->selectRow(row);
    selectionChanged();
}

void TablePageWidget::reloadRows(int count, const std::function<void(int row)>& fillRow)
{
    table->setUpdatesEnabled(false);
    {
        const QSignalBlocker blocker(table);
        table->clearSelection();
        table->clearContents();
        table->setRowCount(count);
        for (int row = 0; row < count; ++row) {
            fillRow(row);
        }
    }
    table->setUpdatesEnabled(true);
    selectionChanged();
}

bool TablePageWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers == Qt::NoModifier && runKey(key->key())) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The key does what its button does, and only while the button is enabled.
bool TablePageWidget::runKey(int key)
{
    const auto run = [](QToolButton* button, auto action) {
        if (button->isEnabled()) {
            action();
        }
        return true;
    };
    switch (key) {
    case Qt::Key_Insert:
        return run(buttons.add, [this] { onAdd(); });
    case Qt::Key_Delete:
        return run(buttons.del, [this] { onDel(); });
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return run(buttons.edit, [this] { onEdit(); });
    default:
        return false;
    }
}
