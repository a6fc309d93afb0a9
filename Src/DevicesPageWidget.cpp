#include "DevicesPageWidget.h"

#include "DeviceEditDialog.h"
#include "Prompter.h"
#include "TableCells.h"
#include "ui_DevicesPageWidget.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/LCDCharset.h"
#include "config_zelmar/NamedDeviceLimit.h"
#include "config_zelmar/PanelDescription.h"

#include <vector>

using config_zelmar::Configuration;
using config_zelmar::Device;
using config_zelmar::Section;

namespace {

constexpr int sectionRole = Qt::UserRole;
constexpr int addressRole = Qt::UserRole + 1;
constexpr int columnCount = 9;
constexpr int nameColumns = 6;
constexpr int firstNameColumn = 3;
constexpr int maxPults = config_zelmar::panel_description::lastConsole;
constexpr int maxDeviceAddress = config_zelmar::panel_description::lastDevice;
constexpr int eventsColumn = 2;
constexpr int columnWidths[columnCount - 1] = {50, 50, 100, 140, 140, 140, 140, 140};

// Names are stored with Latin look-alikes in place of Cyrillic letters (Двеpь with a Latin e and p), and
// typed in either case: the filter compares texts with both folded away.
QString searchKey(const QString& text)
{
    std::u16string folded = text.toUpper().toStdU16String();
    config_zelmar::applyLcdLookAlike(folded);
    return QString::fromStdU16String(folded).toUpper();
}

QString defaultTableText()
{
    return QStringLiteral("По умолчанию");
}

QString eventTableText(const Configuration& configuration, const Device& device)
{
    // A reference to a table that does not exist (a foreign file, a stray panel byte) shows the default.
    const auto table = device.names == nullptr ? 0u : device.names->eventTable;
    if (table == 0 || table >= configuration.eventTables.size()) {
        return defaultTableText();
    }
    return QString::fromStdU16String(configuration.eventTables[table].name);
}

std::array<std::u16string, nameColumns> namesShown(const Device& device, int section)
{
    if (device.names != nullptr) {
        const auto& n = *device.names;
        return {n.deviceName, n.outsName, n.loop1Name, n.loop2Name, n.line3Name, n.line4Name};
    }
    const int a = device.address;
    return {config_zelmar::defaultDeviceName(a, section), config_zelmar::defaultOutsName(a, section),
            config_zelmar::defaultLoop1Name(a, section),  config_zelmar::defaultLoop2Name(a, section),
            config_zelmar::defaultLine3Name(a, section),  config_zelmar::defaultLine4Name(a, section)};
}

} // namespace

DevicesPageWidget::DevicesPageWidget(QWidget* parent, EventsPageWidget* eventsPage,
                                     Configuration* configuration)
    : TablePageWidget(parent), form(std::make_unique<Ui::DevicesPageWidget>()), eventsPage(eventsPage),
      configuration(configuration)
{
    form->setupUi(this);
    boldFont = form->table->font();
    boldFont.setWeight(75);
    italicFont = form->table->font();
    italicFont.setItalic(true);
    for (int column = 0; column < firstNameColumn; ++column) {
        setReadableColumnWidth(form->table, column, columnWidths[column]);
    }
    // Name columns fit the longest default name (20 characters) in the bold font of typed names.
    const QString longestDefaultName =
        QString::fromStdU16String(config_zelmar::defaultLoop1Name(maxDeviceAddress, maxPults));
    for (int column = firstNameColumn; column < columnCount - 1; ++column) {
        setReadableColumnWidth(form->table, column, columnWidths[column], longestDefaultName, &boldFont);
    }
    setReadableColumnWidth(form->table, eventsColumn, columnWidths[eventsColumn], defaultTableText(),
                           &boldFont);
    bindTable(form->table, form->labelCount, {form->add, form->del, form->copy, form->edit, form->clear});
    connect(form->filter, &QLineEdit::textChanged, this, &DevicesPageWidget::applyFilter);
    loadTable();
}

