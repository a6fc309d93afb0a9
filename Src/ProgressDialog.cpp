#include "ProgressDialog.h"

#include "ApplicationResources.h"
#include "ui_ProgressDialog.h"

#include <QCloseEvent>
#include <QElapsedTimer>

#include <cmath>

namespace {

// Before this share of the work and this much time, the pace says too little to estimate from.
constexpr float minimumShareForEstimate = 0.02F;
constexpr qint64 minimumElapsedForEstimate = 500;

QString durationText(qint64 seconds)
{
    if (seconds < 60) {
        return QObject::tr("%1 с").arg(seconds);
    }
    return QObject::tr("%1 мин %2 с").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

ProgressDialog::ProgressDialog(QWidget* parent, bool writing, Clock clock)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      form(std::make_unique<Ui::ProgressDialog>()), clock(std::move(clock)), startTime(this->clock())
{
    initApplicationResources();
    form->setupUi(this);
    form->cancel->setVisible(!writing);
    form->writeNote->setVisible(writing);
    connect(form->cancel, &QPushButton::clicked, this, &ProgressDialog::onCancel);
    adjustSize();
    if (parent != nullptr) {
        centreOver(*parent);
    }
    setWindowTitle(writing ? tr("Запись конфигурации в прибор") : tr("Чтение конфигурации из прибора"));
}

ProgressDialog::~ProgressDialog() = default;

ProgressDialog::Clock ProgressDialog::steadyClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

int ProgressDialog::progressValue() const
{
    return form->progressBar->value();
}

QString ProgressDialog::timeLeftText() const
{
    return form->timeLeft->text();
}

void ProgressDialog::setProgress(float value)
{
    form->progressBar->setValue(static_cast<int>(value * 100.0f));
    if (!cancelled) {
        showTimeLeft(value);
    }
}

// The time left at the pace so far: elapsed x (1 - done) / done, rounded up to whole seconds.
void ProgressDialog::showTimeLeft(float value)
{
    const qint64 elapsed = clock() - startTime;
    if (value < minimumShareForEstimate || elapsed < minimumElapsedForEstimate) {
        return;
    }
    const double left = double(elapsed) * (1.0 - double(value)) / double(value);
    const auto seconds = static_cast<qint64>(std::ceil(std::max(0.0, left) / 1000.0));
    form->timeLeft->setText(tr("Осталось около %1").arg(durationText(seconds)));
}

void ProgressDialog::onCancel()
{
    cancelled = true;
    form->cancel->setEnabled(false);
    form->timeLeft->setText(tr("Чтение прерывается…"));
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
