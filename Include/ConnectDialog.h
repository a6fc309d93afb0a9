#pragma once

#include "PortLister.h"

#include "config_zelmar/WriteOptions.h"

#include <QDialog>
#include <memory>

namespace Ui {
class ConnectDialog;
}

// Asks for the serial port of the USB-RS485 converter before a read or a write: lists the serial ports,
// preselects the converter's port and offers the raised speed; before a write also whether to verify it
// and whether to write every page.
class ConnectDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Purpose
    {
        Read,
        Write
    };

    explicit ConnectDialog(QWidget* parent, PortLister portLister = PortLister::system(),
                           Purpose purpose = Purpose::Read);
    ~ConnectDialog() override;

    QString portName() const;
    bool raisedSpeed() const;
    // The write options chosen; the defaults before a read.
    config_zelmar::WriteOptions writeOptions() const;
    void setRaisedSpeed(bool raised);
    void setVerifyWrite(bool verify);
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
