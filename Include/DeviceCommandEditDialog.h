#pragma once

#include "CommandEditDialog.h"

#include <memory>

namespace Ui {
class DeviceCommandEditDialog;
}

// A section console's command: to one device or to all, with device reset and group commands 0 to 7.
class DeviceCommandEditDialog : public CommandEditDialog
{
    Q_OBJECT

public:
    DeviceCommandEditDialog(QWidget* parent, const config_zelmar::Configuration* configuration, bool editing);
    ~DeviceCommandEditDialog() override;

protected:
    int targetAddress(const config_zelmar::Command& command) const override;
    void setTargetAddress(config_zelmar::Command& command, int address) const override;
    void loadSpecific(const config_zelmar::Command& command) override;
    void storeSpecific(config_zelmar::Command& command) const override;

private:
    std::unique_ptr<Ui::DeviceCommandEditDialog> form;
};
