#pragma once

#include "Prompter.h"

#include <QList>

// The prompter of the page tests: installed while it lives, records every box and answers questions from
// a queue, then with the fallback answer.
class PageTestPrompter : public Prompter
{
public:
    struct Box
    {
        QString kind; // "question", "information", "warning", "critical"
        QString title;
        QString text;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    PageTestPrompter();
    ~PageTestPrompter() override;

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

    QList<QMessageBox::StandardButton> answers;
    QMessageBox::StandardButton fallbackAnswer = QMessageBox::No;
    QList<Box> boxes;

    const Box& lastBox() const { return boxes.last(); }
    int count(const QString& kind) const;
};
