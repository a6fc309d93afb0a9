#include "CommandsPageWidget.h"

#include "DeviceCommandEditDialog.h"
#include "GenerateCopyName.h"
#include "Prompter.h"
#include "PultCommandEditDialog.h"
#include "ui_CommandsPageWidget.h"

#include <config_zelmar/Configuration.h>

using config_zelmar::Command;
using config_zelmar::Configuration;

namespace {

constexpr int commandNameLength = int(config_zelmar::panel_description::commandNameWidth);

} // namespace

CommandsPageWidget::CommandsPageWidget(QWidget* parent, Configuration* configuration)
    : TablePageWidget(parent), form(std::make_unique<Ui::CommandsPageWidget>()), configuration(configuration)
{
    form->setupUi(this);
    form->table->horizontalHeader()->resizeSection(0, 160);
    bindTable(form->table, form->labelCount, {form->add, form->del, form->copy, form->edit, form->clear});
    connect(form->makeFirst, &QToolButton::clicked, this, &CommandsPageWidget::onMakeFirst);
    connect(form->moveUp, &QToolButton::clicked, this, &CommandsPageWidget::onMoveUp);
    connect(form->moveDown, &QToolButton::clicked, this, &CommandsPageWidget::onMoveDown);
    connect(form->makeLast, &QToolButton::clicked, this, &CommandsPageWidget::onMakeLast);
    loadTable();
}

CommandsPageWidget::~CommandsPageWidget() = default;

void CommandsPageWidget::loadTable()
{
    reloadRows(int(configuration->commands.size()), [this](int row) { fillRow(row); });
}

void CommandsPageWidget::fillRow(int row)
{
    const Command& command = configuration->commands.at(std::size_t(row));
    const QString name =
        command.name == Command::continuationName ? QString() : QString::fromStdU16String(command.name);
    form->table->setItem(row, 0, new QTableWidgetItem(name));
    form->table->setItem(row, 1, new QTableWidgetItem(QString::fromStdU16String(command.description(false))));
}

void CommandsPageWidget::refillRows(int from, int to)
{
    for (int row = from; row <= to; ++row) {
        fillRow(row);
    }
}

bool CommandsPageWidget::isContinuation(int row) const
{
    return row >= 0 && row < int(configuration->commands.size()) &&
           configuration->commands[std::size_t(row)].name == Command::continuationName;
}

QString CommandsPageWidget::countText(int rows, int limit) const
{
    return QStringLiteral("Всего команд: %1 / %2").arg(rows).arg(limit);
}

// A continuation never moves into row 0.
void CommandsPageWidget::updateSelectionButtons()
{
    const int rows = rowCount();
    const bool continuation = isContinuation(selectedRow);
    form->makeFirst->setEnabled(selectedRow > 0 && !continuation);
    form->moveUp->setEnabled(selectedRow > (continuation ? 1 : 0));
    form->moveDown->setEnabled(selectedRow >= 0 && selectedRow < rows - 1);
    form->makeLast->setEnabled(selectedRow >= 0 && selectedRow < rows - 1);
}

bool CommandsPageWidget::selectCommand(int index)
{
    if (index < 0 || index >= rowCount()) {
        return false;
    }
    selectRow(index);
    return true;
}

// Row 0 may leave its place only when the command after it can become the first one.
bool CommandsPageWidget::firstCommandMayLeave(int row)
{
    if (row != 0 || !isContinuation(1)) {
        return true;
    }
    Prompter::current().warning(this, QStringLiteral("Первая команда"),
                                QStringLiteral("Чтобы удалить или переместить эту команду,\n"
                                               "присвойте имя следующей команде!"));
    return false;
}

std::unique_ptr<CommandEditDialog> CommandsPageWidget::createDialog(bool editing)
{
    if (configuration->pultType()) {
        return std::make_unique<PultCommandEditDialog>(this, configuration, editing);
    }
    return std::make_unique<DeviceCommandEditDialog>(this, configuration, editing);
}

void CommandsPageWidget::appendCommand(Command command)
{
    const bool first = configuration->commands.empty();
    auto dialog = createDialog(false);
    dialog->loadData(command, first);
    if (dialog->exec() != QDialog::Accepted) {
        return;
    }
    dialog->storeData(command);
    configuration->commands.push_back(command);
    const int row = rowCount();
    form->table->insertRow(row);
    fillRow(row);
    selectRow(row);
    emit modified();
}

void CommandsPageWidget::onAdd()
{
    if (rowCount() >= maxCommands) {
        return;
    }
    Command command(configuration->pultType());
    command.name = Command::defaultName(rowCount());
    appendCommand(command);
}

void CommandsPageWidget::onCopy()
{
    if (selectedRow < 0 || rowCount() >= maxCommands) {
        return;
    }
    Command command = configuration->commands.at(std::size_t(selectedRow));
    const bool unnamed = command.name.empty() || command.name == Command::continuationName;
    command.name =
        unnamed ? Command::defaultName(rowCount()) : GenerateCopyName(command.name, commandNameLength);
    appendCommand(command);
}

void CommandsPageWidget::onEdit()
{
    if (selectedRow < 0) {
        return;
    }
    const int row = selectedRow;
    Command& command = configuration->commands.at(std::size_t(row));
    auto dialog = createDialog(true);
    dialog->loadData(command, row == 0);
    if (dialog->exec() != QDialog::Accepted) {
        return;
    }
    dialog->storeData(command);
    fillRow(row);
    selectionChanged();
    emit modified();
}

void CommandsPageWidget::onDel()
{
    if (selectedRow < 0 || !firstCommandMayLeave(selectedRow)) {
        return;
    }
    const int row = selectedRow;
    const QString name = QString::fromStdU16String(configuration->commands.at(std::size_t(row)).name);
    if (!Prompter::current().askYesNo(this, QStringLiteral("Удаление команды"),
                                      QStringLiteral("Удалить команду \"%1\"?").arg(name))) {
        return;
    }
    configuration->commands.erase(configuration->commands.begin() + row);
    form->table->removeRow(row);
    refillRows(row, rowCount() - 1);
    selectionChanged();
    emit modified();
}

void CommandsPageWidget::onClear()
{
    if (!Prompter::current().askYesNo(this, QStringLiteral("Удаление"),
                                      QStringLiteral("Вы действительно хотите удалить все команды?"))) {
        return;
    }
    configuration->commands.clear();
    loadTable();
    emit modified();
}

void CommandsPageWidget::commandsMoved(int from, int to, int selected)
{
    refillRows(from, to);
    selectRow(selected);
    emit modified();
}

void CommandsPageWidget::onMakeFirst()
{
    const int row = selectedRow;
    if (row > 0 && !isContinuation(row)) {
        configuration->moveCommandToTop(row);
        commandsMoved(0, row, 0);
    }
}

void CommandsPageWidget::onMoveUp()
{
    const int row = selectedRow;
    if (row > (isContinuation(row) ? 1 : 0)) {
        configuration->swapCommands(row, row - 1);
        commandsMoved(row - 1, row, row - 1);
    }
}

void CommandsPageWidget::onMoveDown()
{
    const int row = selectedRow;
    if (row >= 0 && row < rowCount() - 1 && firstCommandMayLeave(row)) {
        configuration->swapCommands(row, row + 1);
        commandsMoved(row, row + 1, row + 1);
    }
}

void CommandsPageWidget::onMakeLast()
{
    const int row = selectedRow;
    const int last = rowCount() - 1;
    if (row >= 0 && row < last && firstCommandMayLeave(row)) {
        configuration->moveCommandToBottom(row);
        commandsMoved(row, last, last);
    }
}
