#pragma once

#include <QObject>
#include <functional>

class QTimer;
class QWidget;

// Handles the next modal window of a test that has to go through exec(): armed before the call, it
// waits for QApplication::activeModalWidget() and hands it to the handler, which accepts or rejects
// it. appeared() tells afterwards whether a modal window showed up before the time-out.
class ModalCloser : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(QWidget* modal)>;

    explicit ModalCloser(Handler handler, int timeoutMilliseconds = 5000);

    bool appeared() const { return seen; }

private:
    void poll();

    Handler handle;
    QTimer* timer;
    int remainingPolls;
    bool seen = false;
};
