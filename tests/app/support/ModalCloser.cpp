#include "ModalCloser.h"

#include <QApplication>
#include <QTimer>

namespace {

constexpr int pollInterval = 5;

} // namespace

ModalCloser::ModalCloser(Handler handler, int timeoutMilliseconds)
    : handle(std::move(handler)), timer(new QTimer(this)), remainingPolls(timeoutMilliseconds / pollInterval)
{
    connect(timer, &QTimer::timeout, this, &ModalCloser::poll);
    timer->start(pollInterval);
}

void ModalCloser::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr) {
        timer->stop();
        seen = true;
        handle(modal);
        return;
    }
    if (--remainingPolls <= 0) {
        timer->stop();
    }
}
