// Shows the main window with each of its six pages, the connection, About and progress dialogs, the
// edit dialogs of the table pages (filled with a sample site), the problems list (for review and before
// a write, with errors and with warnings only), the error boxes of files the reader refuses, the questions
// that protect unsaved work, the devices filter and the recent files menu, the connection dialog with a
// described converter and the connection check (passing, with hints, failing), the dialogs of a safe
// write (its connection dialog, its first phase, the change list, the backups), the print preview of the
// report and the Файл and Справка menus in turn, and saves a PNG of each into the folder given on the
// command line. Settings go to a scratch file, never to the user's.
#include "AboutDialog.h"
#include "AppSettings.h"
#include "ApplicationTranslation.h"
#include "BackupsDialog.h"
#include "ConnectDialog.h"
#include "ConnectionCheckDialog.h"
#include "DeviceCommandEditDialog.h"
#include "DeviceEditDialog.h"
#include "EmulatedPanel.h"
#include "EmulatedPortEnvironment.h"
#include "EventTableEditDialog.h"
#include "MainWindow.h"
#include "ProblemsDialog.h"
#include "ProgressDialog.h"
#include "PultChecker.h"
#include "PultCommandEditDialog.h"
#include "PultEditDialog.h"
#include "WidgetPrompter.h"
#include "WriteChangesDialog.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/ConfigurationCheck.h>
#include <config_zelmar/ConfigurationDocument.h>
#include <config_zelmar/ImageStore.h>
#include <config_zelmar/PlannedChanges.h>
#include <sample_sites/SampleSites.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

namespace {

bool settle(QWidget& widget)
{
    widget.show();
    widget.raise();
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return widget.isVisible();
}

bool save(QWidget& widget, const QDir& folder, const QString& name)
{
    if (!settle(widget)) {
        std::fprintf(stderr, "%s did not appear\n", qPrintable(name));
        return false;
    }
    const QString path = folder.filePath(name + ".png");
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool savePages(MainWindow& window, const QDir& folder)
{
    const char* buttons[] = {"bCommonOptions", "bInterface",  "bSectionPults",
                             "bDevices",       "bEventNames", "bCommands"};
    const char* names[] = {"1-common-options", "2-interface",   "3-section-pults",
                           "4-devices",        "5-event-names", "6-commands"};
    bool ok = true;
    for (int page = 0; page < 6; ++page) {
        auto* button = window.findChild<QPushButton*>(QString::fromLatin1(buttons[page]));
        if (button == nullptr) {
            std::fprintf(stderr, "no page button %s\n", buttons[page]);
            return false;
        }
        button->click();
        ok = save(window, folder, QString::fromLatin1(names[page])) && ok;
    }
    return ok;
}

// A configuration as a technician would have it before naming anything: an own event table.
config_zelmar::Configuration sampleConfiguration(bool central)
{
    config_zelmar::Configuration configuration;
    configuration.setPultType(central);
    configuration.appendEventTable(sample_sites::storeTable());
    return configuration;
}

// The print preview of the sample site's report, as Файл → Печать… shows it.
bool savePrintPreview(MainWindow& window, const QDir& folder)
{
    bool ok = false;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (preview == nullptr) {
            std::fprintf(stderr, "the print preview did not appear\n");
            return;
        }
        preview->resize(1200, 760);
        ok = save(*preview, folder, QStringLiteral("35-print-preview"));
        preview->reject();
    });
    window.findChild<QAction*>(QStringLiteral("printReport"))->trigger();
    return ok;
}

