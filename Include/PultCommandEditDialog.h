#pragma once

#include "CommandEditDialog.h"

#include <memory>

namespace Ui {
class PultCommandEditDialog;
}

// A central console's command: to one section console or to all, with console reset and group commands
// 4 to 7, and optionally an addressed command to one device of that console.
class PultCommandEditDialog : public CommandEditDialog
{
    Q_OBJECT

public:
    PultCommandEditDialog(QWidget* parent, const config_zelmar::Configuration* configuration, bool editing);
    ~PultCommandEditDialog() override;

protected:
    int targetAddress(const config_zelmar::Command& command) const override;
    void setTargetAddress(config_zelmar::Command& command, int address) const override;
    void loadSpecific(const config_zelmar::Command& command) override;
    void storeSpecific(config_zelmar::Command& command) const override;

private:
    std::unique_ptr<Ui::PultCommandEditDialog> form;
};
