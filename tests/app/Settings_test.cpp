// What the window remembers between runs comes back in a second window on the same settings file: the
// folder of the last file, the last eight files, the port and the raised speed, the geometry.
#include "AppSettings.h"
#include "ConnectDialog.h"
#include "MainWindow.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

MainWindowOptions withPorts(const QString& settingsFile, std::vector<std::string> ports,
                            std::vector<std::string> converters)
{
    MainWindowOptions options;
    options.portLister = PortLister{[ports] { return ports; }, [converters] { return converters; }};
    options.settingsFile = settingsFile;
    return options;
}

// What the next connection dialog offers; it is cancelled after the given choice was made, or accepted.
struct ConnectionSeen
{
    QString selectedPort;
    bool raisedSpeed = false;
};

ConnectionSeen runConnection(MainWindow& window, const QString& choosePort = QString(), int raisedSpeed = -1,
                             bool accept = false)
{
    ConnectionSeen seen;
    ModalCloser closer([&](QDialog* dialog) {
        seen.selectedPort = control<QComboBox>(dialog, "portName")->currentText();
        seen.raisedSpeed = control<QCheckBox>(dialog, "raisedSpeed")->isChecked();
        if (!choosePort.isEmpty()) {
            control<QComboBox>(dialog, "portName")->setCurrentText(choosePort);
        }
        if (raisedSpeed >= 0) {
            control<QCheckBox>(dialog, "raisedSpeed")->setChecked(raisedSpeed == 1);
        }
        accept ? dialog->accept() : dialog->reject();
    });
    window.onSaveToDevice();
    if (!closer.appeared()) {
        qFatal("no connection dialog");
    }
    return seen;
}

QStringList recentMenuTexts(const MainWindow& window)
{
    QStringList texts;
    for (const QAction* action : control<QMenu>(window, "menuRecentFiles")->actions()) {
        texts << action->text();
    }
    return texts;
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void aSecondWindowRestoresWhatTheFirstRemembered()
    {
        QTemporaryDir folder;
        const QString settingsFile = folder.filePath("settings.ini");
        const std::vector<std::string> ports{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"};
        ScriptedPrompter prompter;
        QRect geometry;
        {
            MainWindow first(withPorts(settingsFile, ports, {"/dev/ttyUSB0"}));
            first.show();
            QCOMPARE(recentMenuTexts(first), QStringList());
            QVERIFY(!control<QMenu>(first, "menuRecentFiles")->isEnabled());
            for (int i = 1; i <= 9; ++i) {
                prompter.fileNames << folder.filePath(QStringLiteral("site%1.xml").arg(i));
                first.onSaveAs();
            }
            const ConnectionSeen fresh = runConnection(first, QStringLiteral("/dev/ttyUSB1"), 0, true);
            QCOMPARE(fresh.selectedPort, QStringLiteral("/dev/ttyUSB0")); // the converter, as before
            QVERIFY(fresh.raisedSpeed);
            first.setGeometry(40, 50, 900, 600);
            geometry = first.geometry();
            QVERIFY(first.close());
        }
        MainWindow second(withPorts(settingsFile, ports, {"/dev/ttyUSB0"}));
        QCOMPARE(second.geometry(), geometry);
        const QStringList recent = recentMenuTexts(second);
        QCOMPARE(recent.size(), AppSettings::maxRecentFiles);
        QCOMPARE(recent.first(), "&1 " + folder.filePath("site9.xml"));
        QCOMPARE(recent.last(), "&8 " + folder.filePath("site2.xml"));
        const ConnectionSeen restored = runConnection(second);
        QCOMPARE(restored.selectedPort, QStringLiteral("/dev/ttyUSB1"));
        QVERIFY(!restored.raisedSpeed);

        prompter.fileNames << QString();
        second.onOpen();
        QCOMPARE(prompter.fileDialogDirectories.last(), QDir(folder.path()).absolutePath());
    }

    void aRecentFileOpensAndAMissingOneLeavesTheList()
    {
        QTemporaryDir folder;
        const QString settingsFile = folder.filePath("settings.ini");
        ScriptedPrompter prompter;
        MainWindow window(withPorts(settingsFile, {}, {}));
        prompter.fileNames << folder.filePath("kept.xml") << folder.filePath("gone.xml");
        control<QSpinBox>(window, "pultAddress")->setValue(12);
        window.onSaveAs();
        control<QSpinBox>(window, "pultAddress")->setValue(3);
        window.onSaveAs();
        QVERIFY(QFile::remove(folder.filePath("gone.xml")));

        QList<QAction*> actions = control<QMenu>(window, "menuRecentFiles")->actions();
        actions.at(1)->trigger(); // kept.xml
        QCOMPARE(window.currentFilePath(), folder.filePath("kept.xml"));
        QCOMPARE(control<QSpinBox>(window, "pultAddress")->value(), 12);
        QCOMPARE(recentMenuTexts(window).first(), "&1 " + folder.filePath("kept.xml"));

        control<QMenu>(window, "menuRecentFiles")->actions().at(1)->trigger(); // gone.xml
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Невозможно открыть файл для чтения"));
        QCOMPARE(window.currentFilePath(), folder.filePath("kept.xml"));
        QCOMPARE(recentMenuTexts(window), QStringList{"&1 " + folder.filePath("kept.xml")});
    }

    void aPortThatIsGoneLeavesTheConverterSelected()
    {
        QTemporaryDir folder;
        const QString settingsFile = folder.filePath("settings.ini");
        AppSettings(settingsFile).setLastPort(QStringLiteral("/dev/ttyUSB7"));
        ScriptedPrompter prompter;
        MainWindow window(withPorts(settingsFile, {"/dev/ttyS0", "/dev/ttyUSB0"}, {"/dev/ttyUSB0"}));
        QCOMPARE(runConnection(window).selectedPort, QStringLiteral("/dev/ttyUSB0"));
    }
};

QTEST_MAIN(SettingsTest)
#include "Settings_test.moc"
