// Open, Save and Save As of the main window: titles, the modified flag, and every failure box.
#include "MainWindow.h"
#include "support/Controls.h"
#include "support/ScriptedPrompter.h"

#include "config_zelmar/ConfigurationDocument.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString programTitle = QStringLiteral("Конфигуратор «Зелмар»");
const QString errorTitle = QStringLiteral("Ошибка");

MainWindowOptions noPorts()
{
    MainWindowOptions options;
    options.portLister =
        PortLister{[] { return std::vector<std::string>(); }, [] { return std::vector<std::string>(); }};
    return options;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Makes a folder refuse new files, also for a user whom permissions do not stop; false when neither
// way works here.
bool lockFolder(const QString& path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(path + "/probe");
    if (!probe.open(QIODevice::WriteOnly)) {
        return true;
    }
    probe.remove();
    return QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
}

void unlockFolder(const QString& path)
{
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

class FileCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void saveAsTakesTheFileAndCtrlSClearsTheStar()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        prompter.fileNames << folder.filePath("a.xml");
        window.onSaveAs();
        QCOMPARE(prompter.fileDialogFilters, QStringList{QStringLiteral("XML-файлы (*.xml)")});
        QCOMPARE(window.windowTitle(), "a.xml - " + programTitle);
        QVERIFY(contentOf(folder.filePath("a.xml"))
                    .contains("<!-- " + programTitle.toUtf8() + " 2.7.6.1107 -->"));

        control<QSpinBox>(window, "pultAddress")->setValue(3);
        QCOMPARE(window.windowTitle(), "a.xml* - " + programTitle);
        auto* save = control<QAction>(window, "save");
        QVERIFY(save->isEnabled());

        save->trigger();
        QCOMPARE(window.windowTitle(), "a.xml - " + programTitle);
        QVERIFY(!save->isEnabled());
        QVERIFY(contentOf(folder.filePath("a.xml")).contains("3"));
        QVERIFY(prompter.boxes.isEmpty());
    }

    void cancelledSaveAsChangesNothing()
    {
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        control<QSpinBox>(window, "pultAddress")->setValue(3);
        window.onSaveAs();
        QVERIFY(window.currentFilePath().isEmpty());
        QVERIFY(window.isModified());
        QVERIFY(prompter.boxes.isEmpty());
    }

    void fileDialogsStartInTheDocumentsFolderOrElseAtHome()
    {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        window.onOpen(); // no Documents folder: a dialog given a missing folder takes it for a file name
        QVERIFY(QDir(home.path() + "/Documents").mkpath("."));
        window.onSaveAs();
        qputenv("HOME", oldHome);
        oldConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(prompter.fileDialogDirectories,
                 QStringList({QDir(home.path()).path(), QDir(home.path() + "/Documents").path()}));
    }

    void saveIntoMissingFolderReportsAndKeepsTheCurrentFile()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        prompter.fileNames << folder.filePath("a.xml") << folder.filePath("missing/b.xml");
        window.onSaveAs();
        control<QSpinBox>(window, "pultAddress")->setValue(3);

        window.onSaveAs();
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().kind, QStringLiteral("critical"));
        QCOMPARE(prompter.lastBox().title, errorTitle);
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Невозможно открыть файл для записи"));
        QVERIFY(window.isModified());
        QCOMPARE(window.currentFilePath(), folder.filePath("a.xml"));
        QCOMPARE(window.windowTitle(), "a.xml* - " + programTitle);
    }

    void failedSaveLeavesTheOldFileIntact()
    {
        QTemporaryDir folder;
        const QString subfolder = folder.filePath("locked");
        QVERIFY(QDir().mkdir(subfolder));
        const QString path = subfolder + "/a.xml";
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        prompter.fileNames << path;
        window.onSaveAs();
        const QByteArray saved = contentOf(path);
        QVERIFY(!saved.isEmpty());

        control<QSpinBox>(window, "pultAddress")->setValue(9);
        if (!lockFolder(subfolder)) {
            unlockFolder(subfolder);
            QSKIP("cannot make a folder refuse new files here");
        }
        control<QAction>(window, "save")->trigger();
        unlockFolder(subfolder);

        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Невозможно открыть файл для записи"));
        QCOMPARE(contentOf(path), saved);
        QVERIFY(window.isModified());
        QVERIFY(control<QAction>(window, "save")->isEnabled());
    }

    void savedFileOpensWithTheSameOptions()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        control<QSpinBox>(window, "pultAddress")->setValue(12);
        control<QSpinBox>(window, "backlightTime")->setValue(99);
        prompter.fileNames << folder.filePath("options.xml");
        window.onSaveAs();

        MainWindow other(noPorts());
        prompter.fileNames << folder.filePath("options.xml");
        other.onOpen();
        QVERIFY(prompter.boxes.isEmpty());
        QCOMPARE(control<QSpinBox>(other, "pultAddress")->value(), 12);
        QCOMPARE(control<QSpinBox>(other, "backlightTime")->value(), 99);
        QVERIFY(!other.isModified());
        QCOMPARE(other.windowTitle(), "options.xml - " + programTitle);
    }

    void fileThatFailsToParseBecomesCurrentAfterTheControlsWereRefreshed()
    {
        QTemporaryDir folder;
        writeText(folder.filePath("bad.xml"), "<configuration><broken");
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        control<QSpinBox>(window, "pultAddress")->setValue(7);
        prompter.fileNames << folder.filePath("bad.xml");
        window.onOpen();

        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().kind, QStringLiteral("critical"));
        QCOMPARE(prompter.lastBox().title, errorTitle);
        QFile badFile(folder.filePath("bad.xml"));
        QVERIFY(badFile.open(QIODevice::ReadOnly | QIODevice::Text));
        config_zelmar::Configuration parsed;
        const QString readerError = config_zelmar::ConfigurationDocument::read(badFile, parsed);
        QVERIFY(!readerError.isEmpty());
        QCOMPARE(prompter.lastBox().text, readerError);
        QCOMPARE(control<QSpinBox>(window, "pultAddress")->value(), window.configuration().pultAddress);
        QCOMPARE(window.windowTitle(), "bad.xml - " + programTitle);
        QVERIFY(!window.isModified());
    }

    void unreadableFileChangesNothing()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        window.configuration().pultAddress = 5;
        prompter.fileNames << folder.filePath("absent.xml");
        window.onOpen();

        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().title, errorTitle);
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Невозможно открыть файл для чтения"));
        QCOMPARE(window.configuration().pultAddress, 5);
        QCOMPARE(window.windowTitle(), programTitle);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "FileCommands_test.moc"
