#pragma once

#include "PortLister.h"

#include <QDialog>
#include <memory>

namespace Ui {
class ConnectDialog;
}

// Asks for the serial port of the USB-RS485 converter before a read or a write: lists the serial ports,
// preselects the converter's port and offers the raised speed.
class ConnectDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConnectDialog(QWidget* parent, PortLister portLister = PortLister::system());
    ~ConnectDialog() override;

    QString portName() const;
    bool turbo() const;
    void setTurbo(bool raised);
    // Selects the port used last time whenever the list holds it (also after a refresh); otherwise the
    // converter's port stays selected.
    void setPreferredPort(const QString& port);

public slots:
    void onUpdatePortList();

private:
    void fillPortList();
    void showConverterMessage();
    void selectPreferredPort();

    std::unique_ptr<Ui::ConnectDialog> form;
    PortLister ports;
    QString preferredPort;
};
