#pragma once

#include "PortLister.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QTimer;

// The editable port field of the connection dialogs. Lists the serial ports with what sysfs tells of
// them ("/dev/ttyUSB0 — FT232R USB UART (A50285BI)"), preselects the converter's port, follows
// converters plugged in or out while it watches (a look at the lists once a second), and reports the
// chosen port as a path, whether picked from the list or typed (a by-id link, a pseudo-terminal).
class PortField : public QObject
{
    Q_OBJECT

public:
    static constexpr int watchIntervalMilliseconds = 1000;

    PortField(QComboBox* combo, PortLister ports, QObject* parent);

    // The chosen port's path: the path of the listed port shown, else the text typed; empty for none.
    QString portName() const;
    // Shows the listed port with this path, else types the path into the field.
    void setPortName(const QString& path);
    // The first converter port of the last look at the lists (it may be missing from the port list).
    QString converterPort() const { return shown.converter; }
    // What sysfs tells of the converter port: "FT232R USB UART (A50285BI)"; empty when nothing.
    QString converterSummary() const { return shown.converterText; }

    // The port used last time: selected whenever the list holds it, instead of the converter's.
    void setPreferredPort(const QString& path);

    // Fills the list anew and selects the preferred port when listed, else the converter's port (no
    // selection when that is not listed).
    void fill();
    void startWatching();
    void stopWatching();

public slots:
    // Fills the list anew when the ports have changed since the last look. A port the user chose stays
    // chosen while it is there; otherwise the preferred or the converter's port is selected again.
    void refreshIfChanged();

signals:
    // After the list was filled anew.
    void portsChanged();
    // After the chosen port changed, by the user or by a refill.
    void portNameChanged();

private:
    struct Entry
    {
        QString path;
        QString text;
        QString toolTip;
        bool operator==(const Entry& other) const
        {
            return path == other.path && text == other.text && toolTip == other.toolTip;
        }
    };

    struct Snapshot
    {
        QList<Entry> entries;
        QString converter;
        QString converterText;
        bool operator==(const Snapshot& other) const
        {
            return entries == other.entries && converter == other.converter &&
                   converterText == other.converterText;
        }
    };

    Snapshot look() const;
    void show(const Snapshot& snapshot);
    void selectDefault();
    int indexOfPath(const QString& path) const;

    QComboBox* combo;
    PortLister ports;
    QTimer* watch;
    Snapshot shown;
    QString preferred;
    bool userChose = false;
};
