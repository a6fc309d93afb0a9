// Reading and writing the panel through the main window, against the emulated panel: the connection
// dialog, the progress dialog, the success and failure boxes and the modified flag.
#include "BackupsDialog.h"
#include "ConnectDialog.h"
#include "EmulatedPanel.h"
#include "MainWindow.h"
#include "ProgressDialog.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "config_zelmar/PanelImageCodec.h"

#include <algorithm>
#include <memory>

namespace {

const QString programTitle = QStringLiteral("Конфигуратор «Зелмар»");
const QString errorTitle = QStringLiteral("Ошибка");

// A window whose connection dialog lists the emulated panel and no real port.
struct EmulatedWindow
{
    EmulatedPanel emulated;
    MainWindow window;

    EmulatedWindow() : window(emulated.attachTo(noRealPorts())) {}

    static MainWindowOptions noRealPorts()
    {
        MainWindowOptions options;
        options.now = [] { return QDateTime(QDate(2025, 5, 12), QTime(14, 30)); };
        options.portLister = PortLister{[] { return std::vector<std::string>{"/dev/zelmar-test-missing"}; },
                                        [] { return std::vector<std::string>(); }};
        return options;
    }

    std::size_t commandsReceived(uint8_t code) const
    {
        const auto& commands = const_cast<EmulatedPanel&>(emulated).panel().log().commands;
        return std::count_if(
            commands.begin(), commands.end(),
            [code](const panel_emulator::LoggedCommand& command) { return command.code == code; });
    }
};

// Answers the next connection dialog with the given port and raised-speed choice, or cancels it. Before
// a write, also answers the change list that follows: Записать, or Отмена when writeChanges is false.
class PortChoice
{
public:
    PortChoice(const QString& port, bool raisedSpeed, bool accept = true, bool writeChanges = true)
        : closer([=](QDialog* modal) {
              auto* dialog = qobject_cast<ConnectDialog*>(modal);
              if (dialog == nullptr) {
                  modal->close();
                  return;
              }
              shownPorts = control<QComboBox>(dialog, "portName")->count();
              control<QComboBox>(dialog, "portName")->setCurrentText(port);
              control<QCheckBox>(dialog, "raisedSpeed")->setChecked(raisedSpeed);
              if (!accept) {
                  dialog->reject();
                  return;
              }
              if (control<QCheckBox>(dialog, "verifyWrite")->isVisibleTo(dialog)) {
                  changes = std::make_unique<ModalCloser>(
                      [this, writeChanges](QDialog* next) { answerChanges(next, writeChanges); });
              }
              dialog->accept();
          })
    {}

    bool appeared() const { return closer.appeared(); }
    bool changesAppeared() const { return changes && changes->appeared(); }
    int shownPorts = 0;
    QStringList changeLines;
    QString question;

private:
    void answerChanges(QDialog* dialog, bool write)
    {
        if (dialog->objectName() != QStringLiteral("writeChangesDialog")) {
            dialog->close();
            return;
        }
        if (auto* list = dialog->findChild<QListWidget*>(QStringLiteral("changes"))) {
            for (int row = 0; row < list->count(); ++row) {
                changeLines << list->item(row)->text();
            }
        }
        question = pageControl<QLabel>(dialog, "question")->text();
        if (write) {
            dialog->accept();
        } else {
            dialog->reject();
        }
    }

    ModalCloser closer;
    std::unique_ptr<ModalCloser> changes;
};

// Records the progress dialog's bar each time the window processes events during a transfer.
class ProgressRecorder : public QObject
{
public:
    explicit ProgressRecorder(const MainWindow& observed) : window(observed)
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            if (const auto* dialog = window.findChild<ProgressDialog*>()) {
                values << dialog->progressValue();
                titles << dialog->windowTitle();
            }
        });
        timer.start(0);
    }

    QList<int> values;
    QStringList titles;

private:
    const MainWindow& window;
    QTimer timer;
};

std::vector<uint8_t> withoutStamp(std::vector<uint8_t> options)
{
    std::fill(options.begin(), options.begin() + 4, 0);
    return options;
}

