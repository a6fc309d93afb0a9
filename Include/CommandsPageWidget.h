#pragma once

#include "TablePageWidget.h"
#include "config_zelmar/PanelDescription.h"

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
class CommandsPageWidget : public TablePageWidget
{
    Q_OBJECT

public:
    static constexpr int maxCommands = int(config_zelmar::panel_description::maxCommands);

    CommandsPageWidget(QWidget* parent, config_zelmar::Configuration* configuration);
    ~CommandsPageWidget() override;

    // Selects the row of the command at this position; false when there is none.
    bool selectCommand(int index);

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

protected:
    int rowLimit() const override { return maxCommands; }
    QString countText(int rows, int limit) const override;
    void updateSelectionButtons() override;

private:
    std::unique_ptr<CommandEditDialog> createDialog(bool editing);
    bool isContinuation(int row) const;
    bool firstCommandMayLeave(int row);
    void appendCommand(config_zelmar::Command command);
    void fillRow(int row);
    void refillRows(int from, int to);
    void commandsMoved(int from, int to, int selected);

    std::unique_ptr<Ui::CommandsPageWidget> form;
    config_zelmar::Configuration* configuration;
};
