#pragma once

#include <QObject>

#include <functional>

class QDialog;
class QTimer;
class QWidget;

// Handles the next modal dialog of a test that has to go through exec(): armed before the call, it waits
// for a new QApplication::activeModalWidget() that is a dialog and hands it to the handler, which fills it
// and presses OK or Cancel. appeared() tells afterwards whether a dialog showed up before the time-out;
// when none did, whatever modal window is open is closed so that the test fails instead of hanging.
class ModalCloser : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(QDialog* dialog)>;

    explicit ModalCloser(Handler handler, int timeoutMilliseconds = 5000);

    bool appeared() const { return seen; }

    // Presses the button of the dialog's button box that has the given role.
    static void pressOk(QDialog* dialog);
    static void pressCancel(QDialog* dialog);
    // Presses OK; a dialog that refuses to close is cancelled so the test goes on. True when it closed.
    static bool pressOkOrCancel(QDialog* dialog);

private:
    void poll();

    Handler handler;
    QTimer* timer;
    QWidget* ignored;
    int remainingPolls;
    bool seen = false;
};
