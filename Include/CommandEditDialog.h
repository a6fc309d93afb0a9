#pragma once

#include <QDialog>

#include <string>

namespace config_zelmar {
class Command;
class Configuration;
} // namespace config_zelmar
class LcdTextField;
class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// What both command dialogs share: the name or the continuation mark, the target address or "all", alarm
// cancel, group commands, loops and outputs. The derived dialogs own the forms and add what only their
// kind of command has. The command changes only through storeData(), called once OK was accepted.
class CommandEditDialog : public QDialog
{
    Q_OBJECT

public:
    ~CommandEditDialog() override;

    // firstCommand: the command is (or becomes) the first, which cannot be a continuation.
    void loadData(const config_zelmar::Command& command, bool firstCommand);
    void storeData(config_zelmar::Command& command) const;
    QString name() const;

public slots:
    void onAccepted();

protected:
    CommandEditDialog(QWidget* parent, const config_zelmar::Configuration* configuration, bool editing);

    // Called by the derived constructor once its form is set up: finds the shared controls by name.
    void bindControls(QSpinBox* address, QLabel* labelAddress);

    virtual int targetAddress(const config_zelmar::Command& command) const = 0;
    virtual void setTargetAddress(config_zelmar::Command& command, int address) const = 0;
    virtual void loadSpecific(const config_zelmar::Command& command) = 0;
    virtual void storeSpecific(config_zelmar::Command& command) const = 0;

private:
    QString validationProblem() const;
    std::u16string storedName() const;
    void sequenceCharClicked(bool checked);
    void sendToAllClicked(bool checked);
    void loadSwitches(const config_zelmar::Command& command);
    void storeSwitches(config_zelmar::Command& command) const;

    const config_zelmar::Configuration* configuration;
    bool editing;
    std::u16string nameAtOpening;

    QLineEdit* nameField = nullptr;
    LcdTextField* lcdName = nullptr;
    QLabel* labelName = nullptr;
    QCheckBox* sequenceChar = nullptr;
    QCheckBox* sendToAll = nullptr;
    QSpinBox* address = nullptr;
    QLabel* labelAddress = nullptr;
    QCheckBox* disableAutomatic = nullptr;
    QDialogButtonBox* buttonBox = nullptr;
};
