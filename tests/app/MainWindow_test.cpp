// The main window's title, modified flag, page switching, actions, close question and console-type change.
#include "CommandsPageWidget.h"
#include "DevicesPageWidget.h"
#include "EventsPageWidget.h"
#include "MainWindow.h"
#include "PultsPageWidget.h"
#include "support/Controls.h"
#include "support/ScriptedPrompter.h"
#include "support/TestWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolBar>
#include <QtTest>

namespace {

const QString programTitle = QStringLiteral("Конфигуратор «Зелмар»");

QStringList actionNames(const QList<QAction*>& actions)
{
    QStringList names;
    for (const QAction* action : actions) {
        names << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
    }
    return names;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithoutFile()
    {
        MainWindow window(noPorts());
        QCOMPARE(window.windowTitle(), programTitle);
        QVERIFY(control<QAction>(window, "save")->isEnabled()); // without a file it asks for a name
        QVERIFY(!window.isModified());
        QCOMPARE(window.size(), QSize(809, 443));
    }

    void editWithoutFileShowsTheStarAndKeepsSaveEnabled()
    {
        MainWindow window(noPorts());
        control<QSpinBox>(window, "pultAddress")->setValue(5);
        QVERIFY(window.isModified());
        QCOMPARE(window.windowTitle(), "Новая конфигурация* - " + programTitle);
        QVERIFY(control<QAction>(window, "save")->isEnabled());
    }

    void closingWithUnsavedEditsAsksEvenWithoutFile()
    {
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        window.show();
        control<QSpinBox>(window, "pultAddress")->setValue(5);

        prompter.answer = QMessageBox::Cancel;
        QVERIFY(!window.close());
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().title, programTitle);
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Сохранить изменения в конфигурации?"));
        QCOMPARE(prompter.lastBox().defaultButton, QMessageBox::Save);

        prompter.answer = QMessageBox::Discard;
        QVERIFY(window.close());
    }

    void closingWithoutEditsAsksNothing()
    {
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        window.show();
        QVERIFY(window.close());
        QVERIFY(prompter.boxes.isEmpty());
    }

    void pageButtonsShowTheirPagesAndMoveTheBoldFont()
    {
        MainWindow window(noPorts());
        auto* stack = control<QStackedWidget>(window, "stackedWidget");
        auto* common = control<QPushButton>(window, "bCommonOptions");
        const char* buttons[] = {"bCommonOptions", "bInterface",  "bSectionPults",
                                 "bDevices",       "bEventNames", "bCommands"};
        QVERIFY(common->font().bold());
        for (int index = 5; index >= 0; --index) {
            auto* button = control<QPushButton>(window, buttons[index]);
            button->click();
            QCOMPARE(stack->currentIndex(), index);
            QVERIFY(button->font().bold());
            for (const char* other : buttons) {
                if (other != buttons[index]) {
                    QVERIFY2(!control<QPushButton>(window, other)->font().bold(), other);
                }
            }
        }
        common->click();
        QCOMPARE(stack->currentIndex(), 0);
        QVERIFY(common->font().bold());
    }

    void tablePagesSitAtTheirStackIndexes()
    {
        MainWindow window(noPorts());
        auto* stack = control<QStackedWidget>(window, "stackedWidget");
        QCOMPARE(stack->count(), 6);
        QCOMPARE(stack->widget(0)->objectName(), QStringLiteral("pageCommonOptions"));
        QCOMPARE(stack->widget(1)->objectName(), QStringLiteral("pageInterface"));
        QVERIFY(qobject_cast<PultsPageWidget*>(stack->widget(2)) != nullptr);
        QVERIFY(qobject_cast<DevicesPageWidget*>(stack->widget(3)) != nullptr);
        QVERIFY(qobject_cast<EventsPageWidget*>(stack->widget(4)) != nullptr);
        QVERIFY(qobject_cast<CommandsPageWidget*>(stack->widget(5)) != nullptr);
    }

