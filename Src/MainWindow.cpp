#include "MainWindow.h"

#include "AboutDialog.h"
#include "AppSettings.h"
#include "ApplicationResources.h"
#include "BackupsDialog.h"
#include "CommandsPageWidget.h"
#include "ConnectDialog.h"
#include "ConnectionCheckDialog.h"
#include "DevicesPageWidget.h"
#include "DocumentsLocation.h"
#include "EventsPageWidget.h"
#include "OptionControls.h"
#include "ProblemsDialog.h"
#include "ProgressDialog.h"
#include "Prompter.h"
#include "PultsPageWidget.h"
#include "ReportCommands.h"
#include "WriteChangesDialog.h"
#include "ui_MainWindow.h"

#include "config_zelmar/ConfigZelmar.h"
#include "config_zelmar/ConfigurationCheck.h"
#include "config_zelmar/ConfigurationDocument.h"
#include "config_zelmar/ImageStore.h"
#include "config_zelmar/PanelImageCodec.h"
#include "config_zelmar/PlannedChanges.h"
#include "config_zelmar/PortOpenMessage.h"
#include "config_zelmar/ProgramIdentity.h"
#include "config_zelmar/TransferCancelled.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIntValidator>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

enum PageIndex
{
    commonOptionsPage,
    interfacePage,
    pultsPageIndex,
    devicesPageIndex,
    eventsPageIndex,
    commandsPageIndex
};

QString programTitle()
{
    return QString::fromUtf8(config_zelmar::programTitle);
}

QString xmlFilter()
{
    return QObject::tr("XML-файлы (*.xml)");
}

QString errorTitle()
{
    return QObject::tr("Ошибка");
}

