#pragma once

#include <QObject>

#include <functional>

class QDialog;
class QTimer;
class QWidget;

// Handles the next modal dialog opened by a page slot: armed before the slot is called, it waits for
// QApplication::activeModalWidget() and hands it to the handler, which fills it and presses OK or Cancel.
// appeared() tells afterwards whether a dialog showed up before the time-out.
class PageDialogCloser : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(QDialog* dialog)>;

    explicit PageDialogCloser(Handler handler, int timeoutMilliseconds = 5000);

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

// The child of the widget with the given object name and type; stops the test run when it is missing.
template <class Control> Control* pageControl(const QObject* parent, const char* objectName)
{
    Control* found = parent->findChild<Control*>(QString::fromLatin1(objectName));
    if (found == nullptr) {
        qFatal("no control %s", objectName);
    }
    return found;
}
