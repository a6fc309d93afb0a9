// What the four table pages share through their base: Insert adds, Delete removes with the page's own
// question, Enter edits, each only while its button is enabled; and the devices page's filter.
#include "CommandsPageWidget.h"
#include "DevicesPageWidget.h"
#include "EventsPageWidget.h"
#include "PultsPageWidget.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/LCDCharset.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

using config_zelmar::Configuration;

namespace {

// One configuration with a row on every page, and the four pages over it.
struct Pages
{
    Configuration configuration;
    std::unique_ptr<PultsPageWidget> pults;
    std::unique_ptr<EventsPageWidget> events;
    std::unique_ptr<DevicesPageWidget> devices;
    std::unique_ptr<CommandsPageWidget> commands;

    explicit Pages(bool central)
    {
        configuration.setPultType(central);
        configuration.sections[central ? 1 : 0].address = central ? 1 : 0;
        for (int address = 1; address <= 3; ++address) {
            auto& device = configuration.sections[central ? 1 : 0].devices[address];
            device.address = address;
            device.names = std::make_shared<config_zelmar::DeviceNames>();
            for (auto* name :
                 {&device.names->deviceName, &device.names->outsName, &device.names->loop1Name,
                  &device.names->loop2Name, &device.names->line3Name, &device.names->line4Name}) {
                *name = u"Прибор";
            }
        }
        config_zelmar::EventTable table = Configuration::defaultEventTable;
        table.name = u"Двери";
        configuration.appendEventTable(table);
        config_zelmar::Command command(central);
        command.name = u"Сброс";
        configuration.commands.push_back(command);
        pults = std::make_unique<PultsPageWidget>(nullptr, &configuration);
        events = std::make_unique<EventsPageWidget>(nullptr, &configuration);
        devices = std::make_unique<DevicesPageWidget>(nullptr, events.get(), &configuration);
        commands = std::make_unique<CommandsPageWidget>(nullptr, &configuration);
    }

    TablePageWidget* page(const QString& name) const
    {
        if (name == "pults") {
            return pults.get();
        }
        if (name == "events") {
            return events.get();
        }
        return name == "devices" ? static_cast<TablePageWidget*>(devices.get()) : commands.get();
    }
};

QTableWidget* tableOf(const QWidget* page)
{
    return pageControl<QTableWidget>(page, "table");
}

// Presses the key on the page's table; true when a dialog came up (it is cancelled).
bool keyOpensDialog(QWidget* page, Qt::Key key)
{
    ModalCloser closer([](QDialog* dialog) { dialog->reject(); });
    QTest::keyClick(tableOf(page), key);
    return closer.appeared();
}

} // namespace

