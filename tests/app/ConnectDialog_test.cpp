// The connection dialog's port list and the preselection of the USB-RS485 converter's port.
#include "ConnectDialog.h"
#include "support/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
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
            ConnectDialog dialog(nullptr, fixedPorts({"COM1"}, {}), c.purpose);
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
};

QTEST_MAIN(ConnectDialogTest)
#include "ConnectDialog_test.moc"