DevicesPageWidget::~DevicesPageWidget() = default;

bool DevicesPageWidget::central() const
{
    return configuration->pultType();
}

void DevicesPageWidget::setHeaders()
{
    const bool isCentral = central();
    form->table->horizontalHeaderItem(0)->setText(isCentral ? QStringLiteral("Секция")
                                                            : QStringLiteral("Адрес"));
    form->table->horizontalHeaderItem(1)->setText(isCentral ? QStringLiteral("Адрес")
                                                            : QStringLiteral("Зона"));
    setReadableColumnWidth(form->table, 0, columnWidths[0]);
    setReadableColumnWidth(form->table, 1, columnWidths[1]);
}

void DevicesPageWidget::loadTable()
{
    struct Listed
    {
        Place place;
        const Device* device;
    };
    std::vector<Listed> listed;
    for (const auto& [key, section] : configuration->sections) {
        if (central() == (key != 0)) {
            for (const auto& [address, device] : section.devices) {
                if (!central() || device.names != nullptr) {
                    listed.push_back({{key, address}, &device});
                }
            }
        }
    }
    // One row count change and no repaint per cell: thousands of rows fill in a blink this way.
    reloadRows(int(listed.size()), [&](int row) { fillRow(row, listed[row].place, *listed[row].device); });
    setHeaders();
    applyFilter();
    updateMaxRowCount();
}

void DevicesPageWidget::updateMaxRowCount()
{
    maxRows = config_zelmar::namedDeviceLimit(*configuration);
    updateCount();
}

QString DevicesPageWidget::countText(int rows, int limit) const
{
    const QString prefix =
        central() ? QStringLiteral("Всего переименованных приборов: ") : QStringLiteral("Всего приборов: ");
    QString text = prefix + QStringLiteral("%1 / %2").arg(rows).arg(limit);
    const int shown = shownRowCount();
    if (shown != rows) {
        text += QStringLiteral(" (показано %1)").arg(shown);
    }
    return text;
}

int DevicesPageWidget::shownRowCount() const
{
    int shown = 0;
    for (int row = 0; row < rowCount(); ++row) {
        shown += table->isRowHidden(row) ? 0 : 1;
    }
    return shown;
}

void DevicesPageWidget::applyFilter()
{
    const QString key = searchKey(form->filter->text().trimmed());
    // Without a filter the rows are shown as they are, so that a reload of thousands of rows costs
    // nothing here.
    if (!key.isEmpty() || rowsHidden) {
        for (int row = 0; row < rowCount(); ++row) {
            table->setRowHidden(row, !key.isEmpty() && !rowMatchesFilter(row, key));
        }
        rowsHidden = !key.isEmpty();
    }
    // A hidden device must not stay the target of Delete or Edit.
    if (selectedRow >= 0 && table->isRowHidden(selectedRow)) {
        table->clearSelection();
    }
    selectionChanged();
}

bool DevicesPageWidget::rowMatchesFilter(int row, const QString& key) const
{
    const Place place = placeAt(row);
    QStringList texts{QString::number(place.address)};
    if (central()) {
        texts << QString::number(place.section);
    }
    for (int column = firstNameColumn; column < columnCount; ++column) {
        texts << table->item(row, column)->text();
    }
    for (const QString& text : texts) {
        if (searchKey(text).contains(key)) {
            return true;
        }
    }
    return false;
}

DevicesPageWidget::Place DevicesPageWidget::placeAt(int row) const
{
    const QTableWidgetItem* item = form->table->item(row, 0);
    return {item->data(sectionRole).toInt(), item->data(addressRole).toInt()};
}

bool DevicesPageWidget::selectDevice(int section, int address)
{
    const int row = rowOf({section, address});
    if (row >= 0 && table->isRowHidden(row)) {
        form->filter->clear(); // the device asked for must be seen
    }
    if (row >= 0) {
        selectRow(row);
    }
    return row >= 0;
}

