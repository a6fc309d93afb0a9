// The event names page and table dialog: limits, copy names, highlights, unique names, removal of used
// tables.
#include "EventTableEditDialog.h"
#include "EventsPageWidget.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/LCDCharset.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using config_zelmar::Configuration;
using config_zelmar::DeviceNames;
using config_zelmar::Event;
using config_zelmar::EventTable;

namespace {

EventTable namedTable(const std::u16string& name)
{
    EventTable table;
    table.name = name;
    table.texts[Event::loop1Fire] = u"ДЫМ";
    table.lcdCorrection(); // as every table of an opened file
    return table;
}

QString corrected(const QString& text)
{
    std::u16string wide = text.toStdU16String();
    config_zelmar::applyLcdLookAlike(wide);
    return QString::fromStdU16String(wide);
}

QTableWidget* tableOf(const QWidget& page)
{
    return pageControl<QTableWidget>(&page, "table");
}

bool enabled(const QWidget& page, const char* button)
{
    return pageControl<QToolButton>(&page, button)->isEnabled();
}

void useTable(Configuration& configuration, int address, uint32_t table)
{
    auto& device = configuration.sections[0].devices[address];
    device.address = address;
    device.names = std::make_shared<DeviceNames>();
    device.names->eventTable = table;
}

} // namespace

class PageEventsTest : public QObject
{
    Q_OBJECT

private slots:
    void newConfigurationShowsOnlyTheDefaultTable()
    {
        Configuration configuration;
        EventsPageWidget page(nullptr, &configuration);
        QCOMPARE(page.rowCount(), 1);
        QCOMPARE(tableOf(page)->item(0, 1)->text(), QStringLiteral("По умолчанию"));
        QCOMPARE(pageControl<QLabel>(&page, "labelCount")->text(), QStringLiteral("Всего таблиц: 1 / 16"));
        tableOf(page)->selectRow(0);
        QVERIFY(enabled(page, "edit"));
        for (const char* button : {"del", "clear", "makeFirst", "moveUp", "moveDown", "makeLast"}) {
            QVERIFY2(!enabled(page, button), button);
        }
    }

