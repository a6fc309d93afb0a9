// The general and interface option controls: conversions to and from the configuration and their
// enabling rules.
#include "MainWindow.h"
#include "support/Controls.h"
#include "support/TestWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

namespace {

const char* zummerBoxes[] = {"zummerButton",  "zummerNewEvent", "zummerFailure",
                             "zummerWarning", "zummerFire",     "zummerRemoteOff"};

} // namespace

class OptionPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void messageTimeIsStoredInEighthsTruncated()
    {
        MainWindow window(noPorts());
        auto* messageTime = control<QDoubleSpinBox>(window, "messageTime");
        messageTime->setValue(4.1);
        window.storeToConfiguration();
        QCOMPARE(window.configuration().messageTime, 32);
        window.loadFromConfiguration();
        QCOMPARE(messageTime->value(), 4.0);
        QCOMPARE(messageTime->text(), QStringLiteral("4.000 c"));

        messageTime->setValue(30);
        window.storeToConfiguration();
        QCOMPARE(window.configuration().messageTime, 240);
    }

    void zeroMenuTimeAndBacklightLevelReadOff()
    {
        MainWindow window(noPorts());
        window.configuration().menuTime = 0;
        window.configuration().backlightLevel = 0;
        window.loadFromConfiguration();
        QCOMPARE(control<QSpinBox>(window, "menuTime")->text(), QStringLiteral("выкл."));
        QCOMPARE(control<QComboBox>(window, "backlightLevel")->currentText(), QStringLiteral("выкл."));
    }

    void clockSyncOffIsStoredAs255()
    {
        MainWindow window(noPorts());
        control<QComboBox>(window, "clockSyncHour")->setCurrentIndex(7);
        window.storeToConfiguration();
        QCOMPARE(window.configuration().clockSyncHour, 7);

        control<QCheckBox>(window, "clockSyncEnabled")->click();
        QVERIFY(!control<QComboBox>(window, "clockSyncHour")->isEnabled());
        QVERIFY(!control<QLabel>(window, "labelClockSyncHour")->isEnabled());
        window.storeToConfiguration();
        QCOMPARE(window.configuration().clockSyncHour, 255);
    }

    void loadedHourOutsideTheDayUnchecksClockSync_data()
    {
        QTest::addColumn<int>("hour");
        QTest::newRow("24") << 24;
        QTest::newRow("255") << 255;
        QTest::newRow("-1") << -1;
    }

    void loadedHourOutsideTheDayUnchecksClockSync()
    {
        QFETCH(int, hour);
        MainWindow window(noPorts());
        window.configuration().clockSyncHour = hour;
        window.loadFromConfiguration();
        QVERIFY(!control<QCheckBox>(window, "clockSyncEnabled")->isChecked());
        QVERIFY(!control<QComboBox>(window, "clockSyncHour")->isEnabled());
        QCOMPARE(control<QComboBox>(window, "clockSyncHour")->currentText(), QStringLiteral("00:00"));
        window.storeToConfiguration();
        QCOMPARE(window.configuration().clockSyncHour, 255);
    }

    void zummerMaskAlwaysHasBit5AndNeverBit6()
    {
        MainWindow window(noPorts());
        window.storeToConfiguration();
        QCOMPARE(window.configuration().zummerConfig, 0xBFu);
        for (const char* box : zummerBoxes) {
            control<QCheckBox>(window, box)->click();
        }
        window.storeToConfiguration();
        QCOMPARE(window.configuration().zummerConfig, 0x20u);
    }

    void zummerBoxesFollowTheirBits()
    {
        MainWindow window(noPorts());
        window.configuration().zummerConfig = 0x60 | 0x02 | 0x10 | 0x80;
        window.loadFromConfiguration();
        const bool expected[] = {false, true, false, false, true, true};
        for (int i = 0; i < 6; ++i) {
            QVERIFY2(control<QCheckBox>(window, zummerBoxes[i])->isChecked() == expected[i], zummerBoxes[i]);
        }
        window.storeToConfiguration();
        QCOMPARE(window.configuration().zummerConfig, 0x20u | 0x02u | 0x10u | 0x80u);
    }

    void setPasswordClearsAndEnablesTheLineEdit()
    {
        MainWindow window(noPorts());
        auto* setPassword = control<QCheckBox>(window, "setPassword");
        auto* password = control<QLineEdit>(window, "password");
        QVERIFY(!password->isEnabled());

        setPassword->click();
        QVERIFY(password->isEnabled());
        QVERIFY(control<QLabel>(window, "passwordLabel")->isEnabled());
        QVERIFY(window.isModified());
        QTest::keyClicks(password, "12a34567890");
        QCOMPARE(password->text(), QStringLiteral("12345678"));
        window.storeToConfiguration();
        QVERIFY(window.configuration().hasPassword);
        QCOMPARE(window.configuration().password, std::string("12345678"));

        setPassword->click();
        QVERIFY(!password->isEnabled());
        QVERIFY(password->text().isEmpty());
        window.storeToConfiguration();
        QVERIFY(!window.configuration().hasPassword);
        QVERIFY(window.configuration().password.empty());
    }

    void storedPasswordIsShownOnLoad()
    {
        MainWindow window(noPorts());
        window.configuration().storePassword("4711");
        window.loadFromConfiguration();
        QVERIFY(control<QCheckBox>(window, "setPassword")->isChecked());
        QVERIFY(control<QLineEdit>(window, "password")->isEnabled());
        QCOMPARE(control<QLineEdit>(window, "password")->text(), QStringLiteral("4711"));
    }

    void controlsSurviveAStoreAndLoad()
    {
        MainWindow window(noPorts());
        control<QSpinBox>(window, "pultAddress")->setValue(17);
        control<QComboBox>(window, "voltage")->setCurrentIndex(1);
        control<QComboBox>(window, "backlightLevel")->setCurrentIndex(3);
        control<QSpinBox>(window, "backlightTime")->setValue(200);
        control<QSpinBox>(window, "menuTime")->setValue(0);
        window.storeToConfiguration();

        MainWindow other(noPorts());
        other.configuration() = window.configuration();
        other.loadFromConfiguration();
        QCOMPARE(control<QSpinBox>(other, "pultAddress")->value(), 17);
        QCOMPARE(control<QComboBox>(other, "voltage")->currentIndex(), 1);
        QCOMPARE(control<QComboBox>(other, "backlightLevel")->currentIndex(), 3);
        QCOMPARE(control<QSpinBox>(other, "backlightTime")->value(), 200);
        QCOMPARE(control<QSpinBox>(other, "menuTime")->value(), 0);
    }

    void centralConsoleLoadsItsResetType()
    {
        MainWindow window(noPorts());
        window.configuration().setPultType(true);
        window.configuration().individualReset = false;
        window.loadFromConfiguration();
        QCOMPARE(control<QComboBox>(window, "pultType")->currentIndex(), 1);
        QVERIFY(control<QWidget>(window, "groupReset")->isVisibleTo(&window));
        QVERIFY(control<QAbstractButton>(window, "commonReset")->isChecked());
        window.storeToConfiguration();
        QVERIFY(!window.configuration().individualReset);
    }
};

QTEST_MAIN(OptionPagesTest)
#include "OptionPages_test.moc"
