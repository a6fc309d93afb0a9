#include "PultCommandEditDialog.h"

#include "ui_PultCommandEditDialog.h"

#include <config_zelmar/Command.h>
#include <config_zelmar/PanelDescription.h>

PultCommandEditDialog::PultCommandEditDialog(QWidget* parent,
                                             const config_zelmar::Configuration* configuration, bool editing)
    : CommandEditDialog(parent, configuration, editing), form(std::make_unique<Ui::PultCommandEditDialog>())
{
    form->setupUi(this);
    form->pultAddress->setRange(config_zelmar::panel_description::firstConsole,
                                config_zelmar::panel_description::lastConsole);
    form->deviceAddress->setRange(config_zelmar::panel_description::firstDevice,
                                  config_zelmar::panel_description::lastDevice);
    bindControls(form->pultAddress, form->labelPultAddress);
}

PultCommandEditDialog::~PultCommandEditDialog() = default;

int PultCommandEditDialog::targetAddress(const config_zelmar::Command& command) const
{
    return command.consoleAddress();
}

void PultCommandEditDialog::setTargetAddress(config_zelmar::Command& command, int address) const
{
    command.setConsoleAddress(address);
}

void PultCommandEditDialog::loadSpecific(const config_zelmar::Command& command)
{
    form->pultReset->setChecked(command.consoleReset());
    const int device = command.deviceAddress();
    form->addressCmd->setChecked(device != 0);
    form->deviceAddress->setValue(device == 0 ? 1 : device);
    form->deviceReset->setChecked(command.deviceReset());
}

void PultCommandEditDialog::storeSpecific(config_zelmar::Command& command) const
{
    command.setConsoleReset(form->pultReset->isChecked());
    const bool addressed = form->addressCmd->isChecked();
    command.setDeviceAddress(addressed ? form->deviceAddress->value() : 0);
    command.setDeviceReset(addressed && form->deviceReset->isChecked());
    if (!addressed) {
        // Without a device the device part means nothing to the panel: keep no stray bits behind.
        for (int number = 1; number <= 8; ++number) {
            command.setOutputOn(number, false);
            command.setOutputOff(number, false);
        }
        for (int loop = 1; loop <= 2; ++loop) {
            command.setLoopOn(loop, false);
            command.setLoopOff(loop, false);
        }
    }
}