// The configuration is kept as *.xml; a name such as "Склад 12.05" gets the suffix as well, or the Open
// dialog would never list the file.
QString withXmlSuffix(const QString& path)
{
    return path.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive) ? path : path + QStringLiteral(".xml");
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : MainWindow(MainWindowOptions(), parent) {}

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), transfer(options.makeTransfer ? options.makeTransfer()
                                                         : std::make_unique<config_zelmar::ConfigZelmar>()),
      portLister(std::move(options.portLister)), connectionCheck(std::move(options.connectionCheck)),
      now(options.now ? std::move(options.now) : [] { return QDateTime::currentDateTime(); }),
      settings(std::make_unique<AppSettings>(options.settingsFile)), form(std::make_unique<Ui::MainWindow>())
{
    initApplicationResources();
    if (!options.dataFolder.empty()) {
        imageStore = std::make_shared<config_zelmar::ImageStore>(options.dataFolder);
        transfer->setImageStore(imageStore);
    }
    createPages();
    form->setupUi(this);
    form->panelBackups->setEnabled(imageStore != nullptr);
    optionControls = std::make_unique<OptionControls>(*form);
    applyInitialPageButtonState();
    insertPages();
    passwordValidator = new QIntValidator(0, 99999999, this);
    form->password->setValidator(passwordValidator);
    updateWindowTitle();
    devicesPage->loadTable();
    eventsPage->loadTable();
    commandsPage->loadTable();
    createReportCommands();
    connectActions();
    connectPageButtons();
    connectPages();
    connectOptionControls();
    updateRecentFilesMenu();
    const QByteArray geometry = settings->windowGeometry();
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::createPages()
{
    pultsPage = std::make_unique<PultsPageWidget>(this, &config);
    eventsPage = std::make_unique<EventsPageWidget>(this, &config);
    devicesPage = std::make_unique<DevicesPageWidget>(this, eventsPage.get(), &config);
    commandsPage = std::make_unique<CommandsPageWidget>(this, &config);
}

void MainWindow::applyInitialPageButtonState()
{
    // The form starts with the section console type.
    form->bSectionPults->hide();
    form->groupClockSync->hide();
    form->groupReset->hide();
    currentPageButton = form->bCommonOptions;
    normalFont = currentPageButton->font();
    boldFont = normalFont;
    boldFont.setWeight(75);
    currentPageButton->setFont(boldFont);
}

void MainWindow::insertPages()
{
    form->stackedWidget->insertWidget(pultsPageIndex, pultsPage.get());
    form->stackedWidget->insertWidget(devicesPageIndex, devicesPage.get());
    form->stackedWidget->insertWidget(eventsPageIndex, eventsPage.get());
    form->stackedWidget->insertWidget(commandsPageIndex, commandsPage.get());
}

void MainWindow::connectActions()
{
    connect(form->loadFromDevice, &QAction::triggered, this, &MainWindow::onLoadFromDevice);
    connect(form->saveToDevice, &QAction::triggered, this, &MainWindow::onSaveToDevice);
    connect(form->newConfiguration, &QAction::triggered, this, &MainWindow::onNew);
    connect(form->checkConfiguration, &QAction::triggered, this, &MainWindow::onCheckConfiguration);
    connect(form->open, &QAction::triggered, this, &MainWindow::onOpen);
    connect(form->save, &QAction::triggered, this, &MainWindow::onSave);
    connect(form->saveAs, &QAction::triggered, this, &MainWindow::onSaveAs);
    connect(form->panelBackups, &QAction::triggered, this, &MainWindow::onPanelBackups);
    connect(form->quit, &QAction::triggered, this, &MainWindow::close);
    connect(form->about, &QAction::triggered, this, &MainWindow::onAbout);
    connect(form->connectionCheck, &QAction::triggered, this, &MainWindow::onConnectionCheck);
    connect(form->printReport, &QAction::triggered, reportCommands, &ReportCommands::onPrint);
    connect(form->exportReport, &QAction::triggered, reportCommands, &ReportCommands::onExportReport);
    connect(form->exportDevicesCsv, &QAction::triggered, reportCommands, &ReportCommands::onExportDevicesCsv);
}

void MainWindow::createReportCommands()
{
    ReportCommands::Source source;
    source.storedConfiguration = [this]() -> const config_zelmar::Configuration& {
        storeToConfiguration();
        return config;
    };
    source.filePath = [this] { return filePath; };
    source.sourceName = [this] { return documentName(); };
    source.clock = [this] { return now(); };
    reportCommands = new ReportCommands(this, form->reportChangesOnly, std::move(source));
}

// The file name, or what the title calls a configuration not saved yet ("Прибор — прочитано …").
QString MainWindow::documentName() const
{
    const QString name = filePath.isEmpty() ? untitledName : fileName;
    return name.isEmpty() ? tr("Новая конфигурация") : name;
}

std::array<MainWindow::PageButton, 6> MainWindow::pageButtons() const
{
    return {{{form->bCommonOptions, commonOptionsPage},
             {form->bInterface, interfacePage},
             {form->bSectionPults, pultsPageIndex},
             {form->bDevices, devicesPageIndex},
             {form->bEventNames, eventsPageIndex},
             {form->bCommands, commandsPageIndex}}};
}

void MainWindow::connectPageButtons()
{
    for (const PageButton& page : pageButtons()) {
        QPushButton* button = page.button;
        connect(button, &QPushButton::clicked, this, [this, button] { showPage(button); });
    }
}

void MainWindow::connectPages()
{
    const auto markModified = qOverload<>(&MainWindow::setModified);
    connect(pultsPage.get(), &PultsPageWidget::modified, this, markModified);
    connect(pultsPage.get(), &PultsPageWidget::reloadDevicesTable, devicesPage.get(),
            &DevicesPageWidget::loadTable);
    connect(pultsPage.get(), &PultsPageWidget::updateDevicesMaxRowCount, devicesPage.get(),
            &DevicesPageWidget::updateMaxRowCount);
    connect(devicesPage.get(), &DevicesPageWidget::modified, this, markModified);
    connect(devicesPage.get(), &DevicesPageWidget::reloadPultsTable, pultsPage.get(),
            &PultsPageWidget::loadTable);
    connect(eventsPage.get(), &EventsPageWidget::modified, this, markModified);
    connect(eventsPage.get(), &EventsPageWidget::reloadDevicesTable, devicesPage.get(),
            &DevicesPageWidget::loadTable);
    connect(commandsPage.get(), &CommandsPageWidget::modified, this, markModified);
}

void MainWindow::connectOptionControls()
{
    const auto markModified = qOverload<>(&MainWindow::setModified);
    const auto indexChanged = qOverload<int>(&QComboBox::currentIndexChanged);
    const auto spinChanged = qOverload<int>(&QSpinBox::valueChanged);
    connect(form->pultType, indexChanged, this, &MainWindow::pultTypeIndexChanged);
    connect(form->pultAddress, spinChanged, this, markModified);
    connect(form->voltage, indexChanged, this, markModified);
    connect(form->backlightLevel, indexChanged, this, markModified);
    connect(form->backlightTime, spinChanged, this, markModified);
    connect(form->messageTime, qOverload<double>(&QDoubleSpinBox::valueChanged), this, markModified);
    connect(form->menuTime, spinChanged, this, markModified);
    connect(form->clockSyncEnabled, &QCheckBox::clicked, this, markModified);
    connect(form->clockSyncHour, indexChanged, this, markModified);
    for (QCheckBox* zummerBox : {form->zummerButton, form->zummerNewEvent, form->zummerFailure,
                                 form->zummerWarning, form->zummerFire, form->zummerRemoteOff}) {
        connect(zummerBox, &QCheckBox::clicked, this, markModified);
    }
    connect(form->setPassword, &QCheckBox::clicked, this, markModified);
    connect(form->password, &QLineEdit::textEdited, this, markModified);
    connect(form->commonReset, &QRadioButton::clicked, this, markModified);
    connect(form->individualReset, &QRadioButton::clicked, this, markModified);
}

// ---- Pages, modified flag, title, closing ----

void MainWindow::showPage(QPushButton* button)
{
    if (button == currentPageButton) {
        return;
    }
    for (const PageButton& page : pageButtons()) {
        if (page.button == button) {
            form->stackedWidget->setCurrentIndex(page.index);
        }
    }
    currentPageButton->setFont(normalFont);
    currentPageButton = button;
    currentPageButton->setFont(boldFont);
}

void MainWindow::onCommonOptionsClicked()
{
    showPage(form->bCommonOptions);
}

void MainWindow::onInterfaceClicked()
{
    showPage(form->bInterface);
}

void MainWindow::onSectionPultsClicked()
{
    showPage(form->bSectionPults);
}

void MainWindow::onDevicesClicked()
{
    showPage(form->bDevices);
}

void MainWindow::onEventNamesClicked()
{
    showPage(form->bEventNames);
}

void MainWindow::onCommandsClicked()
{
    showPage(form->bCommands);
}

void MainWindow::setModified()
{
    setModified(true);
}

// Save stays enabled: without a file it asks for a name, as Save As does.
void MainWindow::setModified(bool value)
{
    modified = value;
    updateWindowTitle();
}

void MainWindow::updateWindowTitle()
{
    const QString name = filePath.isEmpty() ? untitledName : fileName;
    if (name.isEmpty() && !modified) {
        setWindowTitle(programTitle());
        return;
    }
    setWindowTitle(documentName() + (modified ? "*" : "") + " - " + programTitle());
}

bool MainWindow::resolveUnsavedChanges()
{
    if (!modified) {
        return true;
    }
    const auto answer = Prompter::current().question(
        this, programTitle(), tr("Сохранить изменения в конфигурации?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Discard) {
        return true;
    }
    return answer == QMessageBox::Save && saveConfiguration();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (transferRunning() || !resolveUnsavedChanges()) {
        event->ignore();
        return;
    }
    settings->setWindowGeometry(saveGeometry());
    event->accept();
}

void MainWindow::onAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::onConnectionCheck()
{
    if (transferRunning()) {
        return;
    }
    ConnectionCheckDialog dialog(this, portLister, connectionCheck);
    dialog.setPreferredPort(settings->lastPort());
    dialog.exec();
}

// ---- Option pages ----

void MainWindow::loadFromConfiguration()
{
    onCommonOptionsClicked();
    form->pultType->setCurrentIndex(config.pultType() ? 1 : 0);
    updatePultTypeControls();
    optionControls->load(config);
    pultsPage->loadTable();
    devicesPage->loadTable();
    eventsPage->loadTable();
    commandsPage->loadTable();
}

void MainWindow::storeToConfiguration()
{
    config.setPultType(form->pultType->currentIndex() != 0);
    optionControls->store(config);
    if (config.rebuildEventTables()) {
        devicesPage->loadTable();
        eventsPage->loadTable();
    }
}

void MainWindow::updatePultTypeControls()
{
    optionControls->showPultType(config.pultType());
}

void MainWindow::pultTypeIndexChanged(int index)
{
    const bool central = index != 0;
    if (central == config.pultType()) {
        return;
    }
    if (anyTableHasRows()) {
        const bool proceed = Prompter::current().askYesNo(
            this, tr("Тип пульта"),
            tr("При изменении типа пульта будут удалены названия приборов и секционных пультов, а также все "
               "команды. Продолжить?"));
        if (!proceed) {
            form->pultType->setCurrentIndex(config.pultType() ? 1 : 0);
            return;
        }
    }
    config.setPultType(central);
    updatePultTypeControls();
    reloadTablesAfterPultTypeChange();
    setModified(true);
}

bool MainWindow::anyTableHasRows() const
{
    return pultsPage->rowCount() > 0 || devicesPage->rowCount() > 0 || commandsPage->rowCount() > 0;
}

void MainWindow::reloadTablesAfterPultTypeChange()
{
    pultsPage->loadTable();
    devicesPage->loadTable();
    commandsPage->loadTable();
}

// ---- Files ----

void MainWindow::onNew()
{
    if (transferRunning() || !resolveUnsavedChanges()) {
        return;
    }
    takeConfiguration(config_zelmar::Configuration());
    for (QLabel* info : {form->firmwareVersion, form->lastWriteDate, form->writeCounter}) {
        info->setText(QStringLiteral("-"));
    }
    filePath.clear();
    fileName.clear();
    untitledName.clear();
    setModified(false);
    statusBar()->clearMessage();
}

void MainWindow::onOpen()
{
    if (transferRunning() || !resolveUnsavedChanges()) {
        return;
    }
    const QString path = Prompter::current().openFileName(this, QString(), fileDialogFolder(), xmlFilter());
    if (!path.isEmpty()) {
        openFile(path);
    }
}

void MainWindow::openRecentFile(const QString& path)
{
    if (!transferRunning() && resolveUnsavedChanges()) {
        openFile(path);
    }
}

// The file is read into a configuration of its own, which replaces the edited one only when the whole
// file was read: a damaged file can neither destroy the work in the window nor become the file that the
// next Save overwrites.
bool MainWindow::openFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Prompter::current().critical(this, errorTitle(), tr("Невозможно открыть файл для чтения"));
        if (!QFileInfo::exists(path)) {
            settings->removeRecentFile(path);
            updateRecentFilesMenu();
        }
        return false;
    }
    config_zelmar::Configuration candidate;
    const config_zelmar::DocumentReadResult result =
        config_zelmar::ConfigurationDocument::readDocument(file, candidate);
    file.close();
    if (!result.ok()) {
        showUnreadableFile(path, result);
        if (result.partial &&
            Prompter::current().askYesNo(this, programTitle(),
                                         tr("Открыть прочитанную часть как новую конфигурацию?"))) {
            takeConfiguration(std::move(candidate));
            filePath.clear();
            fileName.clear();
            untitledName = tr("%1 — прочитанная часть").arg(QFileInfo(path).fileName());
            setModified(true);
        }
        return false;
    }
    takeConfiguration(std::move(candidate));
    becomeCurrentFile(path);
    return true;
}

