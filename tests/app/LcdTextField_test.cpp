// Every name and event text field shows the characters left and the text as the panel's display shows
// it; a longer text is cut with a word; accepting characters the display cannot show asks first, in
// each edit dialog.
#include "DeviceCommandEditDialog.h"
#include "DeviceEditDialog.h"
#include "EventTableEditDialog.h"
#include "LcdTextField.h"
#include "PultChecker.h"
#include "PultEditDialog.h"
#include "support/Controls.h"
#include "support/ScriptedPrompter.h"

#include <config_zelmar/Configuration.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <memory>

using config_zelmar::Configuration;

namespace {

const QString fire = QString::fromUtf8("\xF0\x9F\x94\xA5"); // an emoji: two UTF-16 units, two display cells

QString repeated(const char* text, int times)
{
    QString result;
    for (int i = 0; i < times; ++i) {
        result += QString::fromUtf8(text);
    }
    return result;
}

} // namespace

class LcdTextFieldTest : public QObject
{
    Q_OBJECT

private slots:
    void counterAndDisplayFollowTheText_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("unshowable");
        QTest::addColumn<QString>("cutNote");
        QTest::newRow("Cyrillic look-alikes show as the Latin letters stored")
            << 20 << "Дверь" << false << "Дверь" << 15 << QStringLiteral("Дв\u0065\u0070ь") << ""
            << "";
        QTest::newRow("an emoji takes two cells, each a dot")
            << 20 << "Пожар " + fire << false << "Пожар " + fire << 12 << QStringLiteral("Пo\u0436ap ..")
            << fire << "";
        QTest::newRow("a sign without a display code") << 10 << "5 €" << false << "5 €" << 7 << "5 ."
                                                       << "€"
                                                       << "";
        QTest::newRow("a 25-character paste is cut to 20 with a word")
            << 20 << repeated("Склад", 5) << true << repeated("Склад", 4) << 0 << repeated("C\u043Aлaд", 4)
            << ""
            << "Поле вмещает не более 20 символов. Отброшено символов: 5.";
        QTest::newRow("an event text takes 10")
            << 10 << "НЕИСПРАВНОСТЬ" << true << "НЕИСПРАВНО" << 0 << "HEИCПPABHO"
            << ""
            << "Поле вмещает не более 10 символов. Отброшено символов: 3.";
        QTest::newRow("typing past a command name's 19")
            << 19 << repeated("x", 20) << false << repeated("x", 19) << 0 << repeated("x", 19) << ""
            << "Поле вмещает не более 19 символов. Отброшено символов: 1.";
        QTest::newRow("a full stop is shown as one") << 10 << "Эт. 2" << false << "Эт. 2" << 5 << "Эт. 2"
                                                     << ""
                                                     << "";
    }

    void counterAndDisplayFollowTheText()
    {
        QFETCH(int, width);
        QFETCH(QString, input);
        QFETCH(bool, paste);
        QFETCH(QString, kept);
        QFETCH(int, left);
        QFETCH(QString, display);
        QFETCH(QString, unshowable);
        QFETCH(QString, cutNote);
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("deviceName"));
        layout->addWidget(edit);
        LcdTextField* field = LcdTextField::attach(edit, width);
        if (paste) {
            QApplication::clipboard()->setText(input);
            edit->paste();
        } else {
            edit->insert(input);
        }
        QCOMPARE(edit->text(), kept);
        QCOMPARE(field->charactersLeft(), left);
        QCOMPARE(control<QLabel>(window, "deviceNameLeft")->text(), QString::number(left));
        QCOMPARE(field->displayText(), display);
        QCOMPARE(field->unshowableCharacters(), unshowable);
        QCOMPARE(field->lastCutNote(), cutNote);
        const QString html = control<QLabel>(window, "deviceNameDisplay")->text();
        QCOMPARE(html.count(QStringLiteral("color:#c00000")),
                 display.count(QLatin1Char('.')) - kept.left(width).count(QLatin1Char('.')));
        QCOMPARE(control<QLabel>(window, "deviceNameLeft")->styleSheet().isEmpty(), cutNote.isEmpty());
    }

    void counterAndDisplayFollowTheFieldsVisibilityAndState()
    {
        Configuration configuration;
        config_zelmar::Section section;
        section.address = 2;
        PultChecker checker(&configuration, -1);
        PultEditDialog dialog(nullptr, &section, &checker);
        dialog.loadData();
        dialog.show();
        auto* dublerDisplay = control<QLabel>(dialog, "dublerNameDisplay");
        QVERIFY(!dublerDisplay->isVisible()); // no duplicate console: its name row is hidden
        QVERIFY(!control<QLabel>(dialog, "nameDisplay")->isEnabled()); // default name: the field is disabled
        control<QCheckBox>(dialog, "dubler")->click();
        QVERIFY(dublerDisplay->isVisible());
        control<QCheckBox>(dialog, "defaultName")->click();
        QVERIFY(control<QLabel>(dialog, "nameDisplay")->isEnabled());
    }

    void acceptingUnshowableCharactersAsksFirst_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("accepted");
        for (const char* dialog : {"console", "device", "event table", "command"}) {
            const char* field = QByteArray(dialog) == "event table" ? "loop1Norm"
                                : QByteArray(dialog) == "device"    ? "loop2Name"
                                                                    : "name";
            QTest::addRow("%s: Нет keeps it open", dialog)
                << dialog << field << "Склад €" << int(QMessageBox::No) << true << false;
            QTest::addRow("%s: Да accepts", dialog)
                << dialog << field << "Склад €" << int(QMessageBox::Yes) << true << true;
            QTest::addRow("%s: showable, no question", dialog)
                << dialog << field << "Склад 2" << int(QMessageBox::No) << false << true;
        }
    }

    void acceptingUnshowableCharactersAsksFirst()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, accepted);
        ScriptedPrompter prompter;
        prompter.answer = QMessageBox::StandardButton(answer);
        Configuration configuration;
        config_zelmar::Section section;
        section.address = 1;
        section.name = u"Пульт";
        PultChecker checker(&configuration, -1);
        std::unique_ptr<QDialog> shown;
        std::function<void()> pressOk;
        if (dialog == "console") {
            auto* pult = new PultEditDialog(nullptr, &section, &checker);
            pult->loadData();
            pressOk = [pult] { pult->accept(); };
            shown.reset(pult);
        } else if (dialog == "device") {
            auto* device = new DeviceEditDialog(nullptr, &configuration, nullptr);
            if (control<QCheckBox>(device, "defaultNames")->isChecked()) {
                control<QCheckBox>(device, "defaultNames")->click(); // own names
            }
            pressOk = [device] { device->onAccepted(); };
            shown.reset(device);
        } else if (dialog == "event table") {
            auto* table = new EventTableEditDialog(nullptr, &configuration, false, false);
            config_zelmar::EventTable named = Configuration::defaultEventTable;
            named.name = u"Табл";
            table->loadData(named);
            pressOk = [table] { table->onAccepted(); };
            shown.reset(table);
        } else {
            auto* command = new DeviceCommandEditDialog(nullptr, &configuration, false);
            command->loadData(config_zelmar::Command(false), true);
            pressOk = [command] { command->onAccepted(); };
            shown.reset(command);
        }
        shown->show();
        control<QLineEdit>(shown.get(), field.toLatin1().constData())->setText(text);
        pressOk();

        QCOMPARE(prompter.count(QStringLiteral("question")), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(prompter.lastBox().title, QStringLiteral("Экран прибора"));
            QCOMPARE(
                prompter.lastBox().text,
                QStringLiteral("Экран прибора не может показать символы: €. Вместо каждого из них он покажет "
                               "точку.\nСохранить текст так?"));
            QCOMPARE(prompter.lastBox().defaultButton, QMessageBox::No);
        }
        QCOMPARE(prompter.count(QStringLiteral("warning")), 0);
        QCOMPARE(shown->result() == QDialog::Accepted, accepted);
        QCOMPARE(shown->isVisible(), !accepted);
        QCOMPARE(control<QLineEdit>(shown.get(), field.toLatin1().constData())->text(), text);
    }
};

QTEST_MAIN(LcdTextFieldTest)
#include "LcdTextField_test.moc"