class TablePagesTest : public QObject
{
    Q_OBJECT

private slots:
    void keysDoWhatTheButtonsDo_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("lastRow"); // a row that may be deleted
        QTest::addColumn<QString>("deleteQuestion");
        QTest::newRow("consoles") << "pults" << 0 << "Удаление пульта";
        QTest::newRow("devices") << "devices" << 2 << "Удаление прибора";
        QTest::newRow("event tables") << "events" << 1 << "Удаление таблицы";
        QTest::newRow("commands") << "commands" << 0 << "Удаление команды";
    }

    void keysDoWhatTheButtonsDo()
    {
        QFETCH(QString, page);
        QFETCH(int, lastRow);
        QFETCH(QString, deleteQuestion);
        ScriptedPrompter prompter;
        Pages pages(true);
        TablePageWidget* shown = pages.page(page);
        const int rows = shown->rowCount();

        // Nothing selected: Enter and Delete do nothing, Insert adds.
        QVERIFY(!keyOpensDialog(shown, Qt::Key_Return));
        QTest::keyClick(tableOf(shown), Qt::Key_Delete);
        QVERIFY(prompter.boxes.isEmpty());
        QVERIFY(keyOpensDialog(shown, Qt::Key_Insert));

        tableOf(shown)->selectRow(lastRow);
        QVERIFY(keyOpensDialog(shown, Qt::Key_Return));
        QVERIFY(keyOpensDialog(shown, Qt::Key_Enter));

        prompter.answer = QMessageBox::No;
        QTest::keyClick(tableOf(shown), Qt::Key_Delete);
        QCOMPARE(prompter.count(QStringLiteral("question")), 1);
        QCOMPARE(prompter.lastBox().title, deleteQuestion);
        QCOMPARE(shown->rowCount(), rows);
        prompter.answer = QMessageBox::Yes;
        QSignalSpy modified(shown, &TablePageWidget::modified);
        QTest::keyClick(tableOf(shown), Qt::Key_Delete);
        QCOMPARE(shown->rowCount(), rows - 1);
        QCOMPARE(modified.count(), 1);
    }

    void keysFollowTheButtonsRules()
    {
        ScriptedPrompter prompter;
        Pages pages(true);
        // The default event table cannot be deleted, so Delete asks nothing on it.
        tableOf(pages.events.get())->selectRow(0);
        QTest::keyClick(tableOf(pages.events.get()), Qt::Key_Delete);
        QVERIFY(prompter.boxes.isEmpty());
        QCOMPARE(pages.events->rowCount(), 2);
        // A full page takes no Insert.
        for (int address = 2; address <= PultsPageWidget::maxPults; ++address) {
            pages.configuration.sections[address].address = address;
        }
        pages.pults->loadTable();
        QVERIFY(!keyOpensDialog(pages.pults.get(), Qt::Key_Insert));
    }

    void filterKeepsRowsWhoseAddressSectionOrNameContainsTheText_data()
    {
        QTest::addColumn<bool>("central");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("shownAddresses");
        const QList<int> all{5, 17, 40};
        QTest::newRow("nothing typed") << false << "" << all;
        QTest::newRow("address") << false << "17" << QList<int>{17};
        QTest::newRow("part of an address") << false << "4" << QList<int>{40};
        QTest::newRow("Cyrillic typed, look-alikes stored") << false << "дверь" << QList<int>{5};
        QTest::newRow("any case") << false << "ОКНО" << QList<int>{17};
        QTest::newRow("a loop name") << false << "Датчик дыма" << QList<int>{40};
        QTest::newRow("spaces around") << false << "  склад " << QList<int>{5, 40};
        QTest::newRow("no match") << false << "котельная" << QList<int>{};
        QTest::newRow("section on a central console") << true << "3" << QList<int>{40};
    }

    void filterKeepsRowsWhoseAddressSectionOrNameContainsTheText()
    {
        QFETCH(bool, central);
        QFETCH(QString, typed);
        QFETCH(QList<int>, shownAddresses);
        Configuration configuration;
        configuration.setPultType(central);
        const struct
        {
            int section;
            int address;
            const char16_t* device;
            const char16_t* loop1;
        } devices[] = {
            {1, 5, u"Дверь склада", u"Шлейф"}, {2, 17, u"Окно", u"Шлейф"}, {3, 40, u"Склад", u"Датчик дыма"}};
        for (const auto& d : devices) {
            const int section = central ? d.section : 0;
            configuration.sections[section].address = section;
            auto& device = configuration.sections[section].devices[d.address];
            device.address = d.address;
            device.names = std::make_shared<config_zelmar::DeviceNames>();
            device.names->deviceName = d.device;
            device.names->loop1Name = d.loop1;
            device.names->outsName = u"Выходы";
        }
        configuration.lcdCorrection(); // as stored after a dialog or a file: Latin look-alikes
        EventsPageWidget events(nullptr, &configuration);
        DevicesPageWidget page(nullptr, &events, &configuration);
        pageControl<QLineEdit>(&page, "filter")->setText(typed);

        QList<int> shown;
        QTableWidget* table = tableOf(&page);
        for (int row = 0; row < table->rowCount(); ++row) {
            if (!table->isRowHidden(row)) {
                shown << table->item(row, central ? 1 : 0)->text().toInt();
            }
        }
        QCOMPARE(shown, shownAddresses);
        QCOMPARE(page.shownRowCount(), shownAddresses.size());
        const QString count = pageControl<QLabel>(&page, "labelCount")->text();
        QCOMPARE(count.endsWith(QStringLiteral("(показано %1)").arg(shownAddresses.size())),
                 shownAddresses.size() != 3);
    }

    void aRowTheFilterHidesIsNoLongerSelected()
    {
        ScriptedPrompter prompter;
        Pages pages(false);
        QTableWidget* table = tableOf(pages.devices.get());
        table->selectRow(2);
        pageControl<QLineEdit>(pages.devices.get(), "filter")->setText(QStringLiteral("1"));
        QVERIFY(table->isRowHidden(2));
        QVERIFY(table->selectedItems().isEmpty());
        QVERIFY(!pageControl<QToolButton>(pages.devices.get(), "del")->isEnabled());
        QTest::keyClick(table, Qt::Key_Delete);
        QVERIFY(prompter.boxes.isEmpty());
        QCOMPARE(pages.devices->rowCount(), 3);

        pageControl<QLineEdit>(pages.devices.get(), "filter")->clear();
        QCOMPARE(pages.devices->shownRowCount(), 3);
    }
};

QTEST_MAIN(TablePagesTest)
#include "TablePages_test.moc"
