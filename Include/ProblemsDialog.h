#pragma once

#include "config_zelmar/Problem.h"

#include <QDialog>

#include <vector>

class QListWidget;
class QListWidgetItem;

// The problems of a configuration, one row each with an error or warning icon and its message.
// Activating a row asks the main window to show the object. For review it only closes; before a write it
// asks whether to write all the same: with errors "Да"/"Нет" (No the default), with warnings only
// "Записать"/"Отмена".
class ProblemsDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Purpose
    {
        review,
        beforeWrite
    };

    ProblemsDialog(QWidget* parent, std::vector<config_zelmar::Problem> problems, Purpose purpose);

    const std::vector<config_zelmar::Problem>& problems() const { return shown; }
    // Activates the row as a double click or Enter would.
    void activateRow(int row);

    // One row per problem with its icon, as the dialog lists them.
    static void addProblemRows(QListWidget& rows, const std::vector<config_zelmar::Problem>& problems);

signals:
    void problemActivated(const config_zelmar::Path& path);

private:
    void fillList();
    void addButtons(Purpose purpose);
    void onItemActivated(QListWidgetItem* item);

    std::vector<config_zelmar::Problem> shown;
    QListWidget* list = nullptr;
};
