#include "CommandEditDialog.h"

#include "LcdTextField.h"
#include "Prompter.h"

#include <config_zelmar/Command.h>
#include <config_zelmar/Configuration.h>
#include <config_zelmar/LCDCharset.h>
#include <config_zelmar/PanelDescription.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

using config_zelmar::Command;

namespace {

constexpr int groupCount = 8;
constexpr int loopCount = 2;
constexpr int outputCount = 8;

} // namespace

CommandEditDialog::CommandEditDialog(QWidget* parent, const config_zelmar::Configuration* configuration,
                                     bool editing)
    : QDialog(parent, Qt::WindowCloseButtonHint), configuration(configuration), editing(editing)
{}

CommandEditDialog::~CommandEditDialog() = default;

void CommandEditDialog::bindControls(QSpinBox* addressBox, QLabel* addressLabel)
{
    address = addressBox;
    labelAddress = addressLabel;
    nameField = findChild<QLineEdit*>(QStringLiteral("name"));
    labelName = findChild<QLabel*>(QStringLiteral("labelName"));
    sequenceChar = findChild<QCheckBox*>(QStringLiteral("sequenceChar"));
    sendToAll = findChild<QCheckBox*>(QStringLiteral("sendToAll"));
    disableAutomatic = findChild<QCheckBox*>(QStringLiteral("disableAutomatic"));
    buttonBox = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    lcdName = LcdTextField::attach(nameField, int(config_zelmar::panel_description::commandNameWidth));
    connect(sequenceChar, &QCheckBox::clicked, this, &CommandEditDialog::sequenceCharClicked);
    connect(sendToAll, &QCheckBox::clicked, this, &CommandEditDialog::sendToAllClicked);
    disconnect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &CommandEditDialog::onAccepted);
}

QString CommandEditDialog::name() const
{
    return nameField->text();
}

void CommandEditDialog::sequenceCharClicked(bool checked)
{
    if (checked) {
        nameField->clear();
    }
    nameField->setEnabled(!checked);
    labelName->setEnabled(!checked);
}

void CommandEditDialog::sendToAllClicked(bool checked)
{
    address->setEnabled(!checked);
    labelAddress->setEnabled(!checked);
}

void CommandEditDialog::loadData(const Command& command, bool firstCommand)
{
    if (editing) {
        nameAtOpening = command.name;
    }
    sequenceChar->setEnabled(!firstCommand);
    const bool continuation = command.name == Command::continuationName && !firstCommand;
    sequenceChar->setChecked(continuation);
    nameField->setText(continuation ? QString() : QString::fromStdU16String(command.name));
    sequenceCharClicked(continuation);
    const int target = targetAddress(command);
    sendToAll->setChecked(target == 0);
    address->setValue(target == 0 ? 1 : target);
    sendToAllClicked(target == 0);
    disableAutomatic->setChecked(command.alarmCancel());
    loadSwitches(command);
    loadSpecific(command);
}

void CommandEditDialog::loadSwitches(const Command& command)
{
    for (int group = 0; group < groupCount; ++group) {
        if (auto* box = findChild<QCheckBox*>(QStringLiteral("group%1").arg(group))) {
            box->setChecked(command.groupCommand(group));
        }
    }
    for (int loop = 1; loop <= loopCount; ++loop) {
        findChild<QCheckBox*>(QStringLiteral("loop%1Put").arg(loop))->setChecked(command.loopOn(loop));
        findChild<QCheckBox*>(QStringLiteral("loop%1TakeOff").arg(loop))->setChecked(command.loopOff(loop));
    }
    for (int output = 1; output <= outputCount; ++output) {
        findChild<QCheckBox*>(QStringLiteral("out%1Enable").arg(output))
            ->setChecked(command.outputOn(output));
        findChild<QCheckBox*>(QStringLiteral("out%1Disable").arg(output))
            ->setChecked(command.outputOff(output));
    }
}

std::u16string CommandEditDialog::storedName() const
{
    if (sequenceChar->isChecked()) {
        return Command::continuationName;
    }
    std::u16string converted = nameField->text().toStdU16String();
    config_zelmar::applyLcdLookAlike(converted);
    return converted;
}

void CommandEditDialog::storeData(Command& command) const
{
    command.name = storedName();
    setTargetAddress(command, sendToAll->isChecked() ? 0 : address->value());
    command.setAlarmCancel(disableAutomatic->isChecked());
    storeSwitches(command);
    storeSpecific(command);
}

void CommandEditDialog::storeSwitches(Command& command) const
{
    for (int group = 0; group < groupCount; ++group) {
        if (const auto* box = findChild<QCheckBox*>(QStringLiteral("group%1").arg(group))) {
            command.setGroupCommand(group, box->isChecked());
        }
    }
    for (int loop = 1; loop <= loopCount; ++loop) {
        command.setLoopOn(loop, findChild<QCheckBox*>(QStringLiteral("loop%1Put").arg(loop))->isChecked());
        command.setLoopOff(loop,
                           findChild<QCheckBox*>(QStringLiteral("loop%1TakeOff").arg(loop))->isChecked());
    }
    for (int output = 1; output <= outputCount; ++output) {
        const auto* on = findChild<QCheckBox*>(QStringLiteral("out%1Enable").arg(output));
        const auto* off = findChild<QCheckBox*>(QStringLiteral("out%1Disable").arg(output));
        command.setOutputOn(output, on->isChecked());
        command.setOutputOff(output, off->isChecked());
    }
}

QString CommandEditDialog::validationProblem() const
{
    if (sequenceChar->isChecked()) {
        return QString();
    }
    const QString typed = nameField->text();
    if (typed.simplified().isEmpty()) {
        return QStringLiteral("Введите название команды!");
    }
    if (typed.startsWith(QLatin1Char('*'))) {
        return QStringLiteral("Название команды не может начинаться с символа '*'!");
    }
    const std::u16string converted = storedName();
    if (converted != nameAtOpening && configuration->commandNameExists(converted)) {
        return QStringLiteral("Команда с названием \"%1\" уже добавлена!").arg(typed);
    }
    return QString();
}

void CommandEditDialog::onAccepted()
{
    const QString problem = validationProblem();
    if (!problem.isEmpty()) {
        Prompter::current().warning(this, QStringLiteral("Ошибка"), problem);
        return;
    }
    if (!LcdTextField::confirmShowable(this, {lcdName})) {
        return;
    }
    accept();
}
