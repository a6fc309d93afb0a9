#pragma once

#include "TablePageWidget.h"

#include <memory>

namespace config_zelmar {
class Configuration;
class EventTable;
} // namespace config_zelmar
namespace Ui {
class EventsPageWidget;
}

// The event name tables of the configuration, row i being table i; row 0 is the built-in default table,
// which can be viewed but not changed, moved or removed.
class EventsPageWidget : public TablePageWidget
{
    Q_OBJECT

public:
    EventsPageWidget(QWidget* parent, config_zelmar::Configuration* configuration);
    ~EventsPageWidget() override;

    // Selects the row of the table at this position; false when there is none.
    bool selectTable(int index);

    // Opens the table dialog for a new table made from the template; true when a table was added.
    bool addTable(const config_zelmar::EventTable& tableTemplate);

public slots:
    void loadTable() override;
    void onAdd() override;
    void onDel() override;
    void onCopy() override;
    void onEdit() override;
    void onMakeFirst();
    void onMoveUp();
    void onMoveDown();
    void onMakeLast();
    void onClear() override;

signals:
    void reloadDevicesTable();

protected:
    int rowLimit() const override;
    QString countText(int rows, int limit) const override;
    int permanentRows() const override { return 1; }
    bool canDelete(int row) const override { return row > 0; }
    void updateSelectionButtons() override;

private:
    void fillRow(int row);
    void refillRows(int from);
    void tablesMoved(int selectedTable);

    std::unique_ptr<Ui::EventsPageWidget> form;
    config_zelmar::Configuration* configuration;
};
