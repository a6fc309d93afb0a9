#include "WidgetPrompter.h"

#include <QFileDialog>

QMessageBox::StandardButton WidgetPrompter::question(QWidget* parent, const QString& title,
                                                     const QString& text,
                                                     QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton defaultButton)
{
    return QMessageBox::question(parent, title, text, buttons, defaultButton);
}

void WidgetPrompter::information(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

void WidgetPrompter::warning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text);
}

void WidgetPrompter::critical(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::critical(parent, title, text);
}

QString WidgetPrompter::openFileName(QWidget* parent, const QString& caption, const QString& directory,
                                     const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString WidgetPrompter::saveFileName(QWidget* parent, const QString& caption, const QString& directory,
                                     const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}
