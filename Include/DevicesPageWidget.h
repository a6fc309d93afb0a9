#pragma once

#include "config_zelmar/PanelDescription.h"

#include <QFont>
#include <QWidget>

#include <memory>

namespace config_zelmar {
class Configuration;
class Device;
} // namespace config_zelmar
namespace Ui {
class DevicesPageWidget;
}
class DeviceEditDialog;
class EventsPageWidget;

// The devices of the configuration. With a section console: every device of the console's own section.
// With a central console: the devices of all section consoles that carry names of their own, up to the
// number of names the panel's name memory holds.
class DevicesPageWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int sectionConsoleMaxRows = config_zelmar::panel_description::deviceCount;

    DevicesPageWidget(QWidget* parent, EventsPageWidget* eventsPage,
                      config_zelmar::Configuration* configuration);
    ~DevicesPageWidget() override;

    int rowCount() const;
    int maxRowCount() const { return maxRows; }
    // Selects the row of the device; false when it is not listed.
    bool selectDevice(int section, int address);

public slots:
    void loadTable();
    void updateMaxRowCount();
    void onAdd();
    void onDel();
    void onCopy();
    void onEdit();
    void onClear();
    void selectionChanged();

signals:
    void modified();
    void reloadPultsTable();

private:
    // Where a device lives: the section key (0 on a section console) and its bus address.
    struct Place
    {
        int section;
        int address;
    };

    bool central() const;
    void setHeaders();
    void updateCount();
    Place placeAt(int row) const;
    int rowOf(Place place) const;
    int insertSortedRow(Place place);
    void fillRow(int row, Place place, const config_zelmar::Device& device);
    void selectRow(int row);
    Place firstFreePlace() const;
    config_zelmar::Device& deviceAt(Place place) const;
    bool ensureSection(const QString& title, int section);
    bool storeAtTarget(const QString& title, const DeviceEditDialog& dialog, config_zelmar::Device device,
                       const Place* oldPlace);

    std::unique_ptr<Ui::DevicesPageWidget> form;
    int selectedRow = -1;
    int maxRows = sectionConsoleMaxRows;
    EventsPageWidget* eventsPage;
    QFont boldFont;
    QFont italicFont;
    config_zelmar::Configuration* configuration;
};
