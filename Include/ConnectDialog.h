#pragma once

#include "ConnectionCheckSetup.h"
#include "PortLister.h"

#include "config_zelmar/WriteOptions.h"

#include <QDialog>
#include <memory>

namespace Ui {
class ConnectDialog;
}

class PortField;

// Asks for the serial port of the USB-RS485 converter before a read or a write: lists the serial ports
// with what sysfs tells of them, preselects the converter's port, follows converters plugged in or out,
// takes any path typed into the field, offers the raised speed and a check of the connection; before a
// write also whether to verify it and whether to write every page.
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
                           ConnectionCheckSetup checkSetup = ConnectionCheckSetup::system(),
                           Purpose purpose = Purpose::Read);
    ~ConnectDialog() override;

    // The chosen port as a path (of the listed port, or as typed); empty when none.
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
    // Checks the connection on the chosen port in a dialog of its own; a port chosen there comes back.
    void onCheckConnection();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showConverterMessage();
    void growToFitContents();
    void updateButtons();

    std::unique_ptr<Ui::ConnectDialog> form;
    PortLister ports;
    ConnectionCheckSetup checkSetup;
    PortField* portField;
};
