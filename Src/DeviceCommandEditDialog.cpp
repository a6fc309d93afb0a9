#include "DeviceCommandEditDialog.h"

#include "ui_DeviceCommandEditDialog.h"

#include <config_zelmar/Command.h>
#include <config_zelmar/PanelDescription.h>

DeviceCommandEditDialog::DeviceCommandEditDialog(QWidget* parent,
                                                 const config_zelmar::Configuration* configuration,
                                                 bool editing)
    : CommandEditDialog(parent, configuration, editing), form(std::make_unique<Ui::DeviceCommandEditDialog>())
{
    form->setupUi(this);
    form->deviceAddress->setRange(config_zelmar::panel_description::firstDevice,
                                  config_zelmar::panel_description::lastDevice);
    bindControls(form->deviceAddress, form->labelDeviceAddress);
}

DeviceCommandEditDialog::~DeviceCommandEditDialog() = default;

int DeviceCommandEditDialog::targetAddress(const config_zelmar::Command& command) const
{
    return command.deviceAddress();
}

void DeviceCommandEditDialog::setTargetAddress(config_zelmar::Command& command, int address) const
{
    command.setDeviceAddress(address);
}

void DeviceCommandEditDialog::loadSpecific(const config_zelmar::Command& command)
{
    form->deviceReset->setChecked(command.deviceReset());
}

void DeviceCommandEditDialog::storeSpecific(config_zelmar::Command& command) const
{
    command.setDeviceReset(form->deviceReset->isChecked());
}
