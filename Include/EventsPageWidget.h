#pragma once

#include <QWidget>

namespace config_zelmar {
class Configuration;
class EventTable;
}

// Placeholder until the table page is built: an empty page with the page's interface.
class EventsPageWidget : public QWidget
{
    Q_OBJECT

public:
    EventsPageWidget(QWidget* parent, config_zelmar::Configuration* configuration);

    int rowCount() const { return 0; }

public slots:
    void loadTable() {}

signals:
    void modified();
    void reloadDevicesTable();

public:
    // Opens the table dialog for a new table made from the template; true when a table was added.
    bool addTable(const config_zelmar::EventTable& tableTemplate);
};
