#include "WidgetPrompter.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QRegularExpression>

namespace {

// The extension of the filter's first pattern, "xml" for "XML-файлы (*.xml)"; empty when it has none.
QString filterSuffix(const QString& filter)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

QMessageBox::StandardButton WidgetPrompter::question(QWidget* parent, const QString& title,
                                                     const QString& text,
                                                     QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton defaultButton)
{
    const auto box = questionBox(parent, title, text, buttons, defaultButton);
    return static_cast<QMessageBox::StandardButton>(box->exec());
}

std::unique_ptr<QMessageBox> WidgetPrompter::questionBox(QWidget* parent, const QString& title,
                                                         const QString& text,
                                                         QMessageBox::StandardButtons buttons,
                                                         QMessageBox::StandardButton defaultButton)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, title, text, buttons, parent);
    box->setDefaultButton(defaultButton);
    const std::pair<QMessageBox::StandardButton, const char*> russianTexts[] = {
        {QMessageBox::Save, "Сохранить"},
        {QMessageBox::Discard, "Не сохранять"},
        {QMessageBox::Cancel, "Отмена"}};
    for (const auto& [button, text] : russianTexts) {
        if (QAbstractButton* shown = box->button(button)) {
            shown->setText(QString::fromUtf8(text));
        }
    }
    return box;
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
    // A name typed without an extension gets the filter's one, as the Windows dialog does; otherwise the
    // file would be missing from the Open dialog's list. The dialog asks before overwriting the full name.
    QFileDialog dialog(parent, caption, directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(filterSuffix(filter));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
