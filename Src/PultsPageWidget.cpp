#include "PultsPageWidget.h"

#include "Prompter.h"
#include "PultChecker.h"
#include "PultEditDialog.h"
#include "TableCells.h"
#include "ui_PultsPageWidget.h"

#include <config_zelmar/Configuration.h>

#include <vector>

using config_zelmar::Section;

PultsPageWidget::PultsPageWidget(QWidget* parent, config_zelmar::Configuration* configuration)
    : TablePageWidget(parent), form(std::make_unique<Ui::PultsPageWidget>()), configuration(configuration)
{
    form->setupUi(this);
    boldFont = form->table->font();
    boldFont.setWeight(75);
    italicFont = form->table->font();
    italicFont.setItalic(true);
    setReadableColumnWidth(form->table, 0, 50);
    setReadableColumnWidth(form->table, 1, 80, QString::fromStdU16String(Section::groupName(7)));
    // The name column fits the longest default name in the bold font of typed names.
    setReadableColumnWidth(form->table, 2, 140, QString::fromStdU16String(Section::defaultPultName(maxPults)),
                           &boldFont);
    bindTable(form->table, form->labelCount, {form->add, form->del, form->copy, form->edit, form->clear});
    loadTable();
}

PultsPageWidget::~PultsPageWidget() = default;

void PultsPageWidget::loadTable()
{
    std::vector<std::pair<int, const Section*>> listed;
    if (configuration->pultType()) {
        for (const auto& [address, section] : configuration->sections) {
            if (address != 0) {
                listed.emplace_back(address, &section);
            }
        }
    }
    reloadRows(int(listed.size()), [&](int row) {
        table->setItem(row, 0, centredItem(QString::number(listed[row].first)));
        fillRow(row, *listed[row].second);
    });
}

QString PultsPageWidget::countText(int rows, int limit) const
{
    return QStringLiteral("Всего пультов: %1 / %2").arg(rows).arg(limit);
}

int PultsPageWidget::firstFreeAddress() const
{
    for (int address = 1; address <= maxPults; ++address) {
        if (configuration->sections.count(address) == 0) {
            return address;
        }
    }
    return 1;
}

bool PultsPageWidget::selectSection(int address)
{
    for (int row = 0; row < rowCount(); ++row) {
        if (addressAt(row) == address) {
            selectRow(row);
            return true;
        }
    }
    return false;
}

int PultsPageWidget::addressAt(int row) const
{
    return form->table->item(row, 0)->text().toInt();
}

int PultsPageWidget::insertSortedRow(int address)
{
    int row = 0;
    while (row < rowCount() && addressAt(row) <= address) {
        ++row;
    }
    form->table->insertRow(row);
    form->table->setItem(row, 0, centredItem(QString::number(address)));
    return row;
}

void PultsPageWidget::fillRow(int row, const Section& section)
{
    form->table->setItem(row, 1, centredItem(QString::fromStdU16String(Section::groupName(section.group))));
    const bool defaultName = section.name.empty();
    const QString name =
        QString::fromStdU16String(defaultName ? Section::defaultPultName(section.address) : section.name);
    const QString dublerName = QString::fromStdU16String(
        defaultName ? Section::defaultDublerName(section.address) : section.dublerName);
    auto* nameItem = new QTableWidgetItem(name);
    nameItem->setFont(defaultName ? italicFont : boldFont);
    form->table->setItem(row, 2, nameItem);
    auto* dublerItem = new QTableWidgetItem(section.dubler ? dublerName : QString());
    if (section.dubler) {
        dublerItem->setFont(defaultName ? italicFont : boldFont);
    }
    form->table->setItem(row, 3, dublerItem);
}

bool PultsPageWidget::runDialog(Section* section, int editedAddress)
{
    PultChecker checker(configuration, editedAddress);
    PultEditDialog dialog(this, section, &checker);
    return dialog.exec() == QDialog::Accepted;
}

void PultsPageWidget::addSection(const Section& section)
{
    configuration->sections[section.address] = section;
    const int row = insertSortedRow(section.address);
    fillRow(row, section);
    selectRow(row);
}

void PultsPageWidget::onAdd()
{
    if (!configuration->pultType()) {
        return; // a section console has no section consoles of its own
    }
    Section section;
    section.address = firstFreeAddress();
    if (!runDialog(&section, -1)) {
        return;
    }
    addSection(section);
    if (!section.name.empty()) {
        emit updateDevicesMaxRowCount();
    }
    emit modified();
}

void PultsPageWidget::onCopy()
{
    if (selectedRow < 0 || !configuration->pultType()) {
        return;
    }
    Section section = configuration->sections.at(addressAt(selectedRow));
    section.address = firstFreeAddress();
    if (!runDialog(&section, -1)) {
        return;
    }
    addSection(section);
    emit reloadDevicesTable();
    emit modified();
}

void PultsPageWidget::onEdit()
{
    if (selectedRow < 0) {
        return;
    }
    const int oldAddress = addressAt(selectedRow);
    Section& section = configuration->sections.at(oldAddress);
    if (!runDialog(&section, oldAddress)) {
        return;
    }
    int row = selectedRow;
    if (section.address != oldAddress) {
        const Section moved = section;
        configuration->sections.erase(oldAddress);
        configuration->sections[moved.address] = moved;
        form->table->removeRow(row);
        row = insertSortedRow(moved.address);
    }
    fillRow(row, configuration->sections.at(addressAt(row)));
    selectRow(row);
    emit reloadDevicesTable();
    emit modified();
}

void PultsPageWidget::onDel()
{
    if (selectedRow < 0) {
        return;
    }
    const int address = addressAt(selectedRow);
    const QString text =
        QStringLiteral("Удалить адрес %1?\n(При этом будут удалены названия всех приборов секции!)")
            .arg(address);
    if (!Prompter::current().askYesNo(this, QStringLiteral("Удаление пульта"), text)) {
        return;
    }
    configuration->sections.erase(address);
    form->table->removeRow(selectedRow);
    selectionChanged();
    emit reloadDevicesTable();
    emit modified();
}

void PultsPageWidget::onClear()
{
    const QString text = QStringLiteral("Вы действительно хотите удалить все пульты?\n"
                                        "(При этом будут удалены названия всех приборов!)");
    if (!Prompter::current().askYesNo(this, QStringLiteral("Удаление"), text)) {
        return;
    }
    configuration->sections.clear();
    loadTable();
    emit reloadDevicesTable();
    emit modified();
}