bool saveEditDialogs(QWidget& window, const QDir& folder)
{
    bool ok = true;
    const config_zelmar::Configuration central = sampleConfiguration(true);
    const config_zelmar::Configuration section = sampleConfiguration(false);

    config_zelmar::Section pult;
    pult.address = 7;
    pult.group = 3;
    pult.dubler = true;
    pult.name = u"Корпус Б, 2 этаж";
    pult.dublerName = u"Пост охраны корп. Б";
    PultChecker checker(&central, 7);
    PultEditDialog pultDialog(&window, &pult, &checker);
    pultDialog.loadData();
    ok = save(pultDialog, folder, QStringLiteral("10-pult-dialog")) && ok;
    pultDialog.hide();

    DeviceEditDialog centralDevice(&window, &central, nullptr);
    centralDevice.loadDevice(sample_sites::namedDevice(), 7);
    ok = save(centralDevice, folder, QStringLiteral("11-device-dialog-central")) && ok;
    centralDevice.hide();
    DeviceEditDialog sectionDevice(&window, &section, nullptr);
    sectionDevice.loadDevice(sample_sites::namedDevice(), 0);
    ok = save(sectionDevice, folder, QStringLiteral("12-device-dialog-section")) && ok;
    sectionDevice.hide();
    DeviceEditDialog newDevice(&window, &central, nullptr);
    newDevice.preset(2, 5);
    ok = save(newDevice, folder, QStringLiteral("13-device-dialog-central-new")) && ok;
    newDevice.hide();

    EventTableEditDialog tableDialog(&window, &central, false, true);
    tableDialog.loadData(central.eventTables.at(1));
    ok = save(tableDialog, folder, QStringLiteral("14-event-table-dialog")) && ok;
    tableDialog.hide();

    config_zelmar::Command pultCommand(true);
    pultCommand.name = u"Сброс корпуса Б";
    pultCommand.setConsoleAddress(7);
    pultCommand.setConsoleReset(true);
    pultCommand.setGroupCommand(5, true);
    pultCommand.setDeviceAddress(17);
    pultCommand.setLoopOff(1, true);
    pultCommand.setOutputOn(2, true);
    PultCommandEditDialog pultCommandDialog(&window, &central, true);
    pultCommandDialog.loadData(pultCommand, false);
    ok = save(pultCommandDialog, folder, QStringLiteral("15-pult-command-dialog")) && ok;
    pultCommandDialog.hide();

    config_zelmar::Command deviceCommand(false);
    deviceCommand.name = u"Отключить сирены";
    deviceCommand.setDeviceAddress(0);
    deviceCommand.setAlarmCancel(true);
    deviceCommand.setGroupCommand(0, true);
    deviceCommand.setOutputOff(1, true);
    DeviceCommandEditDialog deviceCommandDialog(&window, &section, true);
    deviceCommandDialog.loadData(deviceCommand, true);
    ok = save(deviceCommandDialog, folder, QStringLiteral("16-device-command-dialog")) && ok;
    deviceCommandDialog.hide();

    // Texts the display cannot show all of: look-alike letters, a sign and an emoji.
    DeviceEditDialog displayDevice(&window, &section, nullptr);
    displayDevice.loadDevice(sample_sites::namedDevice(), 0);
    displayDevice.findChild<QLineEdit*>(QStringLiteral("deviceName"))
        ->setText(QStringLiteral("Склад № 2 \U0001F525"));
    displayDevice.findChild<QLineEdit*>(QStringLiteral("loop1Name"))->setText(QStringLiteral("Котёл 5 €"));
    ok = save(displayDevice, folder, QStringLiteral("20-device-dialog-display")) && ok;
    displayDevice.hide();
    return ok;
}

