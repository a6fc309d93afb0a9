#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The seam for everything modal that asks the user: message boxes and file dialogs. The application
// uses the widget implementation; tests install a scripted one that records what was asked and answers.
class Prompter
{
public:
    virtual ~Prompter() = default;

    virtual QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton) = 0;
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void critical(QWidget* parent, const QString& title, const QString& text) = 0;

    // Empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& directory,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& directory,
                                 const QString& filter) = 0;
    // A save dialog with several filters ("PDF (*.pdf);;HTML (*.html)"); selectedFilter receives the one
    // the user chose. Empty when the user cancels.
    virtual QString saveFileNameWithFilter(QWidget* parent, const QString& caption, const QString& directory,
                                           const QString& filters, QString& selectedFilter) = 0;

    // A question with the buttons Yes and No; true when the answer is Yes.
    bool askYesNo(QWidget* parent, const QString& title, const QString& text,
                  QMessageBox::StandardButton defaultButton = QMessageBox::No);

    // The prompter in use: the one installed last, else the widget implementation.
    static Prompter& current();
    // Installs a prompter (not owned); nullptr returns to the widget implementation.
    static void install(Prompter* prompter);
};
