#pragma once

#include "support/ModalCloser.h"

#include <QString>

#include <functional>

class ConnectionCheckDialog;

// Answers the next connection check dialog: lets its check run to the end, records the port it checked
// and how many lines it showed, runs the optional step on the dialog, then closes it. The dialog starts
// its check by itself when shown, and the closer may come upon it before, during or after that; during,
// it waits for the end of the check, and before, it runs the check itself.
class CheckDialogCloser
{
public:
    using Step = std::function<void(ConnectionCheckDialog* dialog)>;

    explicit CheckDialogCloser(Step beforeClosing = nullptr);

    bool appeared() const { return closer.appeared(); }

    QString checkedPort;
    int lines = 0;

private:
    void finish(ConnectionCheckDialog* dialog);

    Step beforeClosing;
    ModalCloser closer;
};