void MainWindow::showUnreadableFile(const QString& path, const config_zelmar::DocumentReadResult& result)
{
    Prompter::current().critical(this, errorTitle(),
                                 tr("Не удалось прочитать файл %1.").arg(QFileInfo(path).fileName()) + "\n" +
                                     result.detailedMessage());
}

void MainWindow::takeConfiguration(config_zelmar::Configuration replacement)
{
    problemsDialog.reset(); // its problems are those of the configuration replaced
    config = std::move(replacement);
    loadFromConfiguration();
}

void MainWindow::onSave()
{
    if (!transferRunning()) {
        saveConfiguration();
    }
}

void MainWindow::onSaveAs()
{
    if (!transferRunning()) {
        saveUnderNewName();
    }
}

bool MainWindow::saveConfiguration()
{
    if (filePath.isEmpty()) {
        return saveUnderNewName();
    }
    storeToConfiguration();
    if (!writeFile(filePath)) {
        Prompter::current().critical(this, errorTitle(), tr("Невозможно открыть файл для записи"));
        return false;
    }
    becomeCurrentFile(filePath);
    return true;
}

bool MainWindow::saveUnderNewName()
{
    const QString path =
        confirmedSaveName(Prompter::current().saveFileName(this, QString(), fileDialogFolder(), xmlFilter()));
    if (path.isEmpty()) {
        return false;
    }
    // The chosen file becomes the current file only once it was written, so that a failed Save As
    // leaves Save pointing at the file the title names.
    storeToConfiguration();
    if (!writeFile(path)) {
        Prompter::current().critical(this, errorTitle(), tr("Невозможно открыть файл для записи"));
        return false;
    }
    becomeCurrentFile(path);
    return true;
}

