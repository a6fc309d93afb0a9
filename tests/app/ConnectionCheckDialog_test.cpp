// The connection check dialog against the emulated panel: a mark on every line, the summary, a dialog
// that cannot be closed while it checks, and Справка → "Проверка подключения…" checking the preselected
// port.
#include "ConnectionCheckDialog.h"
#include "EmulatedPanel.h"
#include "MainWindow.h"
#include "support/ConnectionChecks.h"
#include "support/Controls.h"

#include "config_zelmar/CheckLine.h"
#include "config_zelmar/SystemPortEnvironment.h"

#include <QAction>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

using config_zelmar::CheckStatus;

const QString emulatorPort = QString::fromUtf8(EmulatedPanel::portName);
const QString missingPort = QStringLiteral("/dev/zelmar-test-missing");

// This machine's facts, but with ModemManager running.
class ModemManagerMachine : public config_zelmar::SystemPortEnvironment
{
public:
    bool modemManagerRunning() const override { return true; }
};

// The emulated panel beside one port that does not exist.
struct EmulatedSetup
{
    EmulatedPanel emulated;
    MainWindowOptions options;

    explicit EmulatedSetup(bool modemManager = false)
    {
        options.portLister = PortLister{[] { return std::vector<std::string>{missingPort.toStdString()}; },
                                        [] { return std::vector<std::string>(); }};
        if (modemManager) {
            options.connectionCheck.environment = std::make_shared<ModemManagerMachine>();
        }
        options = emulated.attachTo(std::move(options));
    }
};

QList<CheckStatus> marks(const ConnectionCheckDialog& dialog)
{
    QList<CheckStatus> all;
    const auto* results = control<QTableWidget>(dialog, "results");
    for (int row = 0; row < results->rowCount(); ++row) {
        all << static_cast<CheckStatus>(results->item(row, 0)->data(Qt::UserRole).toInt());
    }
    return all;
}

// The last line's finding as the check said it (its tool tip: the cell itself may break paths).
QString lastDetail(const ConnectionCheckDialog& dialog)
{
    const auto* results = control<QTableWidget>(dialog, "results");
    const QTableWidgetItem* cell = results->item(results->rowCount() - 1, 1);
    QString shown = cell->text();
    return shown.remove(QChar(0x200B)) == cell->toolTip() ? cell->toolTip()
                                                          : QStringLiteral("cell and tip differ");
}

} // namespace

Q_DECLARE_METATYPE(QList<CheckStatus>)

class ConnectionCheckDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void findingsAreMarkedAndSummed_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("modemManager");
        QTest::addColumn<int>("silentCommands");
        QTest::addColumn<QList<CheckStatus>>("marks");
        QTest::addColumn<QString>("lastDetail");
        QTest::addColumn<QString>("summary");
        const CheckStatus ok = CheckStatus::Ok;
        const QString passed = QStringLiteral("Связь с прибором в порядке.");
        const QString failed =
            QStringLiteral("Связи с прибором нет: устраните ошибку, отмеченную выше, и проверьте снова.");
        QTest::newRow("emulated panel")
            << emulatorPort << false << 0 << QList<CheckStatus>{ok, ok, ok, ok, ok, ok, ok, ok, ok, ok}
            << QStringLiteral("прибор снова отвечает на 19200 бод") << passed;
        QTest::newRow("ModemManager running")
            << emulatorPort << true << 0
            << QList<CheckStatus>{ok, ok, ok, ok, ok, CheckStatus::Warning, ok, ok, ok, ok}
            << QStringLiteral("прибор снова отвечает на 19200 бод")
            << QStringLiteral("Связь с прибором есть. Советы выше помогут сделать её быстрее и надёжнее.");
        QTest::newRow("silent panel")
            << emulatorPort << false << 1000 << QList<CheckStatus>{ok, ok, ok, ok, ok, ok, CheckStatus::Error}
            << QStringLiteral("Нет связи с прибором. Проверьте подключение.") << failed;
        QTest::newRow("missing port")
            << missingPort << false << 0 << QList<CheckStatus>{CheckStatus::Error}
            << QStringLiteral("Порт /dev/zelmar-test-missing не найден. Преобразователь отключён?") << failed;
    }

    void findingsAreMarkedAndSummed()
    {
        QFETCH(QString, port);
        QFETCH(bool, modemManager);
        QFETCH(int, silentCommands);
        QFETCH(QList<CheckStatus>, marks);
        QFETCH(QString, lastDetail);
        QFETCH(QString, summary);
        EmulatedSetup setup(modemManager);
        setup.emulated.panel().faults().silentCommands = silentCommands;
        ConnectionCheckDialog dialog(nullptr, setup.options.portLister, setup.options.connectionCheck, port);
        QCOMPARE(dialog.portName(), port);
        dialog.onCheck();
        QCOMPARE(::marks(dialog), marks);
        QCOMPARE(::lastDetail(dialog), lastDetail);
        QCOMPARE(control<QLabel>(dialog, "summary")->text(), summary);
        QVERIFY(!dialog.running());
    }

    void closingWhileTheCheckRunsIsRefused()
    {
        EmulatedSetup setup;
        ConnectionCheckDialog dialog(nullptr, setup.options.portLister, setup.options.connectionCheck,
                                     emulatorPort);
        dialog.show();
        bool triedWhileRunning = false;
        QTimer closing;
        connect(&closing, &QTimer::timeout, &dialog, [&] {
            if (dialog.running() && !triedWhileRunning) {
                triedWhileRunning = true;
                dialog.reject();
                dialog.close();
            }
        });
        closing.start(0);
        dialog.onCheck(); // paints each line, so the timer fires while it runs
        QCOMPARE(control<QTableWidget>(dialog, "results")->rowCount(), 10);
        QVERIFY(triedWhileRunning);
        QVERIFY(dialog.isVisible());
        dialog.reject();
        QVERIFY(!dialog.isVisible());
    }

    void helpMenuChecksThePreselectedPort()
    {
        EmulatedSetup setup;
        MainWindow window(std::move(setup.options));
        window.show();
        CheckDialogCloser closer;
        control<QAction>(window, "connectionCheck")->trigger();
        QVERIFY(closer.appeared());
        QCOMPARE(closer.checkedPort, emulatorPort);
        QCOMPARE(closer.lines, 10);
    }
};

QTEST_MAIN(ConnectionCheckDialogTest)
#include "ConnectionCheckDialog_test.moc"
