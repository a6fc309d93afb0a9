#pragma once

#include <QWidget>

namespace config_zelmar {
class Configuration;
}

class EventsPageWidget;

// Placeholder until the table page is built: an empty page with the page's interface.
class DevicesPageWidget : public QWidget
{
    Q_OBJECT

public:
    DevicesPageWidget(QWidget* parent, EventsPageWidget* eventsPage, config_zelmar::Configuration* configuration);

    int rowCount() const { return 0; }

public slots:
    void loadTable() {}
    void updateMaxRowCount() {}

signals:
    void modified();
    void reloadPultsTable();
};
