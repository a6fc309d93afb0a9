#include "ModalCloser.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int pollInterval = 5;

void press(QDialog* dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (box == nullptr || box->button(which) == nullptr) {
        qFatal("the dialog has no such button");
    }
    box->button(which)->click();
}

} // namespace

ModalCloser::ModalCloser(Handler handler, int timeoutMilliseconds)
    : handler(std::move(handler)), timer(new QTimer(this)), ignored(QApplication::activeModalWidget()),
      remainingPolls(timeoutMilliseconds / pollInterval)
{
    connect(timer, &QTimer::timeout, this, &ModalCloser::poll);
    timer->start(pollInterval);
}

void ModalCloser::poll()
{
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr && dialog != ignored) {
        timer->stop();
        seen = true;
        handler(dialog);
        return;
    }
    if (--remainingPolls <= 0) {
        timer->stop();
        // No dialog came: close whatever modal is open so that the test fails instead of hanging.
        if (auto* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    }
}

void ModalCloser::pressOk(QDialog* dialog)
{
    press(dialog, QDialogButtonBox::Ok);
}

void ModalCloser::pressCancel(QDialog* dialog)
{
    press(dialog, QDialogButtonBox::Cancel);
}

bool ModalCloser::pressOkOrCancel(QDialog* dialog)
{
    pressOk(dialog);
    if (dialog->isVisible()) {
        dialog->reject();
        return false;
    }
    return true;
}
