#pragma once

#include "Prompter.h"

#include <QList>
#include <QStringList>

// A prompter for tests: installed while it lives, records every box it was asked to show and answers
// questions and file dialogs from a script.
class ScriptedPrompter : public Prompter
{
public:
    struct Box
    {
        QString kind; // "question", "information", "warning", "critical"
        QString title;
        QString text;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    ScriptedPrompter();
    ~ScriptedPrompter() override;

    QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    void critical(QWidget* parent, const QString& title, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& directory,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& directory,
                         const QString& filter) override;
    QString saveFileNameWithFilter(QWidget* parent, const QString& caption, const QString& directory,
                                   const QString& filters, QString& selectedFilter) override;

    // Answers to the next questions, first to last; once they are used up, `answer` answers.
    QList<QMessageBox::StandardButton> answers;
    QMessageBox::StandardButton answer = QMessageBox::No;
    // Names the file dialogs return, first to last; an empty list answers as a cancelled dialog.
    QStringList fileNames;
    // Filters the dialogs with several filters return, first to last; once used up, the first filter offered.
    QStringList selectedFilters;
    QList<Box> boxes;
    QStringList fileDialogFilters;
    QStringList fileDialogDirectories;

    const Box& lastBox() const { return boxes.last(); }
    int count(const QString& kind) const;

private:
    QString nextFileName(const QString& directory, const QString& filter);
};