// The chosen name with the ".xml" suffix; empty when the dialog was cancelled or the user does not want
// to replace a file of the completed name (the dialog asked only about the name as typed).
QString MainWindow::confirmedSaveName(const QString& chosen)
{
    if (chosen.isEmpty()) {
        return QString();
    }
    const QString path = withXmlSuffix(chosen);
    if (path != chosen && QFileInfo::exists(path) &&
        !Prompter::current().askYesNo(
            this, programTitle(),
            tr("Файл %1 уже существует. Заменить его?").arg(QFileInfo(path).fileName()))) {
        return QString();
    }
    return path;
}

bool MainWindow::writeFile(const QString& path)
{
    return config_zelmar::ConfigurationDocument::save(path, config);
}

void MainWindow::becomeCurrentFile(const QString& path)
{
    filePath = path;
    fileName = QFileInfo(path).fileName();
    untitledName.clear();
    setModified(false);
    settings->addRecentFile(QFileInfo(path).absoluteFilePath());
    settings->setLastFolder(QFileInfo(path).absolutePath());
    updateRecentFilesMenu();
}

// The folder of the last Open or Save while it exists, else the documents folder.
QString MainWindow::fileDialogFolder() const
{
    const QString folder = settings->lastFolder();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : documentsLocation();
}