bool saveQuestions(QWidget& window, const QDir& folder)
{
    const QString title = QStringLiteral("Конфигуратор «Зелмар»");
    const struct
    {
        const char* name;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    } questions[] = {
        {"21-unsaved-question", title, QStringLiteral("Сохранить изменения в конфигурации?"),
         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save},
        {"22-partial-open-question", title,
         QStringLiteral("Открыть прочитанную часть как новую конфигурацию?"),
         QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
        {"23-display-question", QStringLiteral("Экран прибора"),
         QStringLiteral(
             "Экран прибора не может показать символы: № \U0001F525 €. Вместо каждого из них он покажет "
             "точку.\nСохранить текст так?"),
         QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
    };
    bool ok = true;
    for (const auto& question : questions) {
        const auto box = WidgetPrompter::questionBox(&window, question.title, question.text, question.buttons,
                                                     question.defaultButton);
        ok = save(*box, folder, QString::fromLatin1(question.name)) && ok;
        box->hide();
    }
    QMessageBox error(
        QMessageBox::Critical, QStringLiteral("Ошибка"),
        QStringLiteral("Не удалось прочитать файл объект.xml.\nPremature end of document.\n(строка 120, "
                       "столбец 9)"),
        QMessageBox::Ok, &window);
    ok = save(error, folder, QStringLiteral("24-open-error")) && ok;
    error.hide();
    return ok;
}

bool saveDevicesFilterAndRecentFiles(MainWindow& window, const QDir& folder)
{
    window.findChild<QPushButton*>(QStringLiteral("bDevices"))->click();
    auto* filter = window.findChild<QLineEdit*>(QStringLiteral("filter"));
    filter->setText(QStringLiteral("котел"));
    bool ok = save(window, folder, QStringLiteral("25-devices-filter"));
    filter->clear();
    auto* recent = window.findChild<QMenu*>(QStringLiteral("menuRecentFiles"));
    recent->popup(window.mapToGlobal(QPoint(40, 40)));
    ok = save(*recent, folder, QStringLiteral("26-recent-files")) && ok;
    recent->hide();
    return ok;
}

// The sample site with what a technician typically gets wrong: a name with characters the display
// lacks, a name too long, a device that the pool cannot hold without names, a command to a missing console.
config_zelmar::Configuration siteWithProblems()
{
    config_zelmar::Configuration configuration = sample_sites::sampleSite();
    auto& section = configuration.sections.begin()->second;
    auto& device = section.devices.begin()->second;
    device.names->deviceName = u"Серверная 🔥🚒";
    device.names->loop1Name = u"Датчики дыма в коридоре";
    section.devices[120].address = 120; // no names: a central console does not keep it
    config_zelmar::Command command(true);
    command.name = u"Сброс поста";
    command.setConsoleAddress(23);
    configuration.commands.push_back(command);
    return configuration;
}

bool saveProblemsDialogs(QWidget& window, const QDir& folder)
{
    const config_zelmar::Configuration site = siteWithProblems();
    std::vector<config_zelmar::Problem> problems = config_zelmar::checkConfiguration(site);
    ProblemsDialog review(&window, problems, ProblemsDialog::Purpose::review);
    bool ok = save(review, folder, QStringLiteral("17-problems-review"));
    review.hide();
    ProblemsDialog beforeWrite(&window, problems, ProblemsDialog::Purpose::beforeWrite);
    ok = save(beforeWrite, folder, QStringLiteral("18-problems-before-write")) && ok;
    beforeWrite.hide();
    std::vector<config_zelmar::Problem> warnings;
    for (const config_zelmar::Problem& problem : problems) {
        if (problem.severity == config_zelmar::Problem::Severity::warning) {
            warnings.push_back(problem);
        }
    }
    ProblemsDialog warningsOnly(&window, warnings, ProblemsDialog::Purpose::beforeWrite);
    ok = save(warningsOnly, folder, QStringLiteral("19-problems-warnings-before-write")) && ok;
    warningsOnly.hide();
    return ok;
}

config_zelmar::PanelImages panelContent(EmulatedPanel& emulated)
{
    return config_zelmar::PanelImages{emulated.panel().memory(1).bytes(), emulated.panel().memory(0).bytes()};
}

// The connection dialog of a write, the progress of its first phase, the change list with and without
// changes, and the backups of two writes.
bool saveWriteDialogs(MainWindow& window, EmulatedPanel& emulated, const PortLister& ports,
                      const std::string& dataFolder, const QDir& folder)
{
    ConnectDialog connectDialog(&window, ports, ConnectionCheckSetup::system(),
                                ConnectDialog::Purpose::Write);
    bool ok = save(connectDialog, folder, QStringLiteral("40-connect-dialog-write"));
    connectDialog.hide();
    ProgressDialog progressDialog(&window, true);
    progressDialog.setPhase(
        QString::fromUtf8(config_zelmar::transferPhaseText(config_zelmar::TransferPhase::ReadingPanel)));
    progressDialog.setProgress(0.3f);
    ok = save(progressDialog, folder, QStringLiteral("41-progress-reading-panel")) && ok;
    progressDialog.hide();

    const config_zelmar::PanelImages factory = panelContent(emulated);
    WriteChangesDialog changes(&window, config_zelmar::plannedChanges(factory, window.configuration()),
                               config_zelmar::checkConfiguration(siteWithProblems()));
    ok = save(changes, folder, QStringLiteral("42-write-changes")) && ok;
    changes.hide();
    WriteChangesDialog unchanged(&window, {}, {});
    ok = save(unchanged, folder, QStringLiteral("43-write-no-changes")) && ok;
    unchanged.hide();

    auto store = std::make_shared<config_zelmar::ImageStore>(dataFolder);
    store->addBackup(factory);
    store->addBackup(config_zelmar::encodeImages(window.configuration(), factory));
    BackupsDialog backups(&window, store);
    ok = save(backups, folder, QStringLiteral("44-backups-dialog")) && ok;
    backups.hide();
    return ok;
}

// The error box of Open, with the text the reader gives for each kind of file it refuses before parsing.
bool saveRefusedFileBoxes(QWidget& window, const QDir& folder)
{
    QByteArray attributes = "<unknown";
    for (int i = 0; i < 40; ++i) {
        attributes += " a" + QByteArray::number(i) + "=\"\"";
    }
    const QByteArray start = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const QByteArray root = "<configuration deviceId=\"Zelmar\" version=\"2\">\n";
    const std::pair<QByteArray, QString> files[] = {
        {start + "<!DOCTYPE configuration [<!ENTITY e \"x\">]>\n" + root + "</configuration>\n",
         QStringLiteral("27-open-refused-doctype")},
        {start + root + attributes + "/>\n</configuration>\n", QStringLiteral("28-open-refused-attributes")},
        {"<?xml version=\"1.0\" encoding=\"x-unknown\"?>\n" + root + "</configuration>\n",
         QStringLiteral("29-open-refused-encoding")},
    };
    bool ok = true;
    for (const auto& [content, name] : files) {
        QByteArray bytes = content;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        config_zelmar::Configuration configuration;
        const config_zelmar::DocumentReadResult result =
            config_zelmar::ConfigurationDocument::readDocument(buffer, configuration);
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Ошибка"), result.detailedMessage(),
                        QMessageBox::Ok, &window);
        ok = save(box, folder, name) && ok;
        box.hide();
    }
    return ok;
}

const rs485::PortDescription sampleConverter{
    "/dev/ttyUSB0",
    "FT232R USB UART",
    "FTDI",
    "A50285BI",
    "0403",
    "6001",
    "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"};

// A machine with a legacy port, an FTDI converter and the emulated panel.
PortLister sampleConverterPorts(const PortLister& emulated)
{
    const PortLister::List emulatedPorts = emulated.serialPorts;
    return PortLister{[emulatedPorts] {
                          std::vector<std::string> ports = emulatedPorts();
                          ports.erase(ports.begin() + 1, ports.end());
                          ports.push_back("/dev/ttyS0");
                          ports.push_back(sampleConverter.path);
                          return ports;
                      },
                      [] { return std::vector<std::string>{sampleConverter.path}; },
                      [] { return std::vector<rs485::PortDescription>{sampleConverter}; }};
}

// The emulated panel's port as an FTDI converter whose latency timer stayed at 16 ms, on a machine where
// ModemManager runs: the check then shows its hints.
class HintingEnvironment : public EmulatedPortEnvironment
{
public:
    using EmulatedPortEnvironment::EmulatedPortEnvironment;

    std::optional<rs485::PortDescription> description(const std::string& port) const override
    {
        rs485::PortDescription converter = sampleConverter;
        converter.path = port;
        return converter;
    }
    std::optional<int> latencyTimer(const std::string&) const override { return 16; }
    bool modemManagerRunning() const override { return true; }
};

// One menu of the menu bar opened below its title.
bool saveMenu(QWidget& window, const char* menuName, const QPoint& where, const QDir& folder, const QString& name)
{
    auto* menu = window.findChild<QMenu*>(QString::fromLatin1(menuName));
    if (menu == nullptr) {
        std::fprintf(stderr, "no menu %s\n", menuName);
        return false;
    }
    // A popup closes again when the window system moves the focus just then (a dialog closing before
    // it): open it anew a few times before giving up.
    for (int attempt = 0; attempt < 5 && !menu->isVisible(); ++attempt) {
        menu->popup(window.mapToGlobal(where));
        settle(*menu);
    }
    const bool ok = save(*menu, folder, name);
    menu->hide();
    return ok;
}

bool saveConnectionDialogs(QWidget& window, const MainWindowOptions& options, const QDir& folder)
{
    bool ok = true;
    const PortLister ports = sampleConverterPorts(options.portLister);
    ConnectDialog converterDialog(&window, ports, options.connectionCheck);
    ok = save(converterDialog, folder, QStringLiteral("30-connect-dialog-converter")) && ok;
    converterDialog.hide();

    const QString emulator = QString::fromUtf8(EmulatedPanel::portName);
    ConnectionCheckDialog passing(&window, ports, options.connectionCheck, emulator);
    ok = save(passing, folder, QStringLiteral("31-connection-check")) && ok;
    passing.hide();

    ConnectionCheckSetup hinting = options.connectionCheck;
    hinting.environment =
        std::make_shared<HintingEnvironment>(EmulatedPanel::portName, options.connectionCheck.environment);
    ConnectionCheckDialog hints(&window, ports, hinting, emulator);
    ok = save(hints, folder, QStringLiteral("32-connection-check-hints")) && ok;
    hints.hide();

    ConnectionCheckDialog failing(&window, ports, options.connectionCheck, QStringLiteral("/dev/ttyUSB7"));
    ok = save(failing, folder, QStringLiteral("33-connection-check-missing-port")) && ok;
    failing.hide();
    return saveMenu(window, "menuHelp", QPoint(40, 20), folder, QStringLiteral("34-help-menu")) && ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zelmar-screenshots OUTDIR\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    QTranslator translator;
    installQtTranslation(translator, QCoreApplication::applicationDirPath());

    QTemporaryDir scratch;
    const QString settingsFile = scratch.filePath(QStringLiteral("settings.ini"));
    {
        AppSettings settings(settingsFile);
        for (const char* site : {"Склад 12.05.xml", "Администрация.xml", "Корпус Б.xml"}) {
            settings.addRecentFile(
                QDir::home().filePath(QStringLiteral("Объекты/") + QString::fromUtf8(site)));
        }
    }
    EmulatedPanel emulatedPanel;
    MainWindowOptions options = emulatedPanel.attachTo(MainWindowOptions());
    options.settingsFile = settingsFile;
    const MainWindowOptions dialogOptions = options;
    const PortLister ports = options.portLister;
    const std::string dataFolder = options.dataFolder;
    MainWindow window(std::move(options));
    // The central console shows every page button and option group.
    window.configuration() = sample_sites::sampleSite();
    window.loadFromConfiguration();

    bool ok = savePages(window, folder);
    ConnectDialog connectDialog(&window, ports);
    ok = save(connectDialog, folder, QStringLiteral("7-connect-dialog")) && ok;
    connectDialog.hide();
    AboutDialog aboutDialog(&window);
    ok = save(aboutDialog, folder, QStringLiteral("8-about-dialog")) && ok;
    aboutDialog.hide();
    qint64 now = 0;
    ProgressDialog progressDialog(&window, false, [&now] { return now; });
    now = 11000;
    progressDialog.setProgress(0.42f);
    ok = save(progressDialog, folder, QStringLiteral("9-progress-dialog")) && ok;
    progressDialog.hide();
    ProgressDialog writeProgress(&window, true, [&now] { return now; });
    now = 11000 + 95000;
    writeProgress.setProgress(0.42f);
    ok = save(writeProgress, folder, QStringLiteral("9b-progress-dialog-write")) && ok;
    writeProgress.hide();
    ok = saveEditDialogs(window, folder) && ok;
    ok = saveProblemsDialogs(window, folder) && ok;
    ok = saveWriteDialogs(window, emulatedPanel, ports, dataFolder, folder) && ok;
    ok = saveRefusedFileBoxes(window, folder) && ok;
    ok = saveQuestions(window, folder) && ok;
    ok = saveDevicesFilterAndRecentFiles(window, folder) && ok;
    ok = saveConnectionDialogs(window, dialogOptions, folder) && ok;
    ok = savePrintPreview(window, folder) && ok;
    ok = saveMenu(window, "menuFile", QPoint(0, 0), folder, QStringLiteral("36-file-menu")) && ok;
    return ok ? 0 : 1;
}
