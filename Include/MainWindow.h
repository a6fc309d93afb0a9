#pragma once

#include "ConnectDialog.h"
#include "MainWindowOptions.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/PanelImageCodec.h"
#include "config_zelmar/PathStep.h"
#include "config_zelmar/ProgressHandler.h"

#include <QFont>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class MainWindow;
}
namespace config_zelmar {
class ConfigZelmar;
class ImageStore;
struct PanelBackup;
struct DocumentReadResult;
} // namespace config_zelmar

class AppSettings;
class CommandsPageWidget;
class DevicesPageWidget;
class EventsPageWidget;
class OptionControls;
class ProblemsDialog;
class ProgressDialog;
class PultsPageWidget;
class QIntValidator;
class QPushButton;
class ReportCommands;

// The configurator's one window: menu, tool bar, six page buttons over a stack of pages, the edited
// configuration with its modified flag, and the file and panel commands. Receives the progress of panel
// transfers and forwards it to the progress dialog.
class MainWindow : public QMainWindow, public config_zelmar::ProgressHandler
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The configuration every page and dialog edits.
    config_zelmar::Configuration& configuration() { return config; }
    bool isModified() const { return modified; }
    QString currentFilePath() const { return filePath; }

    // Before a command replaces the configuration: with unsaved edits, asks whether to save them. True
    // when the command may go on (nothing modified, saved, or "Не сохранять"); false on "Отмена" or when
    // the save was cancelled or failed.
    bool resolveUnsavedChanges();
    // Opens a configuration file; a file that cannot be read leaves the configuration, the file and the
    // modified flag as they were. True when the file became the current one.
    bool openFile(const QString& path);

    // Forwards a transfer's progress to the progress dialog and keeps the windows painted.
    void setProgress(float fraction) override;
    void setPhase(config_zelmar::TransferPhase phase) override;
    // The progress dialog's "Прервать" during a read.
    bool cancelRequested() const override;

    void loadFromConfiguration();
    void storeToConfiguration();
    void updatePultTypeControls();
    void showConfigurationInfo();
    // Switches to the page of the configuration object at the path (of a difference or a problem) and
    // selects it there.
    void showObject(const config_zelmar::Path& path);

public slots:
    void onNew();
    void onLoadFromDevice();
    void onSaveToDevice();
    void onCheckConfiguration();
    void onOpen();
    void onSave();
    void onSaveAs();
    void onPanelBackups();
    // Decodes the backup into the window as a new configuration without a file.
    void openBackup(const config_zelmar::PanelBackup& backup);
    // Writes the backup's images back into a panel.
    void restoreBackup(const config_zelmar::PanelBackup& backup);
    void onAbout();
    void onConnectionCheck();
    void onCommonOptionsClicked();
    void onInterfaceClicked();
    void onSectionPultsClicked();
    void onDevicesClicked();
    void onEventNamesClicked();
    void onCommandsClicked();
    void pultTypeIndexChanged(int index);
    void setModified(bool value);
    void setModified();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createPages();
    void applyInitialPageButtonState();
    void insertPages();
    void connectActions();
    void createReportCommands();
    QString documentName() const;
    void connectPageButtons();
    void connectPages();
    void connectOptionControls();

    struct PageButton
    {
        QPushButton* button;
        int index;
    };
    std::array<PageButton, 6> pageButtons() const;
    void showPage(QPushButton* button);
    void updateWindowTitle();
    void reloadTablesAfterPultTypeChange();
    bool anyTableHasRows() const;

    void takeConfiguration(config_zelmar::Configuration replacement);
    void showUnreadableFile(const QString& path, const config_zelmar::DocumentReadResult& result);
    bool saveConfiguration();
    bool saveUnderNewName();
    QString confirmedSaveName(const QString& chosen);
    bool writeFile(const QString& path);
    void becomeCurrentFile(const QString& path);
    QString fileDialogFolder() const;
    void updateRecentFilesMenu();
    void openRecentFile(const QString& path);
    // What the connection dialog was answered with.
    struct ConnectionChoice
    {
        QString portName;
        bool raisedSpeed = false;
        config_zelmar::WriteOptions writeOptions;
    };
    bool askForPort(ConnectDialog::Purpose purpose, ConnectionChoice& choice);
    // Asks for the port of a write and takes the dialog's choices over for it.
    bool chooseWritePort(QString& portName);
    // Opens the port; a failure is reported in a box.
    bool openPort(const QString& portName);
    // The panel's content as a write begins, under the progress dialog; empty (reported) on failure.
    std::optional<config_zelmar::PanelImages> readPanelContent();
    // Shows what writing the configuration into a panel holding the content changes; true to write.
    bool confirmChanges(const config_zelmar::PanelImages& content);
    // A transfer processes window events with every page; the progress dialog blocks input, and the
    // commands refuse to start anyway while one runs, so nothing changes the configuration under it.
    bool transferRunning() const { return progressDialog != nullptr; }
    void writeToDevice();
    // Runs a write into the panel under the progress dialog; the success or the error is shown in a box.
    bool runWrite(const std::function<void()>& write, const QString& successMessage);
    void readFromDevice();
    void showTransferError(const std::exception& error);
    void showOpenFailure(const QString& portName);
    // The problems of the configuration before a write; true when the write may go on.
    bool confirmWriteDespiteProblems();
    void showOption(const std::string& key);

    // The configuration and the transfer come first so that the pages, which point at the
    // configuration, are destroyed before it.
    config_zelmar::Configuration config;
    std::unique_ptr<config_zelmar::ConfigZelmar> transfer;
    std::shared_ptr<config_zelmar::ImageStore> imageStore;
    PortLister portLister;
    ConnectionCheckSetup connectionCheck;
    std::function<QDateTime()> now;
    std::unique_ptr<AppSettings> settings;

    std::unique_ptr<Ui::MainWindow> form;
    std::unique_ptr<OptionControls> optionControls;
    QIntValidator* passwordValidator = nullptr;
    std::unique_ptr<ProgressDialog> progressDialog;
    std::unique_ptr<ProblemsDialog> problemsDialog;
    std::unique_ptr<PultsPageWidget> pultsPage;
    std::unique_ptr<EventsPageWidget> eventsPage;
    std::unique_ptr<DevicesPageWidget> devicesPage;
    std::unique_ptr<CommandsPageWidget> commandsPage;
    ReportCommands* reportCommands = nullptr;
    QPushButton* currentPageButton = nullptr;
    QFont normalFont;
    QFont boldFont;
    QString filePath;
    QString fileName;
    // The title's name for a configuration without a file: read from the panel, or the readable part of
    // a damaged file; empty for a new configuration.
    QString untitledName;
    bool modified = false;
};
