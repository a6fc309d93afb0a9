// Every command that replaces the configuration asks first about unsaved edits, and each answer does
// what it says: Сохранить saves (Save As without a file; a cancelled or failed save stops the command),
// Не сохранять goes on, Отмена stops.
#include "MainWindow.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"
#include "support/TestWindow.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString programTitle = QStringLiteral("Конфигуратор «Зелмар»");

// Runs the command; true when it went past the question (a file dialog, the connection dialog, a new
// configuration or a closed window followed).
bool runCommand(const QString& command, MainWindow& window, ScriptedPrompter& prompter, const QString& other)
{
    if (command == "open") {
        prompter.fileNames << other;
        window.onOpen();
        return window.currentFilePath() == other;
    }
    if (command == "read") {
        ModalCloser closer([](QDialog* dialog) { dialog->reject(); });
        window.onLoadFromDevice();
        return closer.appeared();
    }
    if (command == "new") {
        control<QAction>(window, "newConfiguration")->trigger();
        return window.configuration().sections[0].devices.empty();
    }
    return window.close();
}

} // namespace

class UnsavedChangesTest : public QObject
{
    Q_OBJECT

private slots:
    void eachCommandAsksAndEachAnswerDoesWhatItSays_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAsName"); // what the Save As dialog returns; empty: cancelled
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("savedFile");
        struct Case
        {
            const char* name;
            bool hasFile;
            QMessageBox::StandardButton answer;
            const char* saveAsName;
            bool goesOn;
            const char* savedFile;
        };
        const Case cases[] = {
            {"Отмена", true, QMessageBox::Cancel, "", false, ""},
            {"Не сохранять", true, QMessageBox::Discard, "", true, ""},
            {"Сохранить into the file", true, QMessageBox::Save, "", true, "a.xml"},
            {"Сохранить, no file, Save As cancelled", false, QMessageBox::Save, "", false, ""},
            {"Сохранить, no file, Save As named", false, QMessageBox::Save, "new.xml", true, "new.xml"},
            {"Сохранить, no file, Save As fails", false, QMessageBox::Save, "missing/new.xml", false, ""},
        };
        for (const char* command : {"open", "read", "new", "close"}) {
            for (const Case& c : cases) {
                QTest::addRow("%s: %s", command, c.name)
                    << QString::fromLatin1(command) << c.hasFile << int(c.answer)
                    << QString::fromUtf8(c.saveAsName) << c.goesOn << QString::fromLatin1(c.savedFile);
            }
        }
    }

    void eachCommandAsksAndEachAnswerDoesWhatItSays()
    {
        QFETCH(QString, command);
        QFETCH(bool, hasFile);
        QFETCH(int, answer);
        QFETCH(QString, saveAsName);
        QFETCH(bool, goesOn);
        QFETCH(QString, savedFile);
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        window.show();
        prompter.fileNames << folder.filePath("other.xml");
        window.onSaveAs();
        if (hasFile) {
            prompter.fileNames << folder.filePath("a.xml");
            window.onSaveAs();
        } else {
            control<QAction>(window, "newConfiguration")->trigger();
        }
        window.configuration().sections[0].devices[3].address = 3;
        control<QSpinBox>(window, "pultAddress")->setValue(7);
        QVERIFY(window.isModified());
        const QByteArray fileBefore = contentOf(folder.filePath("a.xml"));
        prompter.boxes.clear();

        prompter.answers << QMessageBox::StandardButton(answer);
        if (answer == QMessageBox::Save && !hasFile) {
            prompter.fileNames << (saveAsName.isEmpty() ? QString() : folder.filePath(saveAsName));
        }
        const bool wentOn = runCommand(command, window, prompter, folder.filePath("other.xml"));

        QCOMPARE(prompter.boxes.first().kind, QStringLiteral("question"));
        QCOMPARE(prompter.boxes.first().title, programTitle);
        QCOMPARE(prompter.boxes.first().text, QStringLiteral("Сохранить изменения в конфигурации?"));
        QCOMPARE(prompter.boxes.first().defaultButton, QMessageBox::Save);
        QCOMPARE(wentOn, goesOn);
        if (!savedFile.isEmpty()) {
            QVERIFY(contentOf(folder.filePath(savedFile)).contains("<pultAddress>7</pultAddress>"));
        } else if (hasFile) {
            QCOMPARE(contentOf(folder.filePath("a.xml")), fileBefore);
        }
        if (!goesOn) {
            QVERIFY(window.isModified());
            QCOMPARE(window.configuration().sections[0].devices.size(), std::size_t(1));
            QCOMPARE(control<QSpinBox>(window, "pultAddress")->value(), 7);
        }
    }

    void withoutEditsNoCommandAsks_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"open", "read", "new", "close"}) {
            QTest::newRow(command) << QString::fromLatin1(command);
        }
    }

    void withoutEditsNoCommandAsks()
    {
        QFETCH(QString, command);
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        window.show();
        prompter.fileNames << folder.filePath("other.xml");
        window.onSaveAs();
        QVERIFY(runCommand(command, window, prompter, folder.filePath("other.xml")));
        QCOMPARE(prompter.count(QStringLiteral("question")), 0);
    }

    void newStartsAnUntitledDefaultConfiguration()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        control<QSpinBox>(window, "pultAddress")->setValue(9);
        prompter.fileNames << folder.filePath("a.xml");
        window.onSaveAs();
        window.configuration().sections[0].devices[3].address = 3;

        control<QAction>(window, "newConfiguration")->trigger();
        QVERIFY(window.currentFilePath().isEmpty());
        QVERIFY(!window.isModified());
        QCOMPARE(window.windowTitle(), programTitle);
        QVERIFY(sameContent(window.configuration(), config_zelmar::Configuration()));
        QCOMPARE(control<QSpinBox>(window, "pultAddress")->value(),
                 config_zelmar::Configuration().pultAddress);

        prompter.fileNames << folder.filePath("b.xml");
        control<QAction>(window, "save")->trigger(); // no file: Save acts as Save As
        QCOMPARE(window.currentFilePath(), folder.filePath("b.xml"));
        QVERIFY(contentOf(folder.filePath("a.xml")).contains("<pultAddress>9</pultAddress>"));
    }
};

QTEST_MAIN(UnsavedChangesTest)
#include "UnsavedChanges_test.moc"
