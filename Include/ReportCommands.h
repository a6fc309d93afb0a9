#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMainWindow;
class QPrinter;
class QPrintPreviewDialog;

namespace config_zelmar {
class Configuration;
}
namespace report {
struct ReportRequest;
}

// The report commands of the Файл menu: print preview and printing, the report as PDF or HTML, the
// device list as CSV. Each report shows the configuration as it would be saved now.
class ReportCommands : public QObject
{
    Q_OBJECT

public:
    struct Source
    {
        // The configuration with the option controls stored into it.
        std::function<const config_zelmar::Configuration&()> storedConfiguration;
        // The current file's path; empty for a configuration not saved yet.
        std::function<QString()> filePath;
        // What the report is of: the file name, or the window's name for an unsaved configuration.
        std::function<QString()> sourceName;
        // Local date and time of the report.
        std::function<QDateTime()> clock;
    };

    // changesOnly: the checkable action that makes the reports leave out what is at its default; the print
    // preview offers it on its tool bar too.
    ReportCommands(QMainWindow* window, QAction* changesOnly, Source source);

    static QString reportFilters();
    static QString csvFilter();

public slots:
    void onPrint();
    void onExportReport();
    void onExportDevicesCsv();

private:
    report::ReportRequest request(const config_zelmar::Configuration& configuration) const;
    void paintPreview(QPrinter* printer, const config_zelmar::Configuration& configuration);
    void offerChangesOnly(QPrintPreviewDialog& preview);
    QString proposedPath(const QString& suffix) const;
    bool writeFile(const QString& path, const QByteArray& content);

    QMainWindow* window;
    QAction* changesOnly;
    Source source;
};