int DevicesPageWidget::rowOf(Place place) const
{
    for (int row = 0; row < rowCount(); ++row) {
        const Place listed = placeAt(row);
        if (listed.section == place.section && listed.address == place.address) {
            return row;
        }
    }
    return -1;
}

int DevicesPageWidget::insertSortedRow(Place place)
{
    int row = 0;
    while (row < rowCount()) {
        const Place listed = placeAt(row);
        if (listed.section > place.section ||
            (listed.section == place.section && listed.address > place.address)) {
            break;
        }
        ++row;
    }
    form->table->insertRow(row);
    return row;
}

void DevicesPageWidget::fillRow(int row, Place place, const Device& device)
{
    QTableWidget* table = form->table;
    const bool isCentral = central();
    auto* first = centredItem(QString::number(isCentral ? place.section : device.address));
    first->setData(sectionRole, place.section);
    first->setData(addressRole, place.address);
    table->setItem(row, 0, first);
    table->setItem(row, 1, centredItem(QString::number(isCentral ? device.address : device.zone)));
    table->setItem(row, 2, centredItem(eventTableText(*configuration, device)));
    const auto names = namesShown(device, isCentral ? place.section : 0);
    const QFont& font = device.names != nullptr ? boldFont : italicFont;
    for (int i = 0; i < nameColumns; ++i) {
        auto* item = new QTableWidgetItem(QString::fromStdU16String(names[i]));
        item->setFont(font);
        table->setItem(row, firstNameColumn + i, item);
    }
}

Device& DevicesPageWidget::deviceAt(Place place) const
{
    return configuration->sections.at(place.section).devices.at(place.address);
}

DevicesPageWidget::Place DevicesPageWidget::firstFreePlace() const
{
    auto lowestFreeAddress = [](const Section& section) {
        for (int address = 1; address <= maxDeviceAddress; ++address) {
            if (section.devices.count(address) == 0) {
                return address;
            }
        }
        return 0;
    };
    if (!central()) {
        const auto found = configuration->sections.find(0);
        const int address = found == configuration->sections.end() ? 1 : lowestFreeAddress(found->second);
        return {0, address == 0 ? 1 : address};
    }
    for (int section = 1; section <= maxPults; ++section) {
        const auto found = configuration->sections.find(section);
        if (found == configuration->sections.end()) {
            return {section, 1};
        }
        if (const int address = lowestFreeAddress(found->second); address != 0) {
            return {section, address};
        }
    }
    return {1, 1};
}

// The questions that follow OK, asked over the still open dialog before anything changes: a section
// console that storing would add, a device that it would replace. False: the user said No.
bool DevicesPageWidget::confirmTarget(const QString& title, DeviceEditDialog& dialog)
{
    const Place target{dialog.section(), dialog.address()};
    const auto section = configuration->sections.find(target.section);
    if (central() && section == configuration->sections.end()) {
        const QString text =
            QStringLiteral("Будет добавлен секционный пульт с адресом %1. Продолжить?").arg(target.section);
        return Prompter::current().askYesNo(&dialog, title, text, QMessageBox::Yes);
    }
    if (section == configuration->sections.end() || section->second.devices.count(target.address) == 0) {
        return true;
    }
    const QString text = central() ? QStringLiteral("В секции %1 адрес %2 уже добавлен. Заменить?")
                                         .arg(target.section)
                                         .arg(target.address)
                                   : QStringLiteral("Адрес %1 уже добавлен. Заменить?").arg(target.address);
    return Prompter::current().askYesNo(&dialog, title, text);
}

void DevicesPageWidget::addSection(int section)
{
    Section added;
    added.address = section;
    configuration->sections[section] = added;
    emit reloadPultsTable();
}

