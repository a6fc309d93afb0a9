#include "support/ConnectionChecks.h"

#include "ConnectionCheckDialog.h"

#include <QTableWidget>

namespace {

int lineCount(const ConnectionCheckDialog* dialog)
{
    return dialog->findChild<QTableWidget*>(QStringLiteral("results"))->rowCount();
}

} // namespace

CheckDialogCloser::CheckDialogCloser(Step beforeClosing)
    : beforeClosing(std::move(beforeClosing)), closer([this](QDialog* modal) {
          auto* dialog = qobject_cast<ConnectionCheckDialog*>(modal);
          if (dialog == nullptr) {
              modal->close();
              return;
          }
          checkedPort = dialog->portName();
          if (dialog->running()) {
              QObject::connect(
                  dialog, &ConnectionCheckDialog::checkFinished, dialog, [this, dialog] { finish(dialog); },
                  Qt::QueuedConnection);
              return;
          }
          if (lineCount(dialog) == 0) {
              dialog->onCheck();
          }
          finish(dialog);
      })
{}

void CheckDialogCloser::finish(ConnectionCheckDialog* dialog)
{
    lines = lineCount(dialog);
    if (beforeClosing) {
        beforeClosing(dialog);
    }
    dialog->reject();
}
