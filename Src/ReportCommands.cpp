#include "ReportCommands.h"

#include "DocumentsLocation.h"
#include "Prompter.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/ConfigurationCheck.h>
#include <report/PagedReport.h>
#include <report/PdfReport.h>
#include <report/ReportBuilder.h>
#include <report/ReportFile.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

const int statusMessageTime = 10000;

QString errorTitle()
{
    return QObject::tr("Ошибка");
}

// The format the user asked for: a known extension typed into the name wins, else the chosen filter.
report::ReportFormat chosenFormat(const QString& path, const QString& filter)
{
    if (const auto typed = report::formatOfFileName(path); typed && *typed != report::ReportFormat::csv) {
        return *typed;
    }
    return filter.contains(QLatin1String("*.html")) ? report::ReportFormat::html : report::ReportFormat::pdf;
}

} // namespace

ReportCommands::ReportCommands(QMainWindow* mainWindow, QAction* changesOnlyAction, Source reportSource)
    : QObject(mainWindow), window(mainWindow), changesOnly(changesOnlyAction), source(std::move(reportSource))
{}

QString ReportCommands::reportFilters()
{
    return tr("PDF-файлы (*.pdf);;HTML-файлы (*.html *.htm)");
}

QString ReportCommands::csvFilter()
{
    return tr("CSV-файлы (*.csv)");
}

report::ReportRequest ReportCommands::request(const config_zelmar::Configuration& configuration) const
{
    report::ReportRequest request;
    request.source = source.sourceName().toStdU16String();
    request.createdAt = report::reportTimeText(source.clock());
    request.changesOnly = changesOnly->isChecked();
    request.problems = config_zelmar::checkConfiguration(configuration);
    return request;
}

void ReportCommands::onPrint()
{
    const config_zelmar::Configuration& configuration = source.storedConfiguration();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report::reportPageLayout());
    printer.setDocName(source.sourceName());
    QPrintPreviewDialog preview(&printer, window);
    preview.setWindowTitle(tr("Печать отчёта"));
    // Room for a landscape page at a readable zoom, within the screen (1366 x 768 and up).
    const QRect screen = window->screen()->availableGeometry();
    preview.resize(QSize(1100, 720).boundedTo(screen.size() - QSize(40, 60)));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, &configuration](QPrinter* target) { paintPreview(target, configuration); });
    offerChangesOnly(preview);
    preview.exec();
}

void ReportCommands::offerChangesOnly(QPrintPreviewDialog& preview)
{
    auto* toolBar = preview.findChild<QToolBar*>();
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    if (toolBar == nullptr || pages == nullptr) {
        return;
    }
    toolBar->addSeparator();
    toolBar->addAction(changesOnly);
    connect(changesOnly, &QAction::toggled, pages, &QPrintPreviewWidget::updatePreview);
}

void ReportCommands::paintPreview(QPrinter* printer, const config_zelmar::Configuration& configuration)
{
    // Laid out afresh for every page set-up the user picks in the preview.
    report::PagedReport(report::buildReport(configuration, request(configuration)), *printer).print();
}

QString ReportCommands::proposedPath(const QString& suffix) const
{
    const QString current = source.filePath();
    if (current.isEmpty()) {
        return QDir(documentsLocation()).filePath(tr("отчёт.") + suffix);
    }
    const QFileInfo file(current);
    return file.dir().filePath(file.completeBaseName() + QLatin1Char('.') + suffix);
}

void ReportCommands::onExportReport()
{
    const config_zelmar::Configuration& configuration = source.storedConfiguration();
    QString filter;
    const QString path = Prompter::current().saveFileNameWithFilter(
        window, tr("Экспорт отчёта"), proposedPath(QStringLiteral("pdf")), reportFilters(), filter);
    if (path.isEmpty()) {
        return;
    }
    const QByteArray content =
        report::renderReport(chosenFormat(path, filter), configuration, request(configuration));
    if (content.isEmpty()) {
        Prompter::current().critical(window, errorTitle(), tr("Не удалось составить отчёт"));
        return;
    }
    writeFile(path, content);
}

void ReportCommands::onExportDevicesCsv()
{
    const config_zelmar::Configuration& configuration = source.storedConfiguration();
    const QString path = Prompter::current().saveFileName(window, tr("Экспорт приборов"),
                                                          proposedPath(QStringLiteral("csv")), csvFilter());
    if (path.isEmpty()) {
        return;
    }
    writeFile(path, report::renderReport(report::ReportFormat::csv, configuration, request(configuration)));
}

bool ReportCommands::writeFile(const QString& path, const QByteArray& content)
{
    // Written beside an existing file and renamed over it: a failed export leaves the old file intact.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        file.cancelWriting();
        Prompter::current().critical(window, errorTitle(), tr("Невозможно открыть файл для записи"));
        return false;
    }
    window->statusBar()->showMessage(tr("Сохранено: ") + QDir::toNativeSeparators(path), statusMessageTime);
    return true;
}
