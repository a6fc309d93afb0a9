#include "ConnectDialog.h"

#include "ApplicationResources.h"
#include "ConnectionCheckDialog.h"
#include "PortField.h"
#include "ui_ConnectDialog.h"

#include <QLayout>
#include <QPushButton>

ConnectDialog::ConnectDialog(QWidget* parent, PortLister portLister, ConnectionCheckSetup checkSetup,
                             Purpose purpose)
    : QDialog(parent), form(std::make_unique<Ui::ConnectDialog>()), ports(std::move(portLister)),
      checkSetup(std::move(checkSetup))
{
    initApplicationResources();
    form->setupUi(this);
    portField = new PortField(form->portName, ports, this);
    const bool writing = purpose == Purpose::Write;
    form->verifyWrite->setVisible(writing);
    form->writeAllPages->setVisible(writing);
    connect(form->updatePortList, &QPushButton::clicked, this, &ConnectDialog::onUpdatePortList);
    connect(form->checkConnection, &QPushButton::clicked, this, &ConnectDialog::onCheckConnection);
    connect(portField, &PortField::portNameChanged, this, &ConnectDialog::updateButtons);
    connect(portField, &PortField::portsChanged, this, &ConnectDialog::showConverterMessage);
    portField->fill();
    adjustSize();
}

ConnectDialog::~ConnectDialog() = default;

QString ConnectDialog::portName() const
{
    return portField->portName();
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
    portField->setPreferredPort(port);
}

void ConnectDialog::onUpdatePortList()
{
    portField->fill();
}

void ConnectDialog::onCheckConnection()
{
    ConnectionCheckDialog dialog(this, ports, checkSetup, portName());
    dialog.exec();
    if (!dialog.portName().isEmpty()) {
        portField->setPortName(dialog.portName());
    }
}

void ConnectDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    portField->startWatching();
}

void ConnectDialog::hideEvent(QHideEvent* event)
{
    portField->stopWatching();
    QDialog::hideEvent(event);
}

void ConnectDialog::showConverterMessage()
{
    const QString converterPort = portField->converterPort();
    if (converterPort.isEmpty()) {
        form->message->setText(tr("Преобразователь USB-RS485 не обнаружен."));
        return;
    }
    QString text = tr("Преобразователь USB-RS485 подключён к порту ") + converterPort + ".";
    if (!portField->converterSummary().isEmpty()) {
        text += "\n" + portField->converterSummary();
    }
    form->message->setText(text);
    growToFitContents();
}

// The port names carry their descriptions and the message may take three lines: the dialog grows to
// show them whole, and never shrinks under the user's hands.
void ConnectDialog::growToFitContents()
{
    if (layout() != nullptr) {
        layout()->activate();
    }
    resize(size().expandedTo(sizeHint()));
}

void ConnectDialog::updateButtons()
{
    const bool chosen = !portName().isEmpty();
    form->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(chosen);
    form->checkConnection->setEnabled(chosen);
}