    void menusAndToolBarHoldTheActionsInOrder()
    {
        MainWindow window(noPorts());
        QStringList menuSequence{"loadFromDevice",
                                 "saveToDevice",
                                 "checkConfiguration",
                                 "|",
                                 "newConfiguration",
                                 "open",
                                 "",
                                 "save",
                                 "saveAs",
                                 "|",
                                 "printReport",
                                 "exportReport",
                                 "reportChangesOnly",
                                 "exportDevicesCsv",
                                 "|",
                                 "quit"};
        menuSequence.insert(3, QStringLiteral("panelBackups"));
        QCOMPARE(actionNames(control<QMenu>(window, "menuFile")->actions()), menuSequence);
        QCOMPARE(control<QMenu>(window, "menuFile")->actions().at(7)->menu(),
                 control<QMenu>(window, "menuRecentFiles"));
        const QStringList toolBarSequence{"loadFromDevice",
                                          "saveToDevice",
                                          "checkConfiguration",
                                          "|",
                                          "newConfiguration",
                                          "open",
                                          "save",
                                          "saveAs",
                                          "|",
                                          "printReport",
                                          "|",
                                          "quit"};
        QCOMPARE(actionNames(control<QToolBar>(window, "toolBar")->actions()), toolBarSequence);
        QCOMPARE(control<QAction>(window, "newConfiguration")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+N")));
        QVERIFY(control<QAction>(window, "reportChangesOnly")->isCheckable());
        QCOMPARE(control<QAction>(window, "printReport")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        QCOMPARE(control<QAction>(window, "panelBackups")->text(),
                 QStringLiteral("Резервные копии прибора…"));
        QVERIFY2(!control<QAction>(window, "panelBackups")->isEnabled(), "no data folder, no backups");
        QCOMPARE(actionNames(control<QMenu>(window, "menuHelp")->actions()),
                 (QStringList{"connectionCheck", "|", "about"}));
        QCOMPARE(control<QAction>(window, "connectionCheck")->text(),
                 QStringLiteral("Проверка подключения…"));
        QCOMPARE(control<QAction>(window, "loadFromDevice")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+R")));
        QCOMPARE(control<QAction>(window, "save")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(control<QAction>(window, "saveAs")->iconText(), QStringLiteral("Сохранить как"));
        QVERIFY(!control<QAction>(window, "open")->icon().isNull());
        QVERIFY(!control<QAction>(window, "checkConfiguration")->icon().isNull());
    }

    void sectionConsoleHidesCentralOnlyControls()
    {
        MainWindow window(noPorts());
        QVERIFY(!control<QWidget>(window, "bSectionPults")->isVisibleTo(&window));
        QVERIFY(!control<QWidget>(window, "groupClockSync")->isVisibleTo(&window));
        QVERIFY(!control<QWidget>(window, "groupReset")->isVisibleTo(&window));
    }

    void resetRadiosMarkModified_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::newRow("common reset") << QStringLiteral("commonReset");
        QTest::newRow("individual reset") << QStringLiteral("individualReset");
    }

    void resetRadiosMarkModified()
    {
        QFETCH(QString, radio);
        MainWindow window(noPorts());
        QVERIFY(!window.isModified());
        control<QRadioButton>(window, radio.toLatin1().constData())->click();
        QVERIFY(window.isModified());
        QVERIFY(window.windowTitle().startsWith("Новая конфигурация*"));
    }

    void pultTypeChangeWithEmptyTablesAsksNothing()
    {
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        control<QComboBox>(window, "pultType")->setCurrentIndex(1);

        QVERIFY(prompter.boxes.isEmpty());
        QVERIFY(window.configuration().pultType());
        QVERIFY(window.isModified());
        QVERIFY(control<QWidget>(window, "bSectionPults")->isVisibleTo(&window));
        QVERIFY(control<QWidget>(window, "groupReset")->isVisibleTo(&window));
        QCOMPARE(control<QPushButton>(window, "bDevices")->text(), QStringLiteral("Названия приборов"));
        QCOMPARE(control<QCheckBox>(window, "zummerRemoteOff")->text(),
                 QStringLiteral("Выключение зуммера с секционного пульта"));
    }

    void pultTypeChangeWithRowsAsksAndNoRestoresTheCombo()
    {
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        window.configuration().commands.emplace_back(false);
        window.loadFromConfiguration();
        if (window.findChild<CommandsPageWidget*>()->rowCount() == 0) {
            QSKIP("the commands page does not list commands yet");
        }
        auto* pultType = control<QComboBox>(window, "pultType");

        prompter.answer = QMessageBox::No;
        pultType->setCurrentIndex(1);
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Тип пульта"));
        QCOMPARE(prompter.lastBox().text,
                 QStringLiteral("При изменении типа пульта будут удалены названия приборов и "
                                "секционных пультов, а также все команды. Продолжить?"));
        QCOMPARE(prompter.lastBox().defaultButton, QMessageBox::No);
        QCOMPARE(pultType->currentIndex(), 0);
        QVERIFY(!window.configuration().pultType());
        QCOMPARE(window.configuration().commands.size(), std::size_t(1));
        QVERIFY(!window.isModified());

        prompter.answer = QMessageBox::Yes;
        pultType->setCurrentIndex(1);
        QCOMPARE(prompter.boxes.size(), 2);
        QVERIFY(window.configuration().pultType());
        QVERIFY(window.configuration().commands.empty());
        QCOMPARE(window.findChild<CommandsPageWidget*>()->rowCount(), 0);
        QVERIFY(window.isModified());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindow_test.moc"
