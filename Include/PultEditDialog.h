#pragma once

#include "ObjectEditDialog.h"

#include <vector>

namespace config_zelmar {
class Section;
}
namespace Ui {
class PultEditDialog;
}
class LcdTextField;

// Edits one section console: address, group, name and the optional duplicate console with its name.
// Empty names in the model stand for the default names, which the dialog shows with "defaultName" checked.
class PultEditDialog : public ObjectEditDialog<PultEditDialog, config_zelmar::Section, Ui::PultEditDialog>
{
    Q_OBJECT

public:
    PultEditDialog(QWidget* parent, config_zelmar::Section* section, IDataChecker<PultEditDialog>* checker);
    ~PultEditDialog() override;

    QString name() const override;
    bool isDefaultName() const override;
    void loadData() override;
    void storeData() override;
    bool confirmAccept() override;

    int address() const;
    bool hasDubler() const;
    QString dublerName() const;

public slots:
    void addressValueChanged(int address);
    void defaultNameClicked(bool checked);
    void dublerClicked(bool checked);

private:
    void fillDefaultNames();

    std::vector<LcdTextField*> lcdFields;
};
