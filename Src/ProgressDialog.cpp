#include "ProgressDialog.h"

#include "ApplicationResources.h"
#include "ui_ProgressDialog.h"

#include <QCloseEvent>

ProgressDialog::ProgressDialog(QWidget* parent, bool writing)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      form(std::make_unique<Ui::ProgressDialog>())
{
    initApplicationResources();
    form->setupUi(this);
    if (parent != nullptr) {
        centreOver(*parent);
    }
    setWindowTitle(writing ? tr("Запись конфигурации в прибор") : tr("Чтение конфигурации из прибора"));
}

ProgressDialog::~ProgressDialog() = default;

int ProgressDialog::progressValue() const
{
    return form->progressBar->value();
}

void ProgressDialog::setProgress(float value)
{
    form->progressBar->setValue(static_cast<int>(value * 100.0f));
}

QString ProgressDialog::phase() const
{
    return form->phase->text();
}

void ProgressDialog::setPhase(const QString& text)
{
    form->phase->setText(text);
    form->phase->setVisible(!text.isEmpty());
    form->progressBar->setValue(0);
}

void ProgressDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void ProgressDialog::centreOver(const QWidget& parent)
{
    const QRect parentFrame = parent.frameGeometry();
    const QRect ownFrame = frameGeometry();
    move(parentFrame.x() + (parentFrame.width() - ownFrame.width()) / 2,
         parentFrame.y() + (parentFrame.height() - ownFrame.height()) / 2);
}
