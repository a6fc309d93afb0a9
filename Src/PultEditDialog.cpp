#include "PultEditDialog.h"

#include "LcdTextField.h"
#include "ui_PultEditDialog.h"

#include <config_zelmar/LCDCharset.h>
#include <config_zelmar/PanelDescription.h>
#include <config_zelmar/Section.h>

using config_zelmar::Section;

namespace {

std::u16string toLcdName(const QString& text)
{
    std::u16string name = text.toStdU16String();
    config_zelmar::applyLcdLookAlike(name);
    return name;
}

} // namespace

PultEditDialog::PultEditDialog(QWidget* parent, Section* section, IDataChecker<PultEditDialog>* checker)
    : ObjectEditDialog(parent, section, checker)
{
    const auto nameWidth = int(config_zelmar::panel_description::consoleNameWidth);
    lcdFields = {LcdTextField::attach(form->name, nameWidth),
                 LcdTextField::attach(form->dublerName, nameWidth)};
    form->address->setRange(config_zelmar::panel_description::firstConsole,
                            config_zelmar::panel_description::lastConsole);
    form->labelDublerName->hide();
    form->dublerName->hide();
    connect(form->address, qOverload<int>(&QSpinBox::valueChanged), this,
            &PultEditDialog::addressValueChanged);
    connect(form->defaultName, &QCheckBox::clicked, this, &PultEditDialog::defaultNameClicked);
    connect(form->dubler, &QCheckBox::clicked, this, &PultEditDialog::dublerClicked);
}

PultEditDialog::~PultEditDialog() = default;

QString PultEditDialog::name() const
{
    return form->name->text();
}

bool PultEditDialog::isDefaultName() const
{
    return form->defaultName->isChecked();
}

int PultEditDialog::address() const
{
    return form->address->value();
}

bool PultEditDialog::hasDubler() const
{
    return form->dubler->isChecked();
}

QString PultEditDialog::dublerName() const
{
    return form->dublerName->text();
}

void PultEditDialog::loadData()
{
    form->address->setValue(model->address);
    form->group->setCurrentIndex(model->group - 1);
    form->dubler->setChecked(model->dubler);
    const bool defaultName = model->name.empty();
    form->defaultName->setChecked(defaultName);
    if (!defaultName) {
        form->name->setText(QString::fromStdU16String(model->name));
    }
    if (model->dubler) {
        form->dublerName->setText(QString::fromStdU16String(model->dublerName));
    } else {
        form->dublerName->clear();
    }
    defaultNameClicked(defaultName);
    dublerClicked(model->dubler);
}

void PultEditDialog::storeData()
{
    model->address = form->address->value();
    model->group = form->group->currentIndex() + 1;
    model->dubler = form->dubler->isChecked();
    if (isDefaultName()) {
        model->name.clear();
        model->dublerName.clear();
        return;
    }
    model->name = toLcdName(form->name->text());
    model->dublerName = model->dubler ? toLcdName(form->dublerName->text()) : std::u16string();
}

bool PultEditDialog::confirmAccept()
{
    return LcdTextField::confirmShowable(this, lcdFields);
}

void PultEditDialog::addressValueChanged(int)
{
    if (isDefaultName()) {
        fillDefaultNames();
    }
}

void PultEditDialog::defaultNameClicked(bool checked)
{
    form->labelName->setEnabled(!checked);
    form->name->setEnabled(!checked);
    form->labelDublerName->setEnabled(!checked);
    form->dublerName->setEnabled(!checked);
    if (checked) {
        fillDefaultNames();
    }
}

void PultEditDialog::dublerClicked(bool checked)
{
    form->labelDublerName->setVisible(checked);
    form->dublerName->setVisible(checked);
}

void PultEditDialog::fillDefaultNames()
{
    const int address = form->address->value();
    form->name->setText(QString::fromStdU16String(Section::defaultPultName(address)));
    form->dublerName->setText(QString::fromStdU16String(Section::defaultDublerName(address)));
}