void MainWindow::updateRecentFilesMenu()
{
    QMenu* menu = form->menuRecentFiles;
    menu->clear();
    const QStringList files = settings->recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* action =
            menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    menu->setEnabled(!files.isEmpty());
}

// ---- Panel ----

bool MainWindow::askForPort(ConnectDialog::Purpose purpose, ConnectionChoice& choice)
{
    ConnectDialog dialog(this, portLister, connectionCheck, purpose);
    dialog.setPreferredPort(settings->lastPort());
    dialog.setRaisedSpeed(settings->raisedSpeed());
    dialog.setVerifyWrite(settings->verifyWrite());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    choice.portName = dialog.portName();
    choice.raisedSpeed = dialog.raisedSpeed();
    choice.writeOptions = dialog.writeOptions();
    settings->setLastPort(choice.portName);
    settings->setRaisedSpeed(choice.raisedSpeed);
    if (purpose == ConnectDialog::Purpose::Write) {
        settings->setVerifyWrite(choice.writeOptions.verify);
    }
    return true;
}

bool MainWindow::chooseWritePort(QString& portName)
{
    ConnectionChoice choice;
    if (!askForPort(ConnectDialog::Purpose::Write, choice)) {
        return false;
    }
    transfer->setRaisedSpeed(choice.raisedSpeed);
    transfer->setWriteOptions(choice.writeOptions);
    portName = choice.portName;
    return true;
}

bool MainWindow::openPort(const QString& portName)
{
    if (!transfer->open(portName.toStdString())) {
        showOpenFailure(portName);
        return false;
    }
    return true;
}

// The write in two phases: the panel's content is established first (a read when it is not known) and
// the port closed, so that the panel never waits in its loader while the question is on the screen; the
// write then finds the content known and sends only the pages that differ.
void MainWindow::onSaveToDevice()
{
    if (transferRunning()) {
        return;
    }
    storeToConfiguration();
    if (!confirmWriteDespiteProblems()) {
        return;
    }
    QString portName;
    if (!chooseWritePort(portName) || !openPort(portName)) {
        return;
    }
    const std::optional<config_zelmar::PanelImages> content = readPanelContent();
    transfer->close();
    if (!content || !confirmChanges(*content) || !openPort(portName)) {
        return;
    }
    writeToDevice();
    transfer->close();
}

