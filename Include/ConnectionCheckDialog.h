#pragma once

#include "ConnectionCheckSetup.h"
#include "PortLister.h"

#include <QDialog>
#include <memory>

namespace Ui {
class ConnectionCheckDialog;
}
namespace config_zelmar {
struct CheckLine;
}

class PortField;

// Checks the connection to the panel on a port and lists what it finds, a mark on each line: the port,
// its permissions, other programs, the FTDI latency timer, ModemManager, then the panel at both speeds.
// Runs on the user-interface thread like a transfer, painting each line as it comes.
class ConnectionCheckDialog : public QDialog
{
    Q_OBJECT

public:
    ConnectionCheckDialog(QWidget* parent, PortLister portLister, ConnectionCheckSetup setup,
                          const QString& port = QString());
    ~ConnectionCheckDialog() override;

    QString portName() const;
    // The port used last time: chosen whenever the list holds it, instead of the converter's.
    void setPreferredPort(const QString& port);
    bool running() const { return checkRunning; }

public slots:
    // Runs the check on the chosen port.
    void onCheck();
    void reject() override;

signals:
    // After a check has run to its end.
    void checkFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void addLine(const config_zelmar::CheckLine& line);
    void showSummary(bool passed, bool hints);
    void setRunning(bool running);

    std::unique_ptr<Ui::ConnectionCheckDialog> form;
    ConnectionCheckSetup setup;
    PortField* portField;
    bool checkRunning = false;
    bool checkedOnShow = false;
};