// Stores the dialog at the section and address it names, once the user confirmed what that does.
// oldPlace, when given, is the device being moved away.
void DevicesPageWidget::storeAtTarget(const DeviceEditDialog& dialog, Device device, const Place* oldPlace)
{
    const Place target{dialog.section(), dialog.address()};
    if (central() && configuration->sections.count(target.section) == 0) {
        addSection(target.section);
    }
    if (oldPlace != nullptr) {
        configuration->sections.at(oldPlace->section).devices.erase(oldPlace->address);
        form->table->removeRow(rowOf(*oldPlace));
    }
    auto& devices = configuration->sections[target.section].devices;
    const auto existing = devices.find(target.address);
    Device& stored = existing != devices.end() ? existing->second : devices[target.address];
    if (existing == devices.end()) {
        stored = device;
    }
    dialog.storeDevice(stored);
    int row = rowOf(target);
    if (row < 0) {
        row = insertSortedRow(target);
    }
    fillRow(row, target, stored);
    selectRow(row);
    applyFilter();
    emit modified();
}

void DevicesPageWidget::onAdd()
{
    DeviceEditDialog dialog(this, configuration, eventsPage);
    const Place preset = firstFreePlace();
    dialog.preset(preset.section, preset.address);
    dialog.setConfirmation([&] { return confirmTarget(QStringLiteral("Добавление прибора"), dialog); });
    if (dialog.exec() == QDialog::Accepted) {
        storeAtTarget(dialog, Device(), nullptr);
    }
}

void DevicesPageWidget::onCopy()
{
    if (selectedRow < 0) {
        return;
    }
    const Place source = placeAt(selectedRow);
    const Device original = deviceAt(source);
    DeviceEditDialog dialog(this, configuration, eventsPage);
    dialog.loadDevice(original, source.section);
    dialog.setConfirmation([&] { return confirmTarget(QStringLiteral("Копирование прибора"), dialog); });
    if (dialog.exec() == QDialog::Accepted) {
        storeAtTarget(dialog, original, nullptr);
    }
}

void DevicesPageWidget::onEdit()
{
    if (selectedRow < 0) {
        return;
    }
    const Place place = placeAt(selectedRow);
    const Device original = deviceAt(place);
    DeviceEditDialog dialog(this, configuration, eventsPage);
    dialog.loadDevice(original, place.section);
    const auto stays = [&] { return dialog.section() == place.section && dialog.address() == place.address; };
    dialog.setConfirmation(
        [&] { return stays() || confirmTarget(QStringLiteral("Редактирование прибора"), dialog); });
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (stays()) {
        Device& device = deviceAt(place);
        dialog.storeDevice(device);
        fillRow(selectedRow, place, device);
        applyFilter();
        emit modified();
        return;
    }
    storeAtTarget(dialog, original, &place);
}

void DevicesPageWidget::onDel()
{
    if (selectedRow < 0) {
        return;
    }
    const Place place = placeAt(selectedRow);
    const QString text =
        central() ? QStringLiteral("Удалить адрес %1 секции %2?").arg(place.address).arg(place.section)
                  : QStringLiteral("Удалить адрес %1?").arg(place.address);
    if (!Prompter::current().askYesNo(this, QStringLiteral("Удаление прибора"), text)) {
        return;
    }
    configuration->sections.at(place.section).devices.erase(place.address);
    form->table->removeRow(selectedRow);
    selectionChanged();
    emit modified();
}

void DevicesPageWidget::onClear()
{
    const QString text = central() ? QStringLiteral("Вы действительно хотите удалить названия всех приборов?")
                                   : QStringLiteral("Вы действительно хотите удалить все приборы?");
    if (!Prompter::current().askYesNo(this, QStringLiteral("Удаление"), text)) {
        return;
    }
    if (central()) {
        for (auto& [key, section] : configuration->sections) {
            if (key != 0) {
                section.devices.clear();
            }
        }
    } else {
        configuration->sections[0].devices.clear();
    }
    form->table->setRowCount(0);
    selectionChanged();
    emit modified();
}
