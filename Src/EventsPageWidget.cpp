#include "EventsPageWidget.h"

#include "EventTableEditDialog.h"
#include "GenerateCopyName.h"
#include "Prompter.h"
#include "TableCells.h"
#include "ui_EventsPageWidget.h"

#include <config_zelmar/Configuration.h>

using config_zelmar::Configuration;
using config_zelmar::EventTable;

namespace {

constexpr int maxTables = int(Configuration::maxEventTables);
constexpr int eventTableNameLength = int(config_zelmar::panel_description::tableNameWidth);

} // namespace

EventsPageWidget::EventsPageWidget(QWidget* parent, Configuration* configuration)
    : TablePageWidget(parent), form(std::make_unique<Ui::EventsPageWidget>()), configuration(configuration)
{
    form->setupUi(this);
    form->table->horizontalHeader()->resizeSection(0, 50);
    bindTable(form->table, form->labelCount, {form->add, form->del, form->copy, form->edit, form->clear});
    connect(form->makeFirst, &QToolButton::clicked, this, &EventsPageWidget::onMakeFirst);
    connect(form->moveUp, &QToolButton::clicked, this, &EventsPageWidget::onMoveUp);
    connect(form->moveDown, &QToolButton::clicked, this, &EventsPageWidget::onMoveDown);
    connect(form->makeLast, &QToolButton::clicked, this, &EventsPageWidget::onMakeLast);
    loadTable();
}

EventsPageWidget::~EventsPageWidget() = default;

void EventsPageWidget::loadTable()
{
    reloadRows(int(configuration->eventTables.size()), [this](int row) { fillRow(row); });
}

void EventsPageWidget::fillRow(int row)
{
    form->table->setItem(row, 0, centredItem(QString::number(row)));
    const QString name = row == 0 ? QStringLiteral("По умолчанию")
                                  : QString::fromStdU16String(configuration->eventTableAt(row).name);
    form->table->setItem(row, 1, new QTableWidgetItem(name));
}

void EventsPageWidget::refillRows(int from)
{
    for (int row = from; row < rowCount(); ++row) {
        fillRow(row);
    }
}

int EventsPageWidget::rowLimit() const
{
    return maxTables;
}

QString EventsPageWidget::countText(int rows, int limit) const
{
    return QStringLiteral("Всего таблиц: %1 / %2").arg(rows).arg(limit);
}

// Row 0, the default table, stays first; row 1 is the first that moves.
void EventsPageWidget::updateSelectionButtons()
{
    const int rows = rowCount();
    form->makeFirst->setEnabled(selectedRow > 1);
    form->moveUp->setEnabled(selectedRow > 1);
    form->moveDown->setEnabled(selectedRow > 0 && selectedRow < rows - 1);
    form->makeLast->setEnabled(selectedRow > 0 && selectedRow < rows - 1);
}

bool EventsPageWidget::selectTable(int index)
{
    if (index < 0 || index >= rowCount()) {
        return false;
    }
    selectRow(index);
    return true;
}

bool EventsPageWidget::addTable(const EventTable& tableTemplate)
{
    const int count = int(configuration->eventTables.size());
    if (count >= maxTables) {
        return false;
    }
    EventTable table = tableTemplate;
    table.name = table.name.empty() ? EventTable::defaultTableName(count)
                                    : GenerateCopyName(table.name, eventTableNameLength);
    EventTableEditDialog dialog(this, configuration, false, false);
    dialog.loadData(table);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.storeData(table);
    configuration->appendEventTable(table);
    const int row = rowCount();
    form->table->insertRow(row);
    fillRow(row);
    selectRow(row);
    emit modified();
    return true;
}

void EventsPageWidget::onAdd()
{
    addTable(Configuration::defaultEventTable);
}

void EventsPageWidget::onCopy()
{
    if (selectedRow >= 0) {
        addTable(configuration->eventTableAt(selectedRow));
    }
}

void EventsPageWidget::onEdit()
{
    if (selectedRow < 0) {
        return;
    }
    const int row = selectedRow;
    EventTable& table = configuration->eventTableAt(row);
    EventTableEditDialog dialog(this, configuration, row == 0, true);
    dialog.loadData(table);
    if (dialog.exec() != QDialog::Accepted || row == 0) {
        return;
    }
    dialog.storeData(table);
    fillRow(row);
    selectRow(row);
    emit reloadDevicesTable();
    emit modified();
}

void EventsPageWidget::onDel()
{
    if (selectedRow <= 0) {
        return;
    }
    const int row = selectedRow;
    const bool used = configuration->isEventTableUsed(row);
    QString text = QStringLiteral("Удалить таблицу \"%1\"?")
                       .arg(QString::fromStdU16String(configuration->eventTableAt(row).name));
    if (used) {
        text += QStringLiteral("\n\nВ конфигурации обнаружены приборы, использующие данную таблицу. После "
                               "удаления для них будут установлены названия событий по умолчанию.");
    }
    if (!Prompter::current().askYesNo(this, QStringLiteral("Удаление таблицы"), text)) {
        return;
    }
    configuration->removeEventTable(row);
    form->table->removeRow(row);
    refillRows(row);
    selectionChanged();
    if (used) {
        emit reloadDevicesTable();
    }
    emit modified();
}

void EventsPageWidget::onClear()
{
    const QString text = QStringLiteral("Вы действительно хотите удалить все таблицы названий событий?\n"
                                        "Для всех приборов будут установлены названия событий по умолчанию.");
    if (!Prompter::current().askYesNo(this, QStringLiteral("Удаление"), text)) {
        return;
    }
    configuration->clearEventTables();
    loadTable();
    emit reloadDevicesTable();
    emit modified();
}

void EventsPageWidget::tablesMoved(int selectedTable)
{
    refillRows(1);
    selectRow(selectedTable);
    emit reloadDevicesTable();
    emit modified();
}

void EventsPageWidget::onMakeFirst()
{
    if (selectedRow > 1) {
        configuration->moveEventTableToTop(selectedRow);
        tablesMoved(1);
    }
}

void EventsPageWidget::onMoveUp()
{
    if (selectedRow > 1) {
        const int row = selectedRow;
        configuration->swapEventTables(row, row - 1);
        tablesMoved(row - 1);
    }
}

void EventsPageWidget::onMoveDown()
{
    if (selectedRow > 0 && selectedRow < rowCount() - 1) {
        const int row = selectedRow;
        configuration->swapEventTables(row, row + 1);
        tablesMoved(row + 1);
    }
}

void EventsPageWidget::onMakeLast()
{
    if (selectedRow > 0 && selectedRow < rowCount() - 1) {
        configuration->moveEventTableToBottom(selectedRow);
        tablesMoved(rowCount() - 1);
    }
}