    void copyProposesIncrementedName_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("number") << QStringLiteral("Табл9") << QStringLiteral("Табл10");
        QTest::newRow("word") << QStringLiteral("Тревога") << QStringLiteral("Тревога2");
    }

    void copyProposesIncrementedName()
    {
        QFETCH(QString, source);
        QFETCH(QString, proposed);
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.appendEventTable(namedTable(source.toStdU16String()));
        EventsPageWidget page(nullptr, &configuration);
        tableOf(page)->selectRow(1);
        QString shown;
        ModalCloser closer([&](QDialog* dialog) {
            shown = pageControl<QLineEdit>(dialog, "name")->text();
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onCopy();
        QVERIFY(closer.appeared());
        QCOMPARE(shown, corrected(proposed));
        QCOMPARE(configuration.eventTables.size(), std::size_t(3));
        QCOMPARE(configuration.eventTables[2].texts[Event::loop1Fire], std::u16string(u"ДЫM"));
        QCOMPARE(page.rowCount(), 3);
        QCOMPARE(tableOf(page)->item(2, 0)->text(), QStringLiteral("2"));
    }

    void sixteenTablesDisableAddAndCopy()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        for (int i = 1; i < 16; ++i) {
            configuration.appendEventTable(namedTable(EventTable::defaultTableName(i)));
        }
        EventsPageWidget page(nullptr, &configuration);
        tableOf(page)->selectRow(4);
        QVERIFY(!enabled(page, "add"));
        QVERIFY(!enabled(page, "copy"));
        QVERIFY(!page.addTable(Configuration::defaultEventTable));
        QCOMPARE(configuration.eventTables.size(), std::size_t(16));
    }

    void highlightsFieldsThatDifferFromTheDefault()
    {
        Configuration configuration;
        EventTableEditDialog dialog(nullptr, &configuration, false, false);
        dialog.loadData(Configuration::defaultEventTable);
        for (int slot = 0; slot < int(Event::count); ++slot) {
            QVERIFY(!dialog.isHighlighted(slot));
        }
        auto* norm = pageControl<QLineEdit>(&dialog, "loop2Norm");
        QTest::keyClick(norm, Qt::Key_Backspace);
        QVERIFY(dialog.isHighlighted(Event::loop2Norm));
        // The Cyrillic letters of the typed word fall onto the default's Latin twins.
        norm->setText(QStringLiteral("НОРМА"));
        emit norm->textEdited(norm->text());
        QVERIFY(!dialog.isHighlighted(Event::loop2Norm));

        auto* fire = pageControl<QCheckBox>(&dialog, "line3ActivationE");
        fire->click();
        QVERIFY(dialog.isHighlighted(Event::line3Activation));
        fire->click();
        QVERIFY(!dialog.isHighlighted(Event::line3Activation));
        pageControl<QCheckBox>(&dialog, "loop1FireE")->click();
        QVERIFY(dialog.isHighlighted(Event::loop1Fire));
    }

    void tableNamesStayUnique()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.appendEventTable(namedTable(u"Двери"));
        configuration.appendEventTable(namedTable(u"Окна"));
        EventTableEditDialog own(nullptr, &configuration, false, true);
        own.loadData(configuration.eventTables[2]);
        own.onAccepted();
        QCOMPARE(own.result(), int(QDialog::Accepted));
        QCOMPARE(prompter.boxes.size(), 0);

        EventTableEditDialog other(nullptr, &configuration, false, true);
        other.loadData(configuration.eventTables[2]);
        pageControl<QLineEdit>(&other, "name")->setText(QStringLiteral("Двери "));
        other.onAccepted();
        QCOMPARE(other.result(), int(QDialog::Rejected));
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Таблица с названием \"Двери \" уже добавлена!"));

        pageControl<QLineEdit>(&other, "name")->setText(QStringLiteral("Ворота"));
        pageControl<QLineEdit>(&other, "deviceTamper")->setText(QStringLiteral(" "));
        other.onAccepted();
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Введите названия всех событий!"));
        pageControl<QLineEdit>(&other, "name")->clear();
        other.onAccepted();
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Введите название таблицы!"));
        QCOMPARE(configuration.eventTables[2].name, std::u16string(u"Oкнa"));
    }

    void defaultTableOpensReadOnly()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        EventsPageWidget page(nullptr, &configuration);
        QSignalSpy modified(&page, &EventsPageWidget::modified);
        tableOf(page)->selectRow(0);
        ModalCloser closer([](QDialog* dialog) {
            auto* name = pageControl<QLineEdit>(dialog, "name");
            QCOMPARE(name->text(), QStringLiteral("По умолчанию"));
            QVERIFY(!name->isEnabled());
            QVERIFY(!pageControl<QLineEdit>(dialog, "outsFailure")->isEnabled());
            QVERIFY(!pageControl<QCheckBox>(dialog, "loop1WarningE")->isEnabled());
            QCOMPARE(pageControl<QDialogButtonBox>(dialog, "buttonBox")->standardButtons(),
                     QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok));
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onEdit();
        QVERIFY(closer.appeared());
        QCOMPARE(modified.count(), 0);
        QVERIFY(configuration.eventTables[0] == Configuration::defaultEventTable);
    }

    void deletingAUsedTableWarnsAndReloadsDevices()
    {
        ScriptedPrompter prompter;
        prompter.answer = QMessageBox::Yes;
        Configuration configuration;
        configuration.appendEventTable(namedTable(u"Двери"));
        configuration.appendEventTable(namedTable(u"Окна"));
        useTable(configuration, 1, 2);
        EventsPageWidget page(nullptr, &configuration);
        QSignalSpy reloads(&page, &EventsPageWidget::reloadDevicesTable);

        tableOf(page)->selectRow(1);
        page.onDel();
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Удаление таблицы"));
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Удалить таблицу \"Двepи\"?"));
        QCOMPARE(reloads.count(), 0);
        QCOMPARE(tableOf(page)->item(1, 0)->text(), QStringLiteral("1"));
        QCOMPARE(tableOf(page)->item(1, 1)->text(), QStringLiteral("Oкнa"));
        QCOMPARE(configuration.sections[0].devices[1].names->eventTable, 1u);

        tableOf(page)->selectRow(1);
        page.onDel();
        QCOMPARE(
            prompter.lastBox().text,
            QStringLiteral("Удалить таблицу \"Oкнa\"?\n\nВ конфигурации обнаружены приборы, использующие "
                           "данную таблицу. После удаления для них будут установлены названия событий по "
                           "умолчанию."));
        QCOMPARE(reloads.count(), 1);
        QCOMPARE(configuration.sections[0].devices[1].names->eventTable, 0u);
        QCOMPARE(page.rowCount(), 1);
    }

    void movesKeepDeviceReferencesAndSelection()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        for (const char16_t* name : {u"A", u"B", u"C"}) {
            configuration.appendEventTable(namedTable(name));
        }
        useTable(configuration, 1, 3);
        EventsPageWidget page(nullptr, &configuration);
        QSignalSpy reloads(&page, &EventsPageWidget::reloadDevicesTable);
        tableOf(page)->selectRow(3);
        QVERIFY(enabled(page, "makeFirst"));
        QVERIFY(!enabled(page, "moveDown"));
        page.onMakeFirst();
        QCOMPARE(tableOf(page)->item(1, 1)->text(), QStringLiteral("C"));
        QCOMPARE(tableOf(page)->currentRow(), 1);
        QCOMPARE(configuration.sections[0].devices[1].names->eventTable, 1u);
        QVERIFY(!enabled(page, "moveUp"));
        page.onMoveDown();
        QCOMPARE(tableOf(page)->item(2, 1)->text(), QStringLiteral("C"));
        page.onMakeLast();
        QCOMPARE(tableOf(page)->item(3, 1)->text(), QStringLiteral("C"));
        QCOMPARE(configuration.sections[0].devices[1].names->eventTable, 3u);
        page.onMoveUp();
        QCOMPARE(tableOf(page)->item(2, 1)->text(), QStringLiteral("C"));
        QCOMPARE(tableOf(page)->item(3, 1)->text(), QStringLiteral("B"));
        QCOMPARE(reloads.count(), 4);
    }

    void editRenamesAndCorrectsLetters()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.appendEventTable(namedTable(u"Двери"));
        EventsPageWidget page(nullptr, &configuration);
        QSignalSpy reloads(&page, &EventsPageWidget::reloadDevicesTable);
        tableOf(page)->selectRow(1);
        ModalCloser closer([](QDialog* dialog) {
            pageControl<QLineEdit>(dialog, "name")->setText(QStringLiteral("  Сейф "));
            pageControl<QLineEdit>(dialog, "loop1Norm")->setText(QStringLiteral("ЗАКРЫТ"));
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onEdit();
        QVERIFY(closer.appeared());
        QCOMPARE(configuration.eventTables[1].name, std::u16string(u"Ceйф"));
        QCOMPARE(configuration.eventTables[1].texts[Event::loop1Norm], std::u16string(u"ЗAKPЫT"));
        QCOMPARE(tableOf(page)->item(1, 1)->text(), QStringLiteral("Ceйф"));
        QCOMPARE(reloads.count(), 1);
    }
};

QTEST_MAIN(PageEventsTest)
#include "PageEvents_test.moc"
