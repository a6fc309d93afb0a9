// The progress dialog shows whole percent, truncated, and cannot be closed by the user.
#include "ProgressDialog.h"

#include <QCloseEvent>
#include <QtTest>

class ProgressDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTruncatedPercent()
    {
        ProgressDialog dialog(nullptr, false);
        dialog.setProgress(0.999f);
        QCOMPARE(dialog.progressValue(), 99);
        dialog.setProgress(1.0f);
        QCOMPARE(dialog.progressValue(), 100);
        dialog.setProgress(0.0f);
        QCOMPARE(dialog.progressValue(), 0);
    }

    void titleTellsReadFromWrite()
    {
        QCOMPARE(ProgressDialog(nullptr, true).windowTitle(), QStringLiteral("Запись конфигурации в прибор"));
        QCOMPARE(ProgressDialog(nullptr, false).windowTitle(),
                 QStringLiteral("Чтение конфигурации из прибора"));
    }

    void closeIsIgnored()
    {
        ProgressDialog dialog(nullptr, true);
        dialog.show();
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isVisible());
    }

    void isCentredOverItsParent()
    {
        QWidget parent;
        parent.setGeometry(100, 100, 800, 400);
        ProgressDialog dialog(&parent, true);
        const QRect own = dialog.frameGeometry();
        const QRect outer = parent.frameGeometry();
        QCOMPARE(own.x(), outer.x() + (outer.width() - own.width()) / 2);
        QCOMPARE(own.y(), outer.y() + (outer.height() - own.height()) / 2);
    }
};

QTEST_MAIN(ProgressDialogTest)
#include "ProgressDialog_test.moc"
