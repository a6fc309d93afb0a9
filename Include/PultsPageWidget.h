#pragma once

#include <QWidget>

namespace config_zelmar {
class Configuration;
}

// Placeholder until the table page is built: an empty page with the page's interface.
class PultsPageWidget : public QWidget
{
    Q_OBJECT

public:
    PultsPageWidget(QWidget* parent, config_zelmar::Configuration* configuration);

    int rowCount() const { return 0; }

public slots:
    void loadTable() {}

signals:
    void modified();
    void reloadDevicesTable();
    void updateDevicesMaxRowCount();
};
