#pragma once

#include "TablePageWidget.h"
#include "config_zelmar/PanelDescription.h"

#include <QFont>

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
class DevicesPageWidget : public TablePageWidget
{
    Q_OBJECT

public:
    static constexpr int sectionConsoleMaxRows = config_zelmar::panel_description::deviceCount;

    DevicesPageWidget(QWidget* parent, EventsPageWidget* eventsPage,
                      config_zelmar::Configuration* configuration);
    ~DevicesPageWidget() override;

    int maxRowCount() const { return maxRows; }
    // Rows the filter leaves visible.
    int shownRowCount() const;
    // Selects the row of the device; false when it is not listed.
    bool selectDevice(int section, int address);

public slots:
    void loadTable() override;
    void updateMaxRowCount();
    void onAdd() override;
    void onDel() override;
    void onCopy() override;
    void onEdit() override;
    void onClear() override;
    // Hides the rows whose address, section and names do not contain the filter text.
    void applyFilter();

signals:
    void reloadPultsTable();

protected:
    int rowLimit() const override { return maxRows; }
    QString countText(int rows, int limit) const override;

private:
    // Where a device lives: the section key (0 on a section console) and its bus address.
    struct Place
    {
        int section;
        int address;
    };

    bool central() const;
    void setHeaders();
    bool rowMatchesFilter(int row, const QString& key) const;
    Place placeAt(int row) const;
    int rowOf(Place place) const;
    int insertSortedRow(Place place);
    void fillRow(int row, Place place, const config_zelmar::Device& device);
    Place firstFreePlace() const;
    config_zelmar::Device& deviceAt(Place place) const;
    bool confirmTarget(const QString& title, DeviceEditDialog& dialog);
    void addSection(int section);
    void storeAtTarget(const DeviceEditDialog& dialog, config_zelmar::Device device, const Place* oldPlace);

    std::unique_ptr<Ui::DevicesPageWidget> form;
    int maxRows = sectionConsoleMaxRows;
    bool rowsHidden = false;
    EventsPageWidget* eventsPage;
    QFont boldFont;
    QFont italicFont;
    config_zelmar::Configuration* configuration;
};