std::optional<config_zelmar::PanelImages> MainWindow::readPanelContent()
{
    progressDialog = std::make_unique<ProgressDialog>(this, true);
    progressDialog->show();
    try {
        config_zelmar::PanelImages content = transfer->establishPanelContent(this);
        progressDialog.reset();
        return content;
    } catch (const std::exception& error) {
        progressDialog.reset();
        showTransferError(error);
        return std::nullopt;
    }
}

bool MainWindow::confirmChanges(const config_zelmar::PanelImages& content)
{
    WriteChangesDialog dialog(this, config_zelmar::plannedChanges(content, config),
                              config_zelmar::checkConfiguration(config));
    return dialog.exec() == QDialog::Accepted;
}

void MainWindow::onLoadFromDevice()
{
    if (transferRunning() || !resolveUnsavedChanges()) {
        return;
    }
    ConnectionChoice choice;
    if (!askForPort(ConnectDialog::Purpose::Read, choice)) {
        return;
    }
    transfer->setRaisedSpeed(choice.raisedSpeed);
    if (!openPort(choice.portName)) {
        return;
    }
    readFromDevice();
    transfer->close();
}

bool MainWindow::runWrite(const std::function<void()>& write, const QString& successMessage)
{
    progressDialog = std::make_unique<ProgressDialog>(this, true);
    progressDialog->show();
    try {
        write();
        progressDialog.reset();
        Prompter::current().information(this, programTitle(), successMessage);
        return true;
    } catch (const std::exception& error) {
        progressDialog.reset();
        showTransferError(error);
        return false;
    }
}

void MainWindow::writeToDevice()
{
    runWrite(
        [this] {
            transfer->writeConfiguration(config, this);
            showConfigurationInfo();
        },
        tr("Настройки успешно записаны в память прибора"));
}

void MainWindow::onPanelBackups()
{
    if (transferRunning() || !imageStore) {
        return;
    }
    BackupsDialog dialog(this, imageStore);
    connect(&dialog, &BackupsDialog::openRequested, this, &MainWindow::openBackup);
    connect(&dialog, &BackupsDialog::restoreRequested, this, &MainWindow::restoreBackup);
    dialog.exec();
}

