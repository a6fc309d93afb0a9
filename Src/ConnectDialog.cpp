#include "ConnectDialog.h"

#include "ApplicationResources.h"
#include "ui_ConnectDialog.h"

#include <QPushButton>

ConnectDialog::ConnectDialog(QWidget* parent, PortLister portLister, Purpose purpose)
    : QDialog(parent), form(std::make_unique<Ui::ConnectDialog>()), ports(std::move(portLister))
{
    initApplicationResources();
    form->setupUi(this);
    const bool writing = purpose == Purpose::Write;
    form->verifyWrite->setVisible(writing);
    form->writeAllPages->setVisible(writing);
    adjustSize();
    connect(form->updatePortList, &QPushButton::clicked, this, &ConnectDialog::onUpdatePortList);
    fillPortList();
    showConverterMessage();
}

ConnectDialog::~ConnectDialog() = default;

QString ConnectDialog::portName() const
{
    return form->portName->currentText();
}

bool ConnectDialog::raisedSpeed() const
{
    return form->raisedSpeed->isChecked();
}

config_zelmar::WriteOptions ConnectDialog::writeOptions() const
{
    config_zelmar::WriteOptions options;
    if (form->verifyWrite->isVisibleTo(this)) {
        options.verify = form->verifyWrite->isChecked();
        options.allPages = form->writeAllPages->isChecked();
    }
    return options;
}

void ConnectDialog::setVerifyWrite(bool verify)
{
    form->verifyWrite->setChecked(verify);
}

void ConnectDialog::setRaisedSpeed(bool raised)
{
    form->raisedSpeed->setChecked(raised);
}

void ConnectDialog::setPreferredPort(const QString& port)
{
    preferredPort = port;
    selectPreferredPort();
}

void ConnectDialog::onUpdatePortList()
{
    fillPortList();
    showConverterMessage();
    selectPreferredPort();
}

void ConnectDialog::selectPreferredPort()
{
    const int found =
        preferredPort.isEmpty()
            ? -1
            : form->portName->findText(preferredPort, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0) {
        form->portName->setCurrentIndex(found);
    }
}

void ConnectDialog::fillPortList()
{
    const std::vector<std::string> serialPorts = ports.serialPorts();
    form->portName->clear();
    for (const std::string& port : serialPorts) {
        form->portName->addItem(QString::fromStdString(port));
    }
    form->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!serialPorts.empty());
}

void ConnectDialog::showConverterMessage()
{
    const std::vector<std::string> converters = ports.ftdiPorts();
    if (converters.empty()) {
        form->message->setText(tr("Преобразователь USB-RS485 не обнаружен."));
        return;
    }
    const QString converterPort = QString::fromStdString(converters.front());
    form->message->setText(tr("Преобразователь USB-RS485 подключён к порту ") + converterPort + ".");
    form->portName->setCurrentIndex(
        form->portName->findText(converterPort, Qt::MatchExactly | Qt::MatchCaseSensitive));
}
