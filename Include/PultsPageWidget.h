#pragma once

#include "TablePageWidget.h"
#include "config_zelmar/PanelDescription.h"

#include <QFont>

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
class PultsPageWidget : public TablePageWidget
{
    Q_OBJECT

public:
    static constexpr int maxPults = config_zelmar::panel_description::consoleCount;

    PultsPageWidget(QWidget* parent, config_zelmar::Configuration* configuration);
    ~PultsPageWidget() override;

    // Selects the row of the section console with this address; false when it is not listed.
    bool selectSection(int address);

public slots:
    void loadTable() override;
    void onAdd() override;
    void onDel() override;
    void onCopy() override;
    void onEdit() override;
    void onClear() override;

signals:
    void reloadDevicesTable();
    void updateDevicesMaxRowCount();

protected:
    int rowLimit() const override { return maxPults; }
    QString countText(int rows, int limit) const override;

private:
    bool runDialog(config_zelmar::Section* section, int editedAddress);
    void addSection(const config_zelmar::Section& section);
    int firstFreeAddress() const;
    int addressAt(int row) const;
    int insertSortedRow(int address);
    void fillRow(int row, const config_zelmar::Section& section);

    std::unique_ptr<Ui::PultsPageWidget> form;
    QFont boldFont;
    QFont italicFont;
    config_zelmar::Configuration* configuration;
};
