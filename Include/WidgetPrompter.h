#pragma once

#include "Prompter.h"

#include <memory>

// The prompter of the running program: real message boxes and file dialogs.
class WidgetPrompter : public Prompter
{
public:
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

    // The box question() runs: "Сохранить", "Не сохранять" and "Отмена" read so also without the Qt
    // catalogue.
    static std::unique_ptr<QMessageBox> questionBox(QWidget* parent, const QString& title,
                                                    const QString& text, QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton);
};
