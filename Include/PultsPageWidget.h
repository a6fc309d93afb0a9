#pragma once

#include "config_zelmar/PanelDescription.h"

#include <QFont>
#include <QWidget>

#include <memory>

namespace config_zelmar {
class Configuration;
class Section;
} // namespace config_zelmar
namespace Ui {
class PultsPageWidget;
}
class PultEditDialog;

// The section consoles of a central console: one row per section in ascending address order, edited
// through PultEditDialog. The configuration's section map is the only store; the rows mirror it.
class PultsPageWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int maxPults = config_zelmar::panel_description::consoleCount;

    PultsPageWidget(QWidget* parent, config_zelmar::Configuration* configuration);
    ~PultsPageWidget() override;

    int rowCount() const;
    // Selects the row of the section console with this address; false when it is not listed.
    bool selectSection(int address);

public slots:
    void loadTable();
    void onAdd();
    void onDel();
    void onCopy();
    void onEdit();
    void onClear();
    void selectionChanged();

signals:
    void modified();
    void reloadDevicesTable();
    void updateDevicesMaxRowCount();

private:
    bool runDialog(config_zelmar::Section* section, int editedAddress);
    void addSection(const config_zelmar::Section& section);
    void updateCount();
    int firstFreeAddress() const;
    int addressAt(int row) const;
    int insertSortedRow(int address);
    void fillRow(int row, const config_zelmar::Section& section);
    void selectRow(int row);

    std::unique_ptr<Ui::PultsPageWidget> form;
    int selectedRow = -1;
    QFont boldFont;
    QFont italicFont;
    config_zelmar::Configuration* configuration;
};
