#pragma once

#include <QWidget>

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
class EventsPageWidget : public QWidget
{
    Q_OBJECT

public:
    EventsPageWidget(QWidget* parent, config_zelmar::Configuration* configuration);
    ~EventsPageWidget() override;

    int rowCount() const;
    // Selects the row of the table at this position; false when there is none.
    bool selectTable(int index);

    // Opens the table dialog for a new table made from the template; true when a table was added.
    bool addTable(const config_zelmar::EventTable& tableTemplate);

public slots:
    void loadTable();
    void onAdd();
    void onDel();
    void onCopy();
    void onEdit();
    void onMakeFirst();
    void onMoveUp();
    void onMoveDown();
    void onMakeLast();
    void onClear();
    void selectionChanged();

signals:
    void modified();
    void reloadDevicesTable();

private:
    void updateCount();
    void fillRow(int row);
    void refillRows(int from);
    void selectRow(int row);
    void tablesMoved(int selectedTable);

    std::unique_ptr<Ui::EventsPageWidget> form;
    int selectedRow = -1;
    config_zelmar::Configuration* configuration;
};
