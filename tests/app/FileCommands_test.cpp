// Open, Save and Save As of the main window: titles, the modified flag, and every failure box.
#include "MainWindow.h"
#include "support/Controls.h"
#include "support/ScriptedPrompter.h"
#include "support/TestWindow.h"

#include "config_zelmar/ConfigurationDocument.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString programTitle = QStringLiteral("Конфигуратор «Зелмар»");
const QString errorTitle = QStringLiteral("Ошибка");

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

// A saved section console with ten devices, cut off in the middle of the sixth.
QByteArray truncatedConfiguration()
{
    config_zelmar::Configuration configuration;
    configuration.pultAddress = 21;
    for (int address = 1; address <= 10; ++address) {
        config_zelmar::Device device;
        device.address = address;
        configuration.sections[0].devices[address] = device;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    config_zelmar::ConfigurationDocument::write(buffer, configuration);
    const QByteArray whole = buffer.data();
    int cut = 0;
    for (int device = 0; device < 6; ++device) {
        cut = whole.indexOf("<device", cut + 1);
    }
    return whole.left(cut + 20);
}

// An empty configuration document with the given children and text before the root element.
QByteArray hostileConfiguration(const QByteArray& children, const QByteArray& prolog = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + prolog +
           "<configuration deviceId=\"Zelmar\" version=\"2\">" + children + "</configuration>\n";
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
        QVERIFY(!window.isModified());
        QVERIFY(save->isEnabled());
        QVERIFY(contentOf(folder.filePath("a.xml")).contains("3"));
        QVERIFY(prompter.boxes.isEmpty());
    }

    void saveAsEndsEveryNameInXml_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("a date in the name")
            << QStringLiteral("Склад 12.05") << QStringLiteral("Склад 12.05.xml");
        QTest::newRow("no suffix") << QStringLiteral("a") << QStringLiteral("a.xml");
        QTest::newRow("another suffix") << QStringLiteral("c.xml.bak") << QStringLiteral("c.xml.bak.xml");
        QTest::newRow("upper case suffix kept") << QStringLiteral("b.XML") << QStringLiteral("b.XML");
        QTest::newRow("suffix kept") << QStringLiteral("d.xml") << QStringLiteral("d.xml");
    }

    void saveAsEndsEveryNameInXml()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        prompter.fileNames << folder.filePath(typed);
        window.onSaveAs();
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{saved});
        QCOMPARE(window.currentFilePath(), folder.filePath(saved));
        QCOMPARE(window.windowTitle(), saved + " - " + programTitle);
        QVERIFY(prompter.boxes.isEmpty());
    }

    void saveAsAsksBeforeReplacingTheCompletedName_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("Да") << int(QMessageBox::Yes) << true;
        QTest::newRow("Нет") << int(QMessageBox::No) << false;
    }

    void saveAsAsksBeforeReplacingTheCompletedName()
    {
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        QTemporaryDir folder;
        writeText(folder.filePath("Склад 12.05.xml"), "older");
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        prompter.answers << QMessageBox::StandardButton(answer);
        prompter.fileNames << folder.filePath("Склад 12.05");
        window.onSaveAs();
        QCOMPARE(prompter.boxes.size(), 1);
        QCOMPARE(prompter.lastBox().text,
                 QStringLiteral("Файл Склад 12.05.xml уже существует. Заменить его?"));
        QCOMPARE(prompter.lastBox().defaultButton, QMessageBox::No);
        QCOMPARE(contentOf(folder.filePath("Склад 12.05.xml")) != "older", replaced);
        QCOMPARE(window.currentFilePath().isEmpty(), !replaced);
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

    void failedOpenKeepsTheConfigurationTheFileAndTheFlag_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("tooLarge");
        QTest::addColumn<bool>("partial");
        QTest::newRow("not XML") << QByteArray("just some words") << false << false;
        QTest::newRow("unrelated notes")
            << QByteArray("<?xml version=\"1.0\"?>\n<notes><note>звонить</note></notes>\n") << false << false;
        QTest::newRow("truncated") << truncatedConfiguration() << false << true;
        QTest::newRow("over 16 MB") << QByteArray(16 * 1024 * 1024 + 1, ' ') << true << false;
        QTest::newRow("just over the size limit")
            << QByteArray(config_zelmar::ConfigurationDocument::maxFileSize + 1, ' ') << true << false;
        QTest::newRow("entity used a million times")
            << hostileConfiguration("<section address=\"0\"><name>" + QByteArray(1000000, '&').replace("&", "&e;") +
                                        "</name></section>",
                                    "<!DOCTYPE configuration [<!ENTITY e \"" + QByteArray(4000, 'x') + "\">]>\n")
            << false << false;
        QByteArray attributes = "<unknown";
        for (int i = 0; i < 120000; ++i) {
            attributes += " a" + QByteArray::number(i) + "=\"\"";
        }
        QTest::newRow("120,000 attributes") << hostileConfiguration(attributes + "/>") << false << false;
        QTest::newRow("text after the root") << hostileConfiguration(QByteArray()) + "trailing" << false << false;
    }

    // The window works on a.xml with an unsaved edit; the damaged file must change none of it, and a
    // later Ctrl+S still goes to a.xml.
    void failedOpenKeepsTheConfigurationTheFileAndTheFlag()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, tooLarge);
        QFETCH(bool, partial);
        QTemporaryDir folder;
        writeText(folder.filePath("bad.xml"), content);
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        prompter.fileNames << folder.filePath("a.xml");
        window.onSaveAs();
        control<QSpinBox>(window, "pultAddress")->setValue(7);
        window.configuration().backlightTime = 99;

        prompter.answers << QMessageBox::Discard << QMessageBox::No;
        prompter.fileNames << folder.filePath("bad.xml");
        window.onOpen();

        QCOMPARE(prompter.count(QStringLiteral("question")), partial ? 2 : 1);
        const ScriptedPrompter::Box& error = prompter.boxes.at(1);
        QCOMPARE(error.kind, QStringLiteral("critical"));
        QCOMPARE(error.title, errorTitle);
        QVERIFY2(error.text.startsWith(QStringLiteral("Не удалось прочитать файл bad.xml.\n")),
                 qPrintable(error.text));
        if (tooLarge) {
            QVERIFY(error.text.endsWith(QStringLiteral("Файл слишком велик.")));
        } else {
            QVERIFY2(error.text.contains(QStringLiteral("(строка ")), qPrintable(error.text));
        }
        if (partial) {
            QCOMPARE(prompter.lastBox().text,
                     QStringLiteral("Открыть прочитанную часть как новую конфигурацию?"));
            QCOMPARE(prompter.lastBox().defaultButton, QMessageBox::No);
        }
        QCOMPARE(window.configuration().backlightTime, 99);
        QCOMPARE(control<QSpinBox>(window, "pultAddress")->value(), 7);
        QCOMPARE(window.currentFilePath(), folder.filePath("a.xml"));
        QCOMPARE(window.windowTitle(), "a.xml* - " + programTitle);
        QVERIFY(window.isModified());

        control<QAction>(window, "save")->trigger();
        QCOMPARE(contentOf(folder.filePath("bad.xml")), content);
        QVERIFY(contentOf(folder.filePath("a.xml")).contains("<pultAddress>7</pultAddress>"));
    }

    void readablePartOpensUntitledAndSaveAsksForAName()
    {
        QTemporaryDir folder;
        writeText(folder.filePath("bad.xml"), truncatedConfiguration());
        ScriptedPrompter prompter;
        MainWindow window(noPorts());
        prompter.answers << QMessageBox::Yes;
        prompter.fileNames << folder.filePath("bad.xml");
        window.onOpen();

        QVERIFY(window.currentFilePath().isEmpty());
        QVERIFY(window.isModified());
        QCOMPARE(window.windowTitle(), "bad.xml — прочитанная часть* - " + programTitle);
        QCOMPARE(window.configuration().pultAddress, 21);
        QCOMPARE(window.configuration().sections.at(0).devices.size(), std::size_t(5));

        prompter.fileNames << folder.filePath("part.xml");
        control<QAction>(window, "save")->trigger();
        QCOMPARE(prompter.fileDialogFilters.size(), 2); // the open dialog, then the save dialog
        QCOMPARE(contentOf(folder.filePath("bad.xml")), truncatedConfiguration());
        QCOMPARE(window.currentFilePath(), folder.filePath("part.xml"));
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
