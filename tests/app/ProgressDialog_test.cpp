// The progress dialog shows whole percent, truncated, and the time left at the pace so far; it cannot be
// closed by the user; a read can be cancelled, a write cannot.
#include "ProgressDialog.h"
#include "support/Controls.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
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

    void timeLeftFollowsThePaceSoFar_data()
    {
        QTest::addColumn<qint64>("elapsed");
        QTest::addColumn<float>("fraction");
        QTest::addColumn<QString>("shown");
        const QString waiting = QStringLiteral("Оценка оставшегося времени…");
        QTest::newRow("nothing done yet") << qint64(5000) << 0.0F << waiting;
        QTest::newRow("too early to tell") << qint64(300) << 0.5F << waiting;
        QTest::newRow("too little done") << qint64(4000) << 0.01F << waiting;
        QTest::newRow("a quarter in 10 s") << qint64(10000) << 0.25F << QStringLiteral("Осталось около 30 с");
        QTest::newRow("rounded up") << qint64(1000) << 0.3F << QStringLiteral("Осталось около 3 с");
        QTest::newRow("minutes") << qint64(65000) << 0.5F << QStringLiteral("Осталось около 1 мин 05 с");
        QTest::newRow("done") << qint64(9000) << 1.0F << QStringLiteral("Осталось около 0 с");
    }

    void timeLeftFollowsThePaceSoFar()
    {
        QFETCH(qint64, elapsed);
        QFETCH(float, fraction);
        QFETCH(QString, shown);
        qint64 now = 1000;
        ProgressDialog dialog(nullptr, false, [&now] { return now; });
        now += elapsed;
        dialog.setProgress(fraction);
        QCOMPARE(dialog.timeLeftText(), shown);
        QCOMPARE(control<QLabel>(dialog, "timeLeft")->text(), shown);
    }

    void aReadCanBeCancelledAWriteSaysItCannot_data()
    {
        QTest::addColumn<bool>("writing");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }

    void aReadCanBeCancelledAWriteSaysItCannot()
    {
        QFETCH(bool, writing);
        ProgressDialog dialog(nullptr, writing);
        dialog.show();
        auto* cancel = control<QPushButton>(dialog, "cancel");
        QCOMPARE(cancel->isVisible(), !writing);
        QCOMPARE(control<QLabel>(dialog, "writeNote")->isVisible(), writing);
        QVERIFY(!dialog.cancelRequested());
        if (!writing) {
            cancel->click();
            QVERIFY(dialog.cancelRequested());
            QVERIFY(!cancel->isEnabled());
            dialog.setProgress(0.5F); // no estimate over the message once cancelled
            QCOMPARE(dialog.timeLeftText(), QStringLiteral("Чтение прерывается…"));
        }
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
