#include "DeviceEditDialog.h"

#include "EventsPageWidget.h"
#include "LcdTextField.h"
#include "Prompter.h"
#include "ui_DeviceEditDialog.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/LCDCharset.h>

#include <QPushButton>

#include <algorithm>

using config_zelmar::Configuration;
using config_zelmar::Device;
using config_zelmar::DeviceNames;

namespace {

constexpr int maxEventTableEntries = int(config_zelmar::panel_description::maxEventTables);

std::u16string toLcdName(const QString& text)
{
    std::u16string name = text.toStdU16String();
    config_zelmar::applyLcdLookAlike(name);
    return name;
}

} // namespace

DeviceEditDialog::DeviceEditDialog(QWidget* parent, const Configuration* configuration,
                                   EventsPageWidget* eventsPage)
    : QDialog(parent, Qt::WindowCloseButtonHint), form(std::make_unique<Ui::DeviceEditDialog>()),
      configuration(configuration), eventsPage(eventsPage)
{
    form->setupUi(this);
    for (QLineEdit* field : nameFields()) {
        lcdFields.push_back(
            LcdTextField::attach(field, int(config_zelmar::panel_description::deviceNameWidth)));
    }
    form->section->setRange(config_zelmar::panel_description::firstConsole,
                            config_zelmar::panel_description::lastConsole);
    form->address->setRange(config_zelmar::panel_description::firstDevice,
                            config_zelmar::panel_description::lastDevice);
    form->zone->setRange(1, config_zelmar::panel_description::lastZone);
    loadEventTables();
    if (central()) {
        form->labelZone->hide();
        form->zone->hide();
        form->defaultNames->hide();
        form->defaultNamesLine->hide();
        form->defaultNames->setChecked(false);
        defaultNamesClicked(false);
    } else {
        form->labelSection->hide();
        form->section->hide();
        updateDefaultNames();
    }
    // On a central console the page lists only renamed devices: a new one starts with empty names, so
    // that the default names are never stored as the device's own by a mere OK.
    rememberPlace();
    adjustSize(); // close the gap that the hidden controls leave
    connect(form->section, qOverload<int>(&QSpinBox::valueChanged), this,
            &DeviceEditDialog::onSectionChanged);
    connect(form->address, qOverload<int>(&QSpinBox::valueChanged), this,
            &DeviceEditDialog::onAddressChanged);
    connect(form->defaultNames, &QCheckBox::clicked, this, &DeviceEditDialog::defaultNamesClicked);
    connect(form->addEventTable, &QToolButton::clicked, this, &DeviceEditDialog::addEventTableClicked);
    disconnect(form->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(form->buttonBox, &QDialogButtonBox::accepted, this, &DeviceEditDialog::onAccepted);
}

DeviceEditDialog::~DeviceEditDialog() = default;

bool DeviceEditDialog::central() const
{
    return configuration->pultType();
}

int DeviceEditDialog::section() const
{
    return central() ? form->section->value() : 0;
}

int DeviceEditDialog::address() const
{
    return form->address->value();
}

std::array<QLineEdit*, DeviceEditDialog::nameCount> DeviceEditDialog::nameFields() const
{
    return {form->deviceName, form->outsName,  form->loop1Name,
            form->loop2Name,  form->line3Name, form->line4Name};
}

DeviceEditDialog::Names DeviceEditDialog::defaultNamesOf(int address, int section)
{
    return {config_zelmar::defaultDeviceName(address, section),
            config_zelmar::defaultOutsName(address, section),
            config_zelmar::defaultLoop1Name(address, section),
            config_zelmar::defaultLoop2Name(address, section),
            config_zelmar::defaultLine3Name(address, section),
            config_zelmar::defaultLine4Name(address, section)};
}

void DeviceEditDialog::rememberPlace()
{
    previousSection = section();
    previousAddress = address();
}

void DeviceEditDialog::preset(int section, int address)
{
    form->section->setValue(section);
    form->address->setValue(address);
}

void DeviceEditDialog::loadDevice(const Device& device, int section)
{
    const QSignalBlocker sectionBlocker(form->section);
    const QSignalBlocker addressBlocker(form->address);
    form->section->setValue(section);
    form->address->setValue(device.address);
    form->zone->setValue(device.zone);
    rememberPlace();
    const bool defaultNames = device.names == nullptr && !central();
    form->defaultNames->setChecked(defaultNames);
    if (device.names != nullptr) {
        const DeviceNames& names = *device.names;
        const Names texts = {names.deviceName, names.outsName,  names.loop1Name,
                             names.loop2Name,  names.line3Name, names.line4Name};
        const auto fields = nameFields();
        for (int i = 0; i < nameCount; ++i) {
            fields[i]->setText(QString::fromStdU16String(texts[i]));
        }
        // A reference to a table that does not exist (a foreign file, a stray panel byte) shows the default.
        const auto table = names.eventTable;
        form->eventTable->setCurrentIndex(table < unsigned(form->eventTable->count()) ? int(table) : 0);
    } else if (central()) {
        updateDefaultNames();
    }
    defaultNamesClicked(defaultNames);
}

void DeviceEditDialog::storeDevice(Device& device) const
{
    device.address = address();
    if (!central()) {
        device.zone = form->zone->value();
        if (form->defaultNames->isChecked()) {
            device.names.reset();
            return;
        }
    }
    auto names = std::make_shared<DeviceNames>();
    names->eventTable = uint32_t(std::max(0, form->eventTable->currentIndex()));
    names->deviceName = toLcdName(form->deviceName->text());
    names->outsName = toLcdName(form->outsName->text());
    names->loop1Name = toLcdName(form->loop1Name->text());
    names->loop2Name = toLcdName(form->loop2Name->text());
    names->line3Name = toLcdName(form->line3Name->text());
    names->line4Name = toLcdName(form->line4Name->text());
    device.names = names;
}

void DeviceEditDialog::loadEventTables()
{
    form->eventTable->clear();
    form->eventTable->addItem(QStringLiteral("По умолчанию"));
    for (std::size_t i = 1; i < configuration->eventTables.size(); ++i) {
        form->eventTable->addItem(QString::fromStdU16String(configuration->eventTables[i].name));
    }
}

void DeviceEditDialog::updateDefaultNames()
{
    const Names defaults = defaultNamesOf(address(), section());
    const auto fields = nameFields();
    for (int i = 0; i < nameCount; ++i) {
        fields[i]->setText(QString::fromStdU16String(defaults[i]));
    }
}

void DeviceEditDialog::partialUpdateDefaultNames()
{
    const Names previous = defaultNamesOf(previousAddress, previousSection);
    const Names current = defaultNamesOf(address(), section());
    const auto fields = nameFields();
    for (int i = 0; i < nameCount; ++i) {
        if (fields[i]->text() == QString::fromStdU16String(previous[i])) {
            fields[i]->setText(QString::fromStdU16String(current[i]));
        }
    }
}

void DeviceEditDialog::defaultNamesClicked(bool checked)
{
    QWidget* const labels[] = {form->labelDeviceName, form->labelOutsName,  form->labelLoop1Name,
                               form->labelLoop2Name,  form->labelLine3Name, form->labelLine4Name};
    for (QWidget* label : labels) {
        label->setEnabled(!checked);
    }
    for (QLineEdit* field : nameFields()) {
        field->setEnabled(!checked);
    }
    form->labelEvents->setEnabled(!checked);
    form->eventTable->setEnabled(!checked);
    if (checked) {
        form->addEventTable->setEnabled(false);
        updateDefaultNames();
        form->eventTable->setCurrentIndex(0);
    } else {
        updateAddEventTableEnabled();
    }
}

void DeviceEditDialog::updateAddEventTableEnabled()
{
    form->addEventTable->setEnabled(form->eventTable->count() < maxEventTableEntries);
}

void DeviceEditDialog::onAccepted()
{
    static const char* const messages[nameCount] = {"Введите название прибора!",
                                                    "Введите название выходов с контролем!",
                                                    "Введите название шлейфа 1!",
                                                    "Введите название шлейфа 2!",
                                                    "Введите название линии сигнализации 3!",
                                                    "Введите название линии сигнализации 4!"};
    const auto fields = nameFields();
    for (int i = 0; i < nameCount; ++i) {
        if (fields[i]->text().simplified().isEmpty()) {
            Prompter::current().warning(this, QStringLiteral("Ошибка"), QString::fromUtf8(messages[i]));
            return;
        }
    }
    if (!LcdTextField::confirmShowable(this, lcdFields)) {
        return;
    }
    if (confirmation && !confirmation()) {
        return;
    }
    accept();
}

void DeviceEditDialog::setConfirmation(Confirmation confirm)
{
    confirmation = std::move(confirm);
}

void DeviceEditDialog::onSectionChanged()
{
    if (central() || !form->defaultNames->isChecked()) {
        partialUpdateDefaultNames();
    } else {
        updateDefaultNames();
    }
    rememberPlace();
}

void DeviceEditDialog::onAddressChanged()
{
    onSectionChanged();
}

void DeviceEditDialog::addEventTableClicked()
{
    if (eventsPage == nullptr || !eventsPage->addTable(Configuration::defaultEventTable)) {
        return;
    }
    loadEventTables();
    form->eventTable->setCurrentIndex(form->eventTable->count() - 1);
    updateAddEventTableEnabled();
}
