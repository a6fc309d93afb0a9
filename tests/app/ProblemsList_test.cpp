// The problems list of the main window: "Проверить конфигурацию" lists what the panel would not hold,
// activating a row shows the object on its page, and a write first asks when there is a problem.
#include "CommandsPageWidget.h"
#include "ConnectDialog.h"
#include "DevicesPageWidget.h"
#include "EventsPageWidget.h"
#include "MainWindow.h"
#include "ProblemsDialog.h"
#include "PultsPageWidget.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>

#include <functional>
#include <memory>

using config_zelmar::Command;
using config_zelmar::Configuration;
using config_zelmar::DeviceNames;

namespace {

void zoneZeroDevice(Configuration& c)
{
    c.sections[0].devices[4].address = 4;
    c.sections[0].devices[9].address = 9;
    c.sections[0].devices[9].zone = 0;
}

void commandToMissingDevice(Configuration& c)
{
    Command first(false);
    first.name = u"A";
    Command second(false);
    second.name = u"B";
    second.setDeviceAddress(30);
    c.commands = {first, second};
    c.sections[0].devices[1].address = 1;
}

void longTableName(Configuration& c)
{
    config_zelmar::EventTable table;
    table.name = u"Таблица дверей";
    table.texts[0] = u"OTKPЫTO";
    c.appendEventTable(table);
    c.appendEventTable(table);
    c.eventTables[2].name = u"Ok";
}

void dublerWithoutName(Configuration& c)
{
    c.setPultType(true);
    for (int p : {2, 5}) {
        c.sections[p].address = p;
        c.sections[p].name = u"Пульт";
    }
    c.sections[5].name.clear();
    c.sections[5].dubler = true;
    c.sections[5].dublerName = u"Пост";
}

void namedDeviceOnCentral(Configuration& c)
{
    c.setPultType(true);
    c.sections[3].address = 3;
    c.sections[3].devices[8].address = 8;
    c.sections[3].devices[8].names = std::make_shared<DeviceNames>();
    c.sections[3].devices[8].names->deviceName = u"Абвгдеёжзийклмнопрстуфх"; // longer than 20
}

using Setup = std::function<void(Configuration&)>;

void prepare(MainWindow& window, const Setup& setup)
{
    setup(window.configuration());
    window.loadFromConfiguration();
}

QTableWidget* tableOf(QWidget* page)
{
    return pageControl<QTableWidget>(page, "table");
}

QPushButton* buttonNamed(QDialog* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class ProblemsListTest : public QObject
{
    Q_OBJECT

private slots:
    void activatingARowShowsTheObjectOnItsPage_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("error");
        QTest::newRow("device with zone 0") << Setup(zoneZeroDevice) << "devices" << 1 << true;
        QTest::newRow("command to a missing device")
            << Setup(commandToMissingDevice) << "commands" << 1 << false;
        QTest::newRow("table name too long") << Setup(longTableName) << "events" << 1 << false;
        QTest::newRow("duplicate without a name") << Setup(dublerWithoutName) << "pults" << 1 << true;
        QTest::newRow("central device name too long")
            << Setup(namedDeviceOnCentral) << "devices" << 0 << false;
    }

    void activatingARowShowsTheObjectOnItsPage()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, page);
        QFETCH(int, row);
        QFETCH(bool, error);
        ScriptedPrompter prompter;
        MainWindow window;
        window.show();
        prepare(window, setup);
        window.onCheckConfiguration();
        QCOMPARE(prompter.boxes.size(), 0);
        auto* dialog = window.findChild<ProblemsDialog*>();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QVERIFY(!dialog->isModal());
        auto* list = pageControl<QListWidget>(dialog, "problems");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QString::fromStdString(dialog->problems().at(0).message));
        QCOMPARE(dialog->problems().at(0).severity == config_zelmar::Problem::Severity::error, error);
        QVERIFY(!list->item(0)->icon().isNull());

        dialog->activateRow(0);
        const QMap<QString, QWidget*> pages{{"devices", window.findChild<DevicesPageWidget*>()},
                                            {"commands", window.findChild<CommandsPageWidget*>()},
                                            {"events", window.findChild<EventsPageWidget*>()},
                                            {"pults", window.findChild<PultsPageWidget*>()}};
        QCOMPARE(control<QStackedWidget>(window, "stackedWidget")->currentWidget(), pages.value(page));
        QCOMPARE(tableOf(pages.value(page))->currentRow(), row);
        QVERIFY(tableOf(pages.value(page))->item(row, 0)->isSelected());
    }

    void anOptionIsShownOnItsPage_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("page");
        QTest::newRow("menu time") << "menuTime" << 1;
        QTest::newRow("buzzer") << "zummerConfig" << 1;
        QTest::newRow("console address") << "pultAddress" << 0;
        QTest::newRow("password") << "password" << 0;
    }

    void anOptionIsShownOnItsPage()
    {
        QFETCH(QString, key);
        QFETCH(int, page);
        MainWindow window;
        window.onCommandsClicked();
        window.showObject({"options", key.toStdString()});
        QCOMPARE(control<QStackedWidget>(window, "stackedWidget")->currentIndex(), page);
    }

    void aCleanConfigurationIsSaidToBeKeptAsItIs()
    {
        ScriptedPrompter prompter;
        MainWindow window;
        window.onCheckConfiguration();
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().kind, QStringLiteral("information"));
        QCOMPARE(prompter.lastBox().text,
                 QStringLiteral("Прибор сохранит конфигурацию в точности так, как она задана."));
        QVERIFY(window.findChild<ProblemsDialog*>() == nullptr);
        QVERIFY(control<QAction>(window, "checkConfiguration")->text() ==
                QStringLiteral("Проверить конфигурацию"));
    }

    void aWriteAsksFirstWhenThereIsAProblem_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("yes");
        QTest::addColumn<QString>("no");
        QTest::addColumn<bool>("question");
        QTest::addColumn<bool>("answerYes");
        QTest::newRow("errors, No") << Setup(zoneZeroDevice) << "Да"
                                    << "Нет" << true << false;
        QTest::newRow("errors, Yes") << Setup(zoneZeroDevice) << "Да"
                                     << "Нет" << true << true;
        QTest::newRow("warnings, Cancel") << Setup(commandToMissingDevice) << "Записать"
                                          << "Отмена" << false << false;
        QTest::newRow("warnings, Write") << Setup(commandToMissingDevice) << "Записать"
                                         << "Отмена" << false << true;
    }

    void aWriteAsksFirstWhenThereIsAProblem()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, yes);
        QFETCH(QString, no);
        QFETCH(bool, question);
        QFETCH(bool, answerYes);
        ScriptedPrompter prompter;
        MainWindow window;
        window.show();
        prepare(window, setup);
        bool listed = false;
        bool noIsDefault = false;
        bool questionShown = false;
        bool portAsked = false;
        std::unique_ptr<ModalCloser> portCloser;
        ModalCloser problemsCloser([&](QDialog* modal) {
            auto* dialog = qobject_cast<ProblemsDialog*>(modal);
            if (dialog == nullptr) {
                modal->reject();
                return;
            }
            listed = pageControl<QListWidget>(dialog, "problems")->count() == 1;
            auto* label = dialog->findChild<QLabel*>(QStringLiteral("question"));
            questionShown =
                label != nullptr &&
                label->text() ==
                    QStringLiteral("Часть настроек не будет записана в прибор. Записать всё равно?");
            QPushButton* yesButton = buttonNamed(dialog, yes);
            QPushButton* noButton = buttonNamed(dialog, no);
            QVERIFY(yesButton != nullptr && noButton != nullptr);
            noIsDefault = noButton->isDefault();
            portCloser = std::make_unique<ModalCloser>(
                [&](QDialog* next) {
                    portAsked = qobject_cast<ConnectDialog*>(next) != nullptr;
                    next->reject();
                },
                2000);
            (answerYes ? yesButton : noButton)->click();
        });
        window.onSaveToDevice();
        QVERIFY(problemsCloser.appeared());
        QVERIFY(listed);
        QCOMPARE(questionShown, question);
        QCOMPARE(noIsDefault, question);
        if (answerYes) {
            QTRY_VERIFY_WITH_TIMEOUT(portAsked, 3000);
        } else {
            QVERIFY(!portAsked);
        }
        QCOMPARE(prompter.count(QStringLiteral("information")), 0);
    }
};

QTEST_MAIN(ProblemsListTest)
#include "ProblemsList_test.moc"
