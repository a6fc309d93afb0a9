#include "support/ConnectionChecks.h"

#include "ConnectionCheckDialog.h"

#include <QTableWidget>

void whenChecked(ConnectionCheckDialog* check, const std::function<void()>& action)
{
    if (check->running()) {
        QObject::connect(check, &ConnectionCheckDialog::checkFinished, check, action, Qt::QueuedConnection);
        return;
    }
    if (check->findChild<QTableWidget*>(QStringLiteral("results"))->rowCount() == 0) {
        check->onCheck();
    }
    action();
}
