#include "BackupsDialog.h"

#include "ApplicationResources.h"
#include "Prompter.h"
#include "TableCells.h"
#include "ui_BackupsDialog.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationDocument.h"
#include "config_zelmar/ConfigurationSummary.h"
#include "config_zelmar/ImageStore.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QPushButton>

namespace {

enum Column
{
    timeColumn,
    panelDateColumn,
    counterColumn,
    firmwareColumn,
    sizeColumn,
    summaryColumn
};

QString backupTime(int64_t milliseconds)
{
    return QDateTime::fromMSecsSinceEpoch(milliseconds).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString backupSize(uintmax_t bytes)
{
    return QObject::tr("%1 КБ").arg(
        QLocale(QLocale::Russian).toString(static_cast<double>(bytes) / 1024.0, 'f', 1));
}

// What the backup holds, in the window's language: "центральный: секций 3, приборов 12 (10 с
// названиями), таблиц 2, команд 5".
QString summaryOf(const config_zelmar::PanelBackup& backup)
{
    config_zelmar::Configuration configuration;
    config_zelmar::decodeImages(backup.images, configuration);
    const config_zelmar::ConfigurationCounts counts = config_zelmar::countConfiguration(configuration);
    return QObject::tr("%1: секций %2, приборов %3 (%4 с названиями), таблиц %5, команд %6")
        .arg(counts.central ? QObject::tr("центральный") : QObject::tr("секционный"))
        .arg(counts.sections)
        .arg(counts.devices)
        .arg(counts.namedDevices)
        .arg(counts.eventTables)
        .arg(counts.commands);
}

} // namespace

BackupsDialog::BackupsDialog(QWidget* parent, std::shared_ptr<config_zelmar::ImageStore> store)
    : QDialog(parent), form(std::make_unique<Ui::BackupsDialog>()), store(std::move(store))
{
    initApplicationResources();
    form->setupUi(this);
    connect(form->openBackup, &QPushButton::clicked, this, &BackupsDialog::onOpen);
    connect(form->restoreBackup, &QPushButton::clicked, this, &BackupsDialog::onRestore);
    connect(form->exportBackup, &QPushButton::clicked, this, &BackupsDialog::onExport);
    connect(form->deleteBackup, &QPushButton::clicked, this, &BackupsDialog::onDelete);
    connect(form->backupsTable, &QTableWidget::itemSelectionChanged, this, &BackupsDialog::updateButtons);
    connect(form->backupsTable, &QTableWidget::cellDoubleClicked, this, &BackupsDialog::onOpen);
    reload();
}

BackupsDialog::~BackupsDialog() = default;

void BackupsDialog::reload()
{
    backups = store ? store->backups() : std::vector<config_zelmar::PanelBackup>{};
    QTableWidget& table = *form->backupsTable;
    table.clearContents();
    table.setRowCount(static_cast<int>(backups.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const config_zelmar::PanelBackup& backup = backups[static_cast<std::size_t>(row)];
        table.setItem(row, timeColumn, new QTableWidgetItem(backupTime(backup.time)));
        table.setItem(row, panelDateColumn, centredItem(QString::fromStdString(backup.panelDate)));
        table.setItem(row, counterColumn, centredItem(QString::number(backup.counter)));
        table.setItem(row, firmwareColumn, centredItem(QString::fromStdString(backup.firmware)));
        table.setItem(row, sizeColumn, centredItem(backupSize(backup.size)));
        auto* summary = new QTableWidgetItem(summaryOf(backup));
        summary->setToolTip(summary->text());
        table.setItem(row, summaryColumn, summary);
    }
    for (int column = timeColumn; column < summaryColumn; ++column) {
        table.resizeColumnToContents(column);
    }
    form->emptyNote->setVisible(backups.empty());
    if (!backups.empty()) {
        selectRow(0);
    }
    updateButtons();
}

void BackupsDialog::selectRow(int row)
{
    form->backupsTable->selectRow(row);
}

const config_zelmar::PanelBackup* BackupsDialog::selected() const
{
    const QModelIndexList rows = form->backupsTable->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= backupCount()) {
        return nullptr;
    }
    return &backups[static_cast<std::size_t>(rows.first().row())];
}

void BackupsDialog::updateButtons()
{
    const bool chosen = selected() != nullptr;
    for (QPushButton* button :
         {form->openBackup, form->restoreBackup, form->exportBackup, form->deleteBackup}) {
        button->setEnabled(chosen);
    }
}

QString BackupsDialog::describe(const config_zelmar::PanelBackup& backup) const
{
    return tr("Резервная копия от %1 (запись в приборе %2, счётчик %3)")
        .arg(backupTime(backup.time), QString::fromStdString(backup.panelDate))
        .arg(backup.counter);
}

void BackupsDialog::onOpen()
{
    if (const config_zelmar::PanelBackup* backup = selected()) {
        const config_zelmar::PanelBackup chosen = *backup;
        accept();
        emit openRequested(chosen);
    }
}

void BackupsDialog::onRestore()
{
    const config_zelmar::PanelBackup* backup = selected();
    if (backup == nullptr) {
        return;
    }
    const QString question = describe(*backup) + tr(" будет записана в прибор. Прибор получит в точности "
                                                    "эту память, кроме даты и счётчика записей. Продолжить?");
    if (!Prompter::current().askYesNo(this, tr("Восстановить в прибор"), question)) {
        return;
    }
    const config_zelmar::PanelBackup chosen = *backup;
    emit restoreRequested(chosen);
    reload();
}

void BackupsDialog::onExport()
{
    const config_zelmar::PanelBackup* backup = selected();
    if (backup == nullptr) {
        return;
    }
    const QString path =
        Prompter::current().saveFileName(this, QString(), QDir::homePath(), tr("XML-файлы (*.xml)"));
    if (path.isEmpty()) {
        return;
    }
    config_zelmar::Configuration configuration;
    config_zelmar::decodeImages(backup->images, configuration);
    if (!config_zelmar::ConfigurationDocument::save(path, configuration)) {
        Prompter::current().critical(this, tr("Ошибка"), tr("Невозможно открыть файл для записи"));
    }
}

void BackupsDialog::onDelete()
{
    const config_zelmar::PanelBackup* backup = selected();
    if (backup == nullptr) {
        return;
    }
    if (!Prompter::current().askYesNo(this, tr("Удалить"),
                                      describe(*backup) + tr(" будет удалена. Удалить?"))) {
        return;
    }
    if (!store->removeBackup(backup->id)) {
        Prompter::current().critical(this, tr("Ошибка"), tr("Не удалось удалить резервную копию."));
    }
    reload();
}
