#include "AboutDialog.h"

#include "ApplicationResources.h"
#include "config_zelmar/ProgramIdentity.h"
#include "ui_AboutDialog.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), form(std::make_unique<Ui::AboutDialog>())
{
    initApplicationResources();
    form->setupUi(this);
    form->programTitle->setText(QString::fromUtf8(config_zelmar::programTitle));
    form->version->setText(tr("Версия ") + QString::fromUtf8(config_zelmar::programVersion));
    form->qtVersion->setText(tr("Qt ") + QString::fromLatin1(qVersion()));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

AboutDialog::~AboutDialog() = default;
