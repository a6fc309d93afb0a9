#pragma once

#include "config_zelmar/PanelBackup.h"

#include <QDialog>
#include <memory>
#include <vector>

namespace Ui {
class BackupsDialog;
}
namespace config_zelmar {
class ImageStore;
}

// The backups of what panels held before a write changed them, newest first: opened into the window,
// written back into a panel, saved as an XML file or deleted. Opening and restoring are the main
// window's business; the dialog asks for them by its signals.
class BackupsDialog : public QDialog
{
    Q_OBJECT

public:
    BackupsDialog(QWidget* parent, std::shared_ptr<config_zelmar::ImageStore> store);
    ~BackupsDialog() override;

    int backupCount() const { return static_cast<int>(backups.size()); }
    // Lists the store's backups again.
    void reload();
    // Selects the backup at the row (newest first).
    void selectRow(int row);

signals:
    void openRequested(const config_zelmar::PanelBackup& backup);
    void restoreRequested(const config_zelmar::PanelBackup& backup);

public slots:
    void onOpen();
    void onRestore();
    void onExport();
    void onDelete();

private:
    const config_zelmar::PanelBackup* selected() const;
    void updateButtons();
    QString describe(const config_zelmar::PanelBackup& backup) const;

    std::unique_ptr<Ui::BackupsDialog> form;
    std::shared_ptr<config_zelmar::ImageStore> store;
    std::vector<config_zelmar::PanelBackup> backups;
};