// Runs the backups dialog of the window and hands it to the handler, which closes it.
bool withBackupsDialog(MainWindow& window, const std::function<void(BackupsDialog&)>& handler)
{
    ModalCloser closer([&](QDialog* modal) {
        auto* dialog = qobject_cast<BackupsDialog*>(modal);
        if (dialog == nullptr) {
            modal->close();
            return;
        }
        handler(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    window.onPanelBackups();
    return closer.appeared();
}

} // namespace

class PanelCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void writeThenReadShowsTheWrittenOptions()
    {
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        MainWindow& window = emulated.window;
        window.show();
        control<QSpinBox>(window, "pultAddress")->setValue(11);
        control<QSpinBox>(window, "backlightTime")->setValue(77);
        window.setModified(false);

        {
            PortChoice choice(EmulatedPanel::portName, false);
            ProgressRecorder progress(window);
            window.onSaveToDevice();
            QVERIFY(choice.appeared());
            QCOMPARE(choice.shownPorts, 2);
            QVERIFY(!progress.values.isEmpty());
            QCOMPARE(progress.titles.first(), QStringLiteral("Запись конфигурации в прибор"));
            QCOMPARE(progress.values.last(), 100);
        }
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().kind, QStringLiteral("information"));
        QCOMPARE(prompter.lastBox().title, programTitle);
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Настройки успешно записаны в память прибора"));
        QVERIFY(!window.isModified());
        QVERIFY(window.findChild<ProgressDialog*>() == nullptr);
        QCOMPARE(control<QLabel>(window, "writeCounter")->text(),
                 QString::number(window.configuration().writeCounter));
        QCOMPARE(control<QLabel>(window, "lastWriteDate")->text(),
                 QString::fromStdString(window.configuration().lastWriteDate));
        // The emulated panel starts as never written: the first write stamps today and counter 1.
        QCOMPARE(control<QLabel>(window, "writeCounter")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLabel>(window, "lastWriteDate")->text(),
                 QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(control<QLabel>(window, "firmwareVersion")->text(), QStringLiteral("2.1.3"));

        control<QSpinBox>(window, "pultAddress")->setValue(2);
        control<QSpinBox>(window, "backlightTime")->setValue(5);
        window.setModified(false);
        {
            PortChoice choice(EmulatedPanel::portName, true);
            ProgressRecorder progress(window);
            window.onLoadFromDevice();
            QVERIFY(choice.appeared());
            QCOMPARE(progress.titles.first(), QStringLiteral("Чтение конфигурации из прибора"));
            QVERIFY(std::is_sorted(progress.values.begin(), progress.values.end()));
        }
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(control<QSpinBox>(window, "pultAddress")->value(), 11);
        QCOMPARE(control<QSpinBox>(window, "backlightTime")->value(), 77);
        QVERIFY(window.isModified());
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("Настройки успешно загружены из памяти прибора"));
        QCOMPARE(control<QLabel>(window, "firmwareVersion")->text(),
                 QString::fromStdString(window.configuration().firmwareVersion));
        QVERIFY(window.findChild<ProgressDialog*>() == nullptr);
    }

    void writeLeavesUnsavedFileEditsMarked()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        MainWindow& window = emulated.window;
        window.show();
        prompter.fileNames << folder.filePath("site.xml");
        window.onSaveAs();
        control<QSpinBox>(window, "pultAddress")->setValue(8);
        QCOMPARE(window.windowTitle(), "site.xml* - " + programTitle);

        PortChoice choice(EmulatedPanel::portName, false);
        window.onSaveToDevice();
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Настройки успешно записаны в память прибора"));
        QVERIFY(window.isModified());
        QCOMPARE(window.windowTitle(), "site.xml* - " + programTitle);
    }

    void raisedSpeedOfTheDialogAppliesToReadsAndWrites()
    {
        for (const bool write : {true, false}) {
            for (const bool raised : {true, false}) {
                ScriptedPrompter prompter;
                EmulatedWindow emulated;
                emulated.window.show();
                PortChoice choice(EmulatedPanel::portName, raised);
                if (write) {
                    emulated.window.onSaveToDevice();
                } else {
                    emulated.window.onLoadFromDevice();
                }
                QVERIFY(choice.appeared());
                QCOMPARE(emulated.commandsReceived(0xF5) > 0, raised);
                QCOMPARE(emulated.emulated.panel().baudRate(), 19200U);
                QVERIFY(prompter.count(QStringLiteral("critical")) == 0);
            }
        }
    }

    void theBackupsDialogRestoresABackupIntoThePanel()
    {
        ScriptedPrompter prompter;
        prompter.answer = QMessageBox::Yes;
        EmulatedWindow emulated;
        MainWindow& window = emulated.window;
        window.show();
        panel_emulator::PanelEmulator& panel = emulated.emulated.panel();
        const std::vector<uint8_t> factoryOptions = panel.memory(1).bytes();
        const std::vector<uint8_t> factoryConfiguration = panel.memory(0).bytes();
        for (const int backlight : {11, 22}) {
            control<QSpinBox>(window, "backlightTime")->setValue(backlight);
            PortChoice choice(EmulatedPanel::portName, true);
            window.onSaveToDevice();
        }
        QCOMPARE(panel.memory(1).byteAt(0x08), uint8_t{22});

        int listed = 0;
        QString firstTime;
        QVERIFY(withBackupsDialog(window, [&](BackupsDialog& dialog) {
            listed = dialog.backupCount();
            auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("backupsTable"));
            firstTime = table->item(1, 0)->text();
            dialog.selectRow(1); // the older: the panel as it left the factory
            PortChoice choice(EmulatedPanel::portName, true);
            dialog.onRestore();
            QVERIFY(choice.appeared());
            QCOMPARE(dialog.backupCount(), 3); // what the restore replaced is kept too
        }));
        QCOMPARE(listed, 2);
        QVERIFY(!firstTime.isEmpty());
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Резервная копия записана в память прибора"));
        QCOMPARE(withoutStamp(panel.memory(1).bytes()), withoutStamp(factoryOptions));
        QCOMPARE(panel.memory(0).bytes(), factoryConfiguration);
        QCOMPARE(panel.baudRate(), 19200U);
    }

    void aBackupOpensExportsAndIsDeleted()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        prompter.answer = QMessageBox::Yes;
        EmulatedWindow emulated;
        MainWindow& window = emulated.window;
        window.show();
        prompter.fileNames << folder.filePath("site.xml");
        window.onSaveAs();
        control<QSpinBox>(window, "backlightTime")->setValue(44);
        {
            PortChoice choice(EmulatedPanel::portName, false);
            window.onSaveToDevice();
        }
        window.setModified(false);
        const QString exported = folder.filePath("backup.xml");
        QVERIFY(withBackupsDialog(window, [&](BackupsDialog& dialog) {
            QCOMPARE(dialog.backupCount(), 1);
            prompter.fileNames << exported;
            dialog.onExport();
            dialog.onOpen();
            QVERIFY(!dialog.isVisible());
        }));
        QVERIFY(QFile::exists(exported));
        QVERIFY(QFile(exported).size() > 0);
        // The factory's configuration, as a new untitled one with unsaved changes.
        QCOMPARE(control<QSpinBox>(window, "backlightTime")->value(),
                 config_zelmar::Configuration().backlightTime);
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("Резервная копия от ")));
        QVERIFY(window.windowTitle().endsWith("* - " + programTitle));
        QVERIFY(window.currentFilePath().isEmpty());
        QVERIFY(window.isModified());
        window.setModified(false);
        QVERIFY(withBackupsDialog(window, [&](BackupsDialog& dialog) {
            dialog.onDelete();
            QCOMPARE(dialog.backupCount(), 0);
        }));
    }

    void theChangeListShowsWhatTheWriteChangesAndCancelWritesNothing()
    {
        struct Case
        {
            const char* name;
            int backlightTime; // 0: the configuration the emulated panel already holds
            bool write;
            QStringList lines;
            QString question;
        };
        const QString changesQuestion = QStringLiteral("Записать изменения в прибор?");
        const QString sameQuestion =
            QStringLiteral("Прибор уже содержит эту конфигурацию. Записать всё равно?");
        const QList<Case> cases{
            {"change, Отмена",
             77,
             false,
             {QStringLiteral("Время включения подсветки: 30 с → 77 с")},
             changesQuestion},
            {"change, Записать",
             77,
             true,
             {QStringLiteral("Время включения подсветки: 30 с → 77 с")},
             changesQuestion},
            {"nothing to change, Отмена", 0, false, {}, sameQuestion},
        };
        for (const Case& c : cases) {
            ScriptedPrompter prompter;
            EmulatedWindow emulated;
            emulated.window.show();
            if (c.backlightTime != 0) {
                control<QSpinBox>(emulated.window, "backlightTime")->setValue(c.backlightTime);
            }
            const std::vector<uint8_t> before = emulated.emulated.panel().memory(1).bytes();
            PortChoice choice(EmulatedPanel::portName, true, true, c.write);
            emulated.window.onSaveToDevice();
            QVERIFY2(choice.changesAppeared(), c.name);
            QCOMPARE(choice.changeLines, c.lines);
            QCOMPARE(choice.question, c.question);
            QCOMPARE(emulated.commandsReceived(0xF3) > 0, c.write);
            QCOMPARE(emulated.commandsReceived(0xF4), std::size_t(c.write ? 1 : 0));
            QCOMPARE(emulated.emulated.panel().memory(1).bytes() == before, !c.write);
            QCOMPARE(emulated.emulated.panel().baudRate(), 19200U);
            QCOMPARE(prompter.count(QStringLiteral("information")), c.write ? 1 : 0);
        }
    }

    void cancelledPortDialogDoesNothing()
    {
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        emulated.window.show();
        PortChoice choice(EmulatedPanel::portName, true, false);
        emulated.window.onLoadFromDevice();
        QVERIFY(choice.appeared());
        QVERIFY(prompter.boxes.isEmpty());
        QVERIFY(emulated.emulated.panel().log().commands.empty());
        QVERIFY(!emulated.window.isModified());
    }

    void portThatCannotBeOpenedIsNamed()
    {
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        emulated.window.show();
        PortChoice choice(QStringLiteral("/dev/zelmar-test-missing"), false);
        emulated.window.onSaveToDevice();
        QVERIFY(choice.appeared());
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().title, errorTitle);
        QCOMPARE(prompter.lastBox().text,
                 QStringLiteral("Порт /dev/zelmar-test-missing не найден. Преобразователь отключён?"));
    }

    void failedReadShowsTheErrorAndKeepsTheControls()
    {
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        emulated.window.show();
        // A firmware the configurator does not know.
        emulated.emulated.panel().memory(1).setByteAt(0x04, 0x00);
        control<QSpinBox>(emulated.window, "pultAddress")->setValue(6);
        emulated.window.setModified(false);

        PortChoice choice(EmulatedPanel::portName, false);
        emulated.window.onLoadFromDevice();
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().kind, QStringLiteral("critical"));
        QCOMPARE(prompter.lastBox().title, errorTitle);
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Несовместимая версия ПО прибора."));
        QCOMPARE(control<QSpinBox>(emulated.window, "pultAddress")->value(), 6);
        QVERIFY(!emulated.window.isModified());
        QVERIFY(emulated.window.findChild<ProgressDialog*>() == nullptr);
    }

    void noCommandStartsWhileATransferRuns()
    {
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        MainWindow& window = emulated.window;
        window.show();
        control<QSpinBox>(window, "pultAddress")->setValue(4);
        prompter.fileNames << QStringLiteral("/dev/null");
        prompter.answer = QMessageBox::Yes;

        // Once the progress dialog is up, every command and the window's close are tried; a connection
        // dialog that nevertheless appears is rejected and counted.
        int connectDialogs = 0;
        bool tried = false;
        bool closed = false;
        std::unique_ptr<ModalCloser> lateDialogs;
        QTimer hook;
        connect(&hook, &QTimer::timeout, &window, [&] {
            if (tried || window.findChild<ProgressDialog*>() == nullptr) {
                return;
            }
            tried = true;
            lateDialogs = std::make_unique<ModalCloser>(
                [&](QDialog* modal) {
                    if (auto* dialog = qobject_cast<ConnectDialog*>(modal)) {
                        ++connectDialogs;
                        dialog->reject();
                    }
                },
                200);
            window.onOpen();
            window.onSave();
            window.onSaveAs();
            window.onSaveToDevice();
            window.onLoadFromDevice();
            closed = window.close();
        });
        hook.start(0);

        PortChoice choice(EmulatedPanel::portName, false);
        window.onSaveToDevice();
        QVERIFY(tried);
        QCOMPARE(connectDialogs, 0);
        QVERIFY(!closed);
        QVERIFY(prompter.fileDialogFilters.isEmpty());
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Настройки успешно записаны в память прибора"));
        QCOMPARE(emulated.commandsReceived(0xF4), std::size_t(1));
    }

    void theReportOfAReadNamesThePanelAndWhatItTold()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        MainWindow& window = emulated.window;
        {
            PortChoice choice(EmulatedPanel::portName, true);
            window.onLoadFromDevice();
        }
        prompter.fileNames << folder.filePath("report.html");
        prompter.selectedFilters << QStringLiteral("HTML-файлы (*.html *.htm)");
        control<QAction>(window, "exportReport")->trigger();
        QFile report(folder.filePath("report.html"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(report.readAll());
        QVERIFY(html.contains(
            QStringLiteral("<td>Конфигурация:</td><td>Прибор — прочитано 12.05.2025 14:30</td>")));
        QVERIFY(html.contains(QStringLiteral("<td>Версия ПО прибора:</td>")));
        QVERIFY(html.contains(QStringLiteral("<td>Счетчик записей:</td>")));
    }

    void aReadIsUntitledSoCtrlSAsksForAName()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        MainWindow& window = emulated.window;
        window.show();
        prompter.fileNames << folder.filePath("a.xml");
        window.onSaveAs();
        QFile opened(folder.filePath("a.xml"));
        QVERIFY(opened.open(QIODevice::ReadOnly));
        const QByteArray fileA = opened.readAll();
        opened.close();
        {
            PortChoice choice(EmulatedPanel::portName, true);
            window.onLoadFromDevice();
        }
        QVERIFY(window.currentFilePath().isEmpty());
        QVERIFY(window.isModified());
        QCOMPARE(window.windowTitle(), "Прибор — прочитано 12.05.2025 14:30* - " + programTitle);

        prompter.fileNames << folder.filePath("b.xml");
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(prompter.fileDialogFilters.size(), 2); // Ctrl+S opened the save dialog
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QCOMPARE(opened.readAll(), fileA);
        QCOMPARE(window.currentFilePath(), folder.filePath("b.xml"));
        QCOMPARE(window.windowTitle(), "b.xml - " + programTitle);
    }

    void aCancelledReadLeavesTheConfigurationAndEndsAt19200_data()
    {
        QTest::addColumn<bool>("turbo");
        QTest::addColumn<int>("cancelAtPercent");
        QTest::addColumn<int>("speedCommands");
        // Cancelled at identification the speed was never raised; later it is raised and set back.
        QTest::newRow("normal speed, early") << false << 0 << 0;
        QTest::newRow("raised speed, early") << true << 0 << 0;
        QTest::newRow("normal speed, half-way") << false << 50 << 0;
        QTest::newRow("raised speed, half-way") << true << 50 << 2;
    }

    void aCancelledReadLeavesTheConfigurationAndEndsAt19200()
    {
        QFETCH(bool, turbo);
        QFETCH(int, cancelAtPercent);
        QFETCH(int, speedCommands);
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        MainWindow& window = emulated.window;
        window.show();
        // The panel holds something else than the window.
        config_zelmar::Configuration panelContent;
        panelContent.pultAddress = 30;
        window.configuration() = panelContent;
        {
            PortChoice choice(EmulatedPanel::portName, false);
            window.onSaveToDevice();
        }
        window.configuration().pultAddress = 9;
        window.loadFromConfiguration();
        window.setModified(false);
        const config_zelmar::Configuration before = window.configuration();
        emulated.emulated.panel().clearLog();

        int percentAtCancel = -1;
        QTimer pressCancel;
        connect(&pressCancel, &QTimer::timeout, &window, [&] {
            auto* dialog = window.findChild<ProgressDialog*>();
            if (dialog != nullptr && percentAtCancel < 0 && dialog->progressValue() >= cancelAtPercent) {
                percentAtCancel = dialog->progressValue();
                control<QPushButton>(dialog, "cancel")->click();
            }
        });
        pressCancel.start(0);
        {
            PortChoice choice(EmulatedPanel::portName, turbo);
            window.onLoadFromDevice();
        }
        QVERIFY(percentAtCancel >= cancelAtPercent);
        QVERIFY(percentAtCancel < 100);
        QVERIFY(sameContent(window.configuration(), before));
        QCOMPARE(control<QSpinBox>(window, "pultAddress")->value(), 9);
        QVERIFY(!window.isModified());
        QCOMPARE(emulated.emulated.panel().baudRate(), 19200U);
        QCOMPARE(emulated.commandsReceived(0xF5), std::size_t(speedCommands));
        QVERIFY(emulated.commandsReceived(0xF2) < 191); // stopped before the last page
        QCOMPARE(prompter.count(QStringLiteral("critical")), 0);
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("Чтение прервано, конфигурация не изменилась"));
        QVERIFY(window.findChild<ProgressDialog*>() == nullptr);
    }

    void silentPanelFailsTheWrite()
    {
        ScriptedPrompter prompter;
        EmulatedWindow emulated;
        emulated.window.show();
        emulated.emulated.panel().faults().silentCommands = 1000;

        PortChoice choice(EmulatedPanel::portName, false);
        emulated.window.onSaveToDevice();
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().title, errorTitle);
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Нет связи с прибором. Проверьте подключение."));
        QVERIFY(emulated.window.findChild<ProgressDialog*>() == nullptr);
    }
};

QTEST_MAIN(PanelCommandsTest)
#include "PanelCommands_test.moc"
