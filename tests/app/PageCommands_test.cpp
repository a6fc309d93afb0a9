// The commands page and dialogs: the first-command rule, names, copy names, limits and the stored bytes.
#include "CommandsPageWidget.h"
#include "DeviceCommandEditDialog.h"
#include "PultCommandEditDialog.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <config_zelmar/Configuration.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using config_zelmar::Command;
using config_zelmar::Configuration;

namespace {

Command namedCommand(bool central, const std::u16string& name)
{
    Command command(central);
    command.name = name;
    return command;
}

std::vector<uint8_t> bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> result;
    for (int value : values) {
        result.push_back(uint8_t(value));
    }
    return result;
}

QTableWidget* tableOf(const QWidget& page)
{
    return pageControl<QTableWidget>(&page, "table");
}

bool enabled(const QWidget& page, const char* button)
{
    return pageControl<QToolButton>(&page, button)->isEnabled();
}

} // namespace

class PageCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void firstCommandCannotBeAContinuation()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        CommandsPageWidget page(nullptr, &configuration);
        bool sequenceEnabled = true;
        QString proposed;
        ModalCloser first([&](QDialog* dialog) {
            sequenceEnabled = pageControl<QCheckBox>(dialog, "sequenceChar")->isEnabled();
            proposed = pageControl<QLineEdit>(dialog, "name")->text();
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onAdd();
        QVERIFY(first.appeared());
        QVERIFY(!sequenceEnabled);
        QCOMPARE(proposed, QString::fromStdU16String(Command::defaultName(0)));

        ModalCloser second([&](QDialog* dialog) {
            auto* sequence = pageControl<QCheckBox>(dialog, "sequenceChar");
            QVERIFY(sequence->isEnabled());
            sequence->click();
            QVERIFY(pageControl<QLineEdit>(dialog, "name")->text().isEmpty());
            QVERIFY(!pageControl<QLineEdit>(dialog, "name")->isEnabled());
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onAdd();
        QVERIFY(second.appeared());
        QCOMPARE(configuration.commands.at(1).name, Command::continuationName);
        QCOMPARE(tableOf(page)->item(1, 0)->text(), QString());
        QVERIFY(!enabled(page, "moveUp"));
        QVERIFY(!enabled(page, "makeFirst"));

        tableOf(page)->selectRow(0);
        const auto before = configuration.commands;
        for (auto action :
             {&CommandsPageWidget::onDel, &CommandsPageWidget::onMoveDown, &CommandsPageWidget::onMakeLast}) {
            prompter.boxes.clear();
            (page.*action)();
            QCOMPARE(prompter.boxes.size(), 1);
            QCOMPARE(prompter.lastBox().kind, QStringLiteral("warning"));
            QCOMPARE(prompter.lastBox().title, QStringLiteral("Первая команда"));
            QCOMPARE(prompter.lastBox().text, QStringLiteral("Чтобы удалить или переместить эту команду,\n"
                                                             "присвойте имя следующей команде!"));
            QVERIFY(configuration.commands == before);
        }
    }

    void namesAreValidated()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.commands.push_back(namedCommand(false, u"Cбpoc"));
        Command command = namedCommand(false, u"Hoвaя");
        DeviceCommandEditDialog dialog(nullptr, &configuration, false);
        dialog.loadData(command, false);
        auto* name = pageControl<QLineEdit>(&dialog, "name");
        name->setText(QStringLiteral("*Тревога"));
        dialog.onAccepted();
        QCOMPARE(prompter.lastBox().text,
                 QStringLiteral("Название команды не может начинаться с символа '*'!"));
        name->setText(QStringLiteral("   "));
        dialog.onAccepted();
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Введите название команды!"));
        name->setText(QStringLiteral("Сброс"));
        dialog.onAccepted();
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Команда с названием \"Сброс\" уже добавлена!"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(prompter.count(QStringLiteral("warning")), 3);

        pageControl<QCheckBox>(&dialog, "sequenceChar")->click();
        dialog.onAccepted();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prompter.count(QStringLiteral("warning")), 3);
    }

    void editingKeepsItsOwnName()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.commands.push_back(namedCommand(false, u"Cбpoc"));
        DeviceCommandEditDialog dialog(nullptr, &configuration, true);
        dialog.loadData(configuration.commands[0], true);
        dialog.onAccepted();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prompter.boxes.size(), 0);
    }

    void copyProposesNextName()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        Command named = namedCommand(false, u"Команда5");
        configuration.commands.push_back(named);
        configuration.commands.push_back(namedCommand(false, Command::continuationName));
        CommandsPageWidget page(nullptr, &configuration);
        QString proposed;
        auto capture = [&](QDialog* dialog) {
            proposed = pageControl<QLineEdit>(dialog, "name")->text();
            ModalCloser::pressCancel(dialog);
        };
        tableOf(page)->selectRow(0);
        ModalCloser copyNamed(capture);
        page.onCopy();
        QVERIFY(copyNamed.appeared());
        QCOMPARE(proposed, QStringLiteral("Команда6"));
        tableOf(page)->selectRow(1);
        ModalCloser copyContinuation(capture);
        page.onCopy();
        QCOMPARE(proposed, QString::fromStdU16String(Command::defaultName(2)));
        QCOMPARE(configuration.commands.size(), std::size_t(2));
    }

    void sixtyFourCommandsDisableAddAndCopy()
    {
        Configuration configuration;
        for (int i = 0; i < 64; ++i) {
            configuration.commands.push_back(namedCommand(false, Command::defaultName(i)));
        }
        CommandsPageWidget page(nullptr, &configuration);
        tableOf(page)->selectRow(10);
        QVERIFY(!enabled(page, "add"));
        QVERIFY(!enabled(page, "copy"));
        QVERIFY(enabled(page, "edit"));
    }

    void deviceCommandStoresItsBytes()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        Command command(false);
        DeviceCommandEditDialog dialog(nullptr, &configuration, false);
        dialog.loadData(command, false);
        QVERIFY(!pageControl<QCheckBox>(&dialog, "sendToAll")->isChecked());
        pageControl<QLineEdit>(&dialog, "name")->setText(QStringLiteral("Выходы"));
        pageControl<QSpinBox>(&dialog, "deviceAddress")->setValue(5);
        pageControl<QCheckBox>(&dialog, "out1Enable")->click();
        pageControl<QCheckBox>(&dialog, "out2Enable")->click();
        pageControl<QCheckBox>(&dialog, "group3")->click();
        dialog.onAccepted();
        dialog.storeData(command);
        QCOMPARE(command.name, std::u16string(u"Bыxoды"));
        QCOMPARE(command.data, bytes({0x85, 0x08, 0x00, 0x05, 0x03, 0x00, 0x00, 0x00}));

        DeviceCommandEditDialog all(nullptr, &configuration, true);
        all.loadData(command, false);
        pageControl<QCheckBox>(&all, "sendToAll")->click();
        QVERIFY(!pageControl<QSpinBox>(&all, "deviceAddress")->isEnabled());
        pageControl<QCheckBox>(&all, "out1Enable")->click();
        pageControl<QCheckBox>(&all, "out2Enable")->click();
        pageControl<QCheckBox>(&all, "deviceReset")->click();
        pageControl<QCheckBox>(&all, "loop1TakeOff")->click();
        pageControl<QCheckBox>(&all, "loop2TakeOff")->click();
        all.storeData(command);
        QCOMPARE(command.data, bytes({0x00, 0x08, 0x85, 0x00, 0x00, 0x00, 0x00, 0x00}));
    }

    void consoleCommandWithoutDeviceKeepsNoDeviceBits()
    {
        Configuration configuration;
        configuration.setPultType(true);
        Command command(true, bytes({0x00, 0x00, 0x00, 0x01, 0x20, 0x07, 0x00, 0x00}));
        command.name = u"Bce";
        PultCommandEditDialog dialog(nullptr, &configuration, true);
        dialog.loadData(command, false);
        QVERIFY(pageControl<QCheckBox>(&dialog, "sendToAll")->isChecked());
        QVERIFY(pageControl<QGroupBox>(&dialog, "addressCmd")->isChecked());
        QCOMPARE(pageControl<QSpinBox>(&dialog, "deviceAddress")->value(), 7);
        QVERIFY(pageControl<QCheckBox>(&dialog, "loop2Put")->isChecked());
        Command unchanged = command;
        dialog.storeData(unchanged);
        QCOMPARE(unchanged.data, command.data);

        pageControl<QGroupBox>(&dialog, "addressCmd")->setChecked(false);
        pageControl<QCheckBox>(&dialog, "sendToAll")->click();
        pageControl<QSpinBox>(&dialog, "pultAddress")->setValue(12);
        pageControl<QCheckBox>(&dialog, "group5")->click();
        dialog.storeData(command);
        QCOMPARE(command.data, bytes({0xCC, 0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}));
    }

    void movesKeepTheOrder()
    {
        ScriptedPrompter prompter;
        prompter.answer = QMessageBox::Yes;
        Configuration configuration;
        for (const char16_t* name : {u"A", u"B", u"C", u"D"}) {
            configuration.commands.push_back(namedCommand(false, name));
        }
        CommandsPageWidget page(nullptr, &configuration);
        QSignalSpy modified(&page, &CommandsPageWidget::modified);
        tableOf(page)->selectRow(2);
        page.onMakeFirst();
        page.onMoveDown();
        tableOf(page)->selectRow(3);
        page.onMoveUp();
        tableOf(page)->selectRow(0);
        page.onMakeLast();
        QString order;
        for (int row = 0; row < page.rowCount(); ++row) {
            order += tableOf(page)->item(row, 0)->text();
        }
        QCOMPARE(order, QStringLiteral("CDBA"));
        QCOMPARE(QString::fromStdU16String(configuration.commands[1].name), QStringLiteral("D"));
        QCOMPARE(tableOf(page)->currentRow(), 3);
        QCOMPARE(modified.count(), 4);

        page.onDel();
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Удаление команды"));
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Удалить команду \"A\"?"));
        QCOMPARE(configuration.commands.size(), std::size_t(3));
        page.onClear();
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Вы действительно хотите удалить все команды?"));
        QVERIFY(configuration.commands.empty());
        QCOMPARE(page.rowCount(), 0);
    }
};

QTEST_MAIN(PageCommandsTest)
#include "PageCommands_test.moc"