void MainWindow::openBackup(const config_zelmar::PanelBackup& backup)
{
    if (transferRunning() || !resolveUnsavedChanges()) {
        return;
    }
    config_zelmar::decodeImages(backup.images, config);
    problemsDialog.reset();
    showConfigurationInfo();
    loadFromConfiguration();
    // Untitled, so that Save cannot put the backup into the file opened before.
    filePath.clear();
    fileName.clear();
    untitledName =
        tr("Резервная копия от %1")
            .arg(QDateTime::fromMSecsSinceEpoch(backup.time).toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    setModified(true);
}

void MainWindow::restoreBackup(const config_zelmar::PanelBackup& backup)
{
    QString portName;
    if (transferRunning() || !chooseWritePort(portName) || !openPort(portName)) {
        return;
    }
    runWrite([this, &backup] { transfer->restoreImages(backup.images, this); },
             tr("Резервная копия записана в память прибора"));
    transfer->close();
}

void MainWindow::readFromDevice()
{
    progressDialog = std::make_unique<ProgressDialog>(this, false);
    progressDialog->show();
    try {
        transfer->readConfiguration(config, this);
        problemsDialog.reset();
        showConfigurationInfo();
        loadFromConfiguration();
        // Untitled, so that Save cannot put this panel's configuration into the file opened before.
        filePath.clear();
        fileName.clear();
        untitledName = tr("Прибор — прочитано %1").arg(now().toString(QStringLiteral("dd.MM.yyyy HH:mm")));
        setModified(true);
        statusBar()->showMessage(tr("Настройки успешно загружены из памяти прибора"));
        progressDialog.reset();
    } catch (const config_zelmar::TransferCancelled&) {
        progressDialog.reset();
        statusBar()->showMessage(tr("Чтение прервано, конфигурация не изменилась"));
    } catch (const std::exception& error) {
        progressDialog.reset();
        showTransferError(error);
    }
}

void MainWindow::showTransferError(const std::exception& error)
{
    Prompter::current().critical(this, errorTitle(), QString::fromUtf8(error.what()));
}

// Why the port did not open, with the remedy.
void MainWindow::showOpenFailure(const QString& portName)
{
    const std::string text = config_zelmar::PortOpenMessage::text(
        portName.toStdString(), transfer->lastOpenFailure(), *connectionCheck.environment);
    Prompter::current().critical(this, errorTitle(), QString::fromStdString(text));
}

// ---- Checks of what the panel will hold ----

void MainWindow::onCheckConfiguration()
{
    if (transferRunning()) {
        return;
    }
    storeToConfiguration();
    std::vector<config_zelmar::Problem> problems = config_zelmar::checkConfiguration(config);
    if (problems.empty()) {
        Prompter::current().information(this, tr("Проверка конфигурации"),
                                        tr("Прибор сохранит конфигурацию в точности так, как она задана."));
        return;
    }
    problemsDialog =
        std::make_unique<ProblemsDialog>(this, std::move(problems), ProblemsDialog::Purpose::review);
    connect(problemsDialog.get(), &ProblemsDialog::problemActivated, this, &MainWindow::showObject);
    problemsDialog->show();
}

bool MainWindow::confirmWriteDespiteProblems()
{
    std::vector<config_zelmar::Problem> problems = config_zelmar::checkConfiguration(config);
    if (problems.empty()) {
        return true;
    }
    ProblemsDialog dialog(this, std::move(problems), ProblemsDialog::Purpose::beforeWrite);
    connect(&dialog, &ProblemsDialog::problemActivated, this, &MainWindow::showObject);
    return dialog.exec() == QDialog::Accepted;
}

void MainWindow::showObject(const config_zelmar::Path& path)
{
    if (path.size() < 2) {
        return;
    }
    const std::string& root = path[0].key;
    if (root == "options") {
        showOption(path[1].key);
    } else if (root == "sections" && path.size() >= 4 && path[2].key == "devices") {
        onDevicesClicked();
        devicesPage->selectDevice(path[1].index, path[3].index);
    } else if (root == "sections" && config.pultType()) {
        onSectionPultsClicked();
        pultsPage->selectSection(path[1].index);
    } else if (root == "sections") {
        onCommonOptionsClicked(); // a section console's own section is its general options
    } else if (root == "eventTables") {
        onEventNamesClicked();
        eventsPage->selectTable(path[1].index);
    } else if (root == "commands") {
        onCommandsClicked();
        commandsPage->selectCommand(path[1].index);
    }
}

// The option controls carry the XML keys as their object names; the buzzer's are its bits.
void MainWindow::showOption(const std::string& key)
{
    const QString name = key == "zummerConfig" ? QStringLiteral("zummerButton") : QString::fromStdString(key);
    QWidget* control = form->stackedWidget->findChild<QWidget*>(name);
    const bool onInterfacePage =
        control != nullptr && form->stackedWidget->widget(interfacePage)->isAncestorOf(control);
    if (onInterfacePage) {
        onInterfaceClicked();
    } else {
        onCommonOptionsClicked();
    }
    if (control != nullptr) {
        control->setFocus();
    }
}

bool MainWindow::cancelRequested() const
{
    return progressDialog != nullptr && progressDialog->cancelRequested();
}

void MainWindow::setProgress(float fraction)
{
    if (progressDialog != nullptr) {
        progressDialog->setProgress(fraction);
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void MainWindow::setPhase(config_zelmar::TransferPhase phase)
{
    if (progressDialog != nullptr) {
        progressDialog->setPhase(QString::fromUtf8(config_zelmar::transferPhaseText(phase)));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void MainWindow::showConfigurationInfo()
{
    form->lastWriteDate->setText(QString::fromStdString(config.lastWriteDate));
    form->writeCounter->setText(QString::number(config.writeCounter));
    form->firmwareVersion->setText(QString::fromStdString(config.firmwareVersion));
}
