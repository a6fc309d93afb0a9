#pragma once

#include "config_zelmar/PanelDescription.h"

#include <QWidget>

#include <memory>

namespace config_zelmar {
class Command;
class Configuration;
} // namespace config_zelmar
namespace Ui {
class CommandsPageWidget;
}
class CommandEditDialog;

// The control commands of the configuration in their order, row i being command i. A command named "*"
// is sent after the one before it, so the first command can never be such a continuation.
class CommandsPageWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int maxCommands = int(config_zelmar::panel_description::maxCommands);

    CommandsPageWidget(QWidget* parent, config_zelmar::Configuration* configuration);
    ~CommandsPageWidget() override;

    int rowCount() const;
    // Selects the row of the command at this position; false when there is none.
    bool selectCommand(int index);

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

private:
    std::unique_ptr<CommandEditDialog> createDialog(bool editing);
    bool isContinuation(int row) const;
    bool firstCommandMayLeave(int row);
    void appendCommand(config_zelmar::Command command);
    void updateCount();
    void fillRow(int row);
    void refillRows(int from, int to);
    void selectRow(int row);
    void commandsMoved(int from, int to, int selected);

    std::unique_ptr<Ui::CommandsPageWidget> form;
    int selectedRow = -1;
    config_zelmar::Configuration* configuration;
};
