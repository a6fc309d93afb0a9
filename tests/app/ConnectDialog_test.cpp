// The connection dialog's port list and the preselection of the USB-RS485 converter's port; ports with
// their sysfs descriptions, typed paths, the list following converters plugged in or out, and the check
// of the chosen port.
#include "ConnectDialog.h"
#include "ConnectionCheckDialog.h"
#include "EmulatedPanel.h"
#include "PortField.h"
#include "support/ConnectionChecks.h"
#include "support/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

using Ports = std::vector<std::string>;

PortLister fixedPorts(Ports serial, Ports ftdi)
{
    return PortLister{[serial] { return serial; }, [ftdi] { return ftdi; }};
}

QStringList items(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i) {
        texts << combo.itemText(i);
    }
    return texts;
}

const rs485::PortDescription ftdiConverter{"/dev/ttyUSB0",
                                           "FT232R USB UART",
                                           "FTDI",
                                           "A50285BI",
                                           "0403",
                                           "6001",
                                           "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"};

// Port lists that a test changes while the dialog looks at them.
struct ChangingPorts
{
    Ports serial;
    Ports ftdi;
    std::vector<rs485::PortDescription> described;

    PortLister lister()
    {
        return PortLister{[this] { return serial; }, [this] { return ftdi; }, [this] { return described; }};
    }
    void plugConverterIn()
    {
        serial.push_back(ftdiConverter.path);
        std::sort(serial.begin(), serial.end());
        ftdi = {ftdiConverter.path};
        described = {ftdiConverter};
    }
};

bool okEnabled(const ConnectDialog& dialog)
{
    return control<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->isEnabled();
}

} // namespace

class ConnectDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void noPortsDisablesOk()
    {
        ConnectDialog dialog(nullptr, fixedPorts({}, {}));
        QCOMPARE(control<QComboBox>(dialog, "portName")->count(), 0);
        QVERIFY(!okEnabled(dialog));
        QCOMPARE(control<QLabel>(dialog, "message")->text(),
                 QStringLiteral("Преобразователь USB-RS485 не обнаружен."));
        QVERIFY(dialog.portName().isEmpty());
        QVERIFY(dialog.raisedSpeed());
    }

    void writeOptionsAreOfferedOnlyForAWrite()
    {
        struct Case
        {
            ConnectDialog::Purpose purpose;
            bool verifyChecked;
            bool allPagesChecked;
            bool offered;
            bool verify;
            bool allPages;
        };
        using P = ConnectDialog::Purpose;
        const QList<Case> cases{{P::Write, true, false, true, true, false},
                                {P::Write, false, true, true, false, true},
                                {P::Read, false, true, false, true, false}};
        for (const Case& c : cases) {
            ConnectDialog dialog(nullptr, fixedPorts({"COM1"}, {}), ConnectionCheckSetup::system(),
                                 c.purpose);
            auto* verify = control<QCheckBox>(dialog, "verifyWrite");
            auto* allPages = control<QCheckBox>(dialog, "writeAllPages");
            QVERIFY(verify->isChecked());
            QVERIFY(!allPages->isChecked());
            QCOMPARE(verify->isVisibleTo(&dialog), c.offered);
            QCOMPARE(allPages->isVisibleTo(&dialog), c.offered);
            QCOMPARE(verify->text(), QStringLiteral("Проверить запись"));
            QCOMPARE(allPages->text(), QStringLiteral("Записать все страницы"));
            verify->setChecked(c.verifyChecked);
            allPages->setChecked(c.allPagesChecked);
            QCOMPARE(dialog.writeOptions().verify, c.verify);
            QCOMPARE(dialog.writeOptions().allPages, c.allPages);
        }
    }

    void converterPortIsSelected()
    {
        ConnectDialog dialog(nullptr, fixedPorts({"COM1", "COM5"}, {"COM5"}));
        QCOMPARE(items(*control<QComboBox>(dialog, "portName")), (QStringList{"COM1", "COM5"}));
        QVERIFY(okEnabled(dialog));
        QCOMPARE(dialog.portName(), QStringLiteral("COM5"));
        QCOMPARE(control<QLabel>(dialog, "message")->text(),
                 QStringLiteral("Преобразователь USB-RS485 подключён к порту COM5."));
    }

    void firstOfSeveralConvertersIsNamed()
    {
        ConnectDialog dialog(nullptr, fixedPorts({"COM1", "COM4", "COM7"}, {"COM4", "COM7"}));
        QCOMPARE(dialog.portName(), QStringLiteral("COM4"));
        QVERIFY(control<QLabel>(dialog, "message")->text().endsWith(QStringLiteral("COM4.")));
    }

    void noConverterKeepsTheFirstPort()
    {
        ConnectDialog dialog(nullptr, fixedPorts({"/dev/ttyS0", "/dev/ttyS1"}, {}));
        QCOMPARE(dialog.portName(), QStringLiteral("/dev/ttyS0"));
    }

    void converterMissingFromTheListSelectsNothing()
    {
        ConnectDialog dialog(nullptr, fixedPorts({"COM1"}, {"COM9"}));
        QCOMPARE(control<QComboBox>(dialog, "portName")->currentIndex(), -1);
        QVERIFY(dialog.portName().isEmpty());
        QVERIFY(control<QLabel>(dialog, "message")->text().endsWith(QStringLiteral("COM9.")));
    }

    void portNamesMatchCaseSensitively()
    {
        ConnectDialog dialog(nullptr, fixedPorts({"com3"}, {"COM3"}));
        QCOMPARE(control<QComboBox>(dialog, "portName")->currentIndex(), -1);
    }

    void refreshReadsThePortsAgain()
    {
        Ports serial;
        Ports ftdi;
        ConnectDialog dialog(nullptr, PortLister{[&serial] { return serial; }, [&ftdi] { return ftdi; }});
        QVERIFY(!okEnabled(dialog));

        serial = {"/dev/ttyS0", "/dev/ttyUSB0"};
        ftdi = {"/dev/ttyUSB0"};
        control<QPushButton>(dialog, "updatePortList")->click();
        QCOMPARE(control<QComboBox>(dialog, "portName")->count(), 2);
        QCOMPARE(dialog.portName(), QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(okEnabled(dialog));
    }

    void describedPortsShowWhatSysfsTellsAndReportTheirPath()
    {
        ChangingPorts ports;
        ports.serial = {"/dev/ttyS0"};
        ports.plugConverterIn();
        ConnectDialog dialog(nullptr, ports.lister());
        auto* combo = control<QComboBox>(dialog, "portName");
        QCOMPARE(items(*combo),
                 (QStringList{"/dev/ttyS0", QStringLiteral("/dev/ttyUSB0 — FT232R USB UART (A50285BI)")}));
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(dialog.portName(), QStringLiteral("/dev/ttyUSB0"));
        const QString toolTip = combo->itemData(1, Qt::ToolTipRole).toString();
        QVERIFY(toolTip.contains(QStringLiteral("Изготовитель: FTDI")));
        QVERIFY(toolTip.contains(QStringLiteral(
            "Постоянное имя: /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0")));
        QVERIFY(combo->itemData(0, Qt::ToolTipRole).toString().isEmpty());
        QCOMPARE(
            control<QLabel>(dialog, "message")->text(),
            QStringLiteral(
                "Преобразователь USB-RS485 подключён к порту /dev/ttyUSB0.\nFT232R USB UART (A50285BI)"));
    }

    void anyTypedPathIsThePort_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("port");
        QTest::newRow("by-id link") << "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"
                                    << "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        QTest::newRow("pseudo-terminal, with spaces") << " /dev/pts/7 "
                                                      << "/dev/pts/7";
        QTest::newRow("a listed port's text")
            << QStringLiteral("/dev/ttyUSB0 — FT232R USB UART (A50285BI)") << "/dev/ttyUSB0";
        QTest::newRow("nothing") << ""
                                 << "";
    }

    void anyTypedPathIsThePort()
    {
        QFETCH(QString, typed);
        QFETCH(QString, port);
        ChangingPorts ports;
        ports.plugConverterIn();
        ConnectDialog dialog(nullptr, ports.lister());
        auto* edit = control<QComboBox>(dialog, "portName")->lineEdit();
        QVERIFY(edit != nullptr);
        edit->clear();
        edit->insert(typed); // as typed or pasted

        QCOMPARE(dialog.portName(), port);
        QCOMPARE(okEnabled(dialog), !port.isEmpty());
        QCOMPARE(control<QPushButton>(dialog, "checkConnection")->isEnabled(), !port.isEmpty());
    }

    void listFollowsConvertersWhileShown_data()
    {
        QTest::addColumn<QString>("choice"); // "" none, "pick:PATH" from the list, "type:PATH" typed
        QTest::addColumn<bool>("plugIn");    // else the converter is unplugged
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("message");
        const QString plugged = QStringLiteral(
            "Преобразователь USB-RS485 подключён к порту /dev/ttyUSB0.\nFT232R USB UART (A50285BI)");
        const QString none = QStringLiteral("Преобразователь USB-RS485 не обнаружен.");
        QTest::newRow("plugged in, nothing chosen: selected") << "" << true << "/dev/ttyUSB0" << plugged;
        QTest::newRow("plugged in, another port chosen: kept")
            << "pick:/dev/ttyS1" << true << "/dev/ttyS1" << plugged;
        QTest::newRow("plugged in, a path typed: kept")
            << "type:/dev/pts/7" << true << "/dev/pts/7" << plugged;
        QTest::newRow("chosen converter unplugged: first port")
            << "pick:/dev/ttyUSB0" << false << "/dev/ttyS0" << none;
        QTest::newRow("unplugged, a path typed: kept") << "type:/dev/pts/7" << false << "/dev/pts/7" << none;
    }

    void listFollowsConvertersWhileShown()
    {
        QFETCH(QString, choice);
        QFETCH(bool, plugIn);
        QFETCH(QString, port);
        QFETCH(QString, message);
        ChangingPorts ports;
        ports.serial = {"/dev/ttyS0", "/dev/ttyS1"};
        if (!plugIn) {
            ports.plugConverterIn();
        }
        ConnectDialog dialog(nullptr, ports.lister());
        auto* combo = control<QComboBox>(dialog, "portName");
        if (choice.startsWith("pick:")) {
            const int index = combo->findData(choice.mid(5));
            QVERIFY(index >= 0);
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        } else if (choice.startsWith("type:")) {
            combo->lineEdit()->clear();
            QTest::keyClicks(combo->lineEdit(), choice.mid(5));
        }
        dialog.show();
        auto* watch = dialog.findChild<QTimer*>();
        QVERIFY(watch != nullptr && watch->isActive());
        QCOMPARE(watch->interval(), 1000);

        if (plugIn) {
            ports.plugConverterIn();
        } else {
            ports.serial = {"/dev/ttyS0", "/dev/ttyS1"};
            ports.ftdi.clear();
            ports.described.clear();
        }
        dialog.findChild<PortField*>()->refreshIfChanged(); // what the timer calls
        QCOMPARE(dialog.portName(), port);
        QCOMPARE(control<QLabel>(dialog, "message")->text(), message);
        dialog.hide();
        QVERIFY(!watch->isActive());
    }

    void portUsedLastTimeWinsOverTheConverterWhileListed_data()
    {
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("afterReplug");
        QTest::newRow("listed legacy port") << "/dev/ttyS1"
                                            << "/dev/ttyS1"
                                            << "/dev/ttyS1";
        QTest::newRow("the described converter itself") << "/dev/ttyUSB0"
                                                        << "/dev/ttyUSB0"
                                                        << "/dev/ttyS0";
        QTest::newRow("gone") << "/dev/ttyUSB7"
                              << "/dev/ttyUSB0"
                              << "/dev/ttyS0";
    }

    void portUsedLastTimeWinsOverTheConverterWhileListed()
    {
        QFETCH(QString, preferred);
        QFETCH(QString, selected);
        QFETCH(QString, afterReplug);
        ChangingPorts ports;
        ports.serial = {"/dev/ttyS0", "/dev/ttyS1"};
        ports.plugConverterIn();
        ConnectDialog dialog(nullptr, ports.lister());
        dialog.setPreferredPort(preferred);
        QCOMPARE(dialog.portName(), selected);
        // The converter is unplugged while the dialog is open.
        ports.serial = {"/dev/ttyS0", "/dev/ttyS1"};
        ports.ftdi.clear();
        ports.described.clear();
        dialog.findChild<PortField*>()->refreshIfChanged();
        QCOMPARE(dialog.portName(), afterReplug);
    }

    void unchangedPortsLeaveTheFieldAlone()
    {
        ChangingPorts ports;
        ports.plugConverterIn();
        ConnectDialog dialog(nullptr, ports.lister());
        auto* combo = control<QComboBox>(dialog, "portName");
        combo->lineEdit()->setSelection(0, 4);
        dialog.show();
        dialog.findChild<PortField*>()->refreshIfChanged();
        QCOMPARE(combo->lineEdit()->selectedText(), QStringLiteral("/dev"));
    }

    void checkRunsOnTheChosenPortAndItsPortComesBack()
    {
        EmulatedPanel emulated;
        MainWindowOptions options;
        options.portLister = fixedPorts({"/dev/ttyS0"}, {});
        options = emulated.attachTo(std::move(options));
        ConnectDialog dialog(nullptr, options.portLister, options.connectionCheck);
        dialog.show();
        control<QComboBox>(dialog, "portName")->setCurrentText(QString::fromUtf8(EmulatedPanel::portName));

        CheckDialogCloser closer([](ConnectionCheckDialog* check) {
            control<QComboBox>(check, "portName")->setCurrentText(QStringLiteral("/dev/ttyS0"));
        });
        control<QPushButton>(dialog, "checkConnection")->click();
        QVERIFY(closer.appeared());
        QCOMPARE(closer.checkedPort, QString::fromUtf8(EmulatedPanel::portName));
        QCOMPARE(closer.lines, 10);
        QCOMPARE(dialog.portName(), QStringLiteral("/dev/ttyS0"));
    }
};

QTEST_MAIN(ConnectDialogTest)
#include "ConnectDialog_test.moc"
