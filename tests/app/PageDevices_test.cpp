// The devices page and dialog: row limits, free places, confirmations, default names and event tables.
#include "DeviceEditDialog.h"
#include "DevicesPageWidget.h"
#include "EventsPageWidget.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <config_zelmar/Configuration.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using config_zelmar::Configuration;
using config_zelmar::Device;
using config_zelmar::DeviceNames;
using config_zelmar::Section;

namespace {

QString text(const std::u16string& wide)
{
    return QString::fromStdU16String(wide);
}

Device namedDevice(int address, const std::u16string& name, uint32_t eventTable = 0)
{
    Device device;
    device.address = address;
    device.names = std::make_shared<DeviceNames>();
    device.names->eventTable = eventTable;
    device.names->deviceName = name;
    for (auto* field : {&device.names->outsName, &device.names->loop1Name, &device.names->loop2Name,
                        &device.names->line3Name, &device.names->line4Name}) {
        *field = name;
    }
    return device;
}

void addPlainDevices(Configuration& configuration, int section, int from, int to)
{
    for (int address = from; address <= to; ++address) {
        configuration.sections[section].devices[address].address = address;
    }
}

QTableWidget* tableOf(const QWidget& page)
{
    return pageControl<QTableWidget>(&page, "table");
}

QString countLabel(const QWidget& page)
{
    return pageControl<QLabel>(&page, "labelCount")->text();
}

QLineEdit* field(QWidget* dialog, const char* name)
{
    return pageControl<QLineEdit>(dialog, name);
}

} // namespace

class PageDevicesTest : public QObject
{
    Q_OBJECT

private slots:
    void centralLimitFollowsNameMemory()
    {
        Configuration configuration;
        configuration.setPultType(true);
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        QCOMPARE(page.maxRowCount(), 300);
        QCOMPARE(countLabel(page), QStringLiteral("Всего переименованных приборов: 0 / 300"));
        QCOMPARE(tableOf(page)->horizontalHeaderItem(0)->text(), QStringLiteral("Секция"));

        configuration.sections[1].address = 1;
        configuration.sections[1].name = u"Склад";
        page.updateMaxRowCount();
        QCOMPARE(page.maxRowCount(), 299);
        configuration.sections[1].dubler = true;
        page.updateMaxRowCount();
        QCOMPARE(page.maxRowCount(), 299);
        for (int address = 2; address <= 24; ++address) {
            configuration.sections[address].name = u"Пост";
            configuration.sections[address].dubler = true;
        }
        page.updateMaxRowCount();
        QCOMPARE(page.maxRowCount(), (36600 - 24 * 40) / 122);
    }

    void sectionConsoleFullRangeDisablesAddAndPresetsOne()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        addPlainDevices(configuration, 0, 1, 127);
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        QCOMPARE(page.rowCount(), 127);
        QCOMPARE(countLabel(page), QStringLiteral("Всего приборов: 127 / 127"));
        QVERIFY(!pageControl<QToolButton>(&page, "add")->isEnabled());
        tableOf(page)->selectRow(3);
        QVERIFY(!pageControl<QToolButton>(&page, "copy")->isEnabled());
        QCOMPARE(tableOf(page)->item(3, 2)->text(), QStringLiteral("По умолчанию"));
        QVERIFY(tableOf(page)->item(3, 3)->font().italic());

        int proposed = 0;
        ModalCloser closer([&](QDialog* dialog) {
            proposed = pageControl<QSpinBox>(dialog, "address")->value();
            ModalCloser::pressCancel(dialog);
        });
        page.onAdd();
        QVERIFY(closer.appeared());
        QCOMPARE(proposed, 1);
    }

    void addingAnExistingAddressAsksToReplace()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        addPlainDevices(configuration, 0, 1, 4);
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        QSignalSpy modified(&page, &DevicesPageWidget::modified);
        ModalCloser first([](QDialog* dialog) {
            QCOMPARE(pageControl<QSpinBox>(dialog, "address")->value(), 5);
            QCOMPARE(field(dialog, "deviceName")->text(), QStringLiteral("Aдpec 5"));
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onAdd();
        QVERIFY(first.appeared());
        QCOMPARE(configuration.sections[0].devices.size(), std::size_t(5));
        QCOMPARE(tableOf(page)->currentRow(), 4);

        auto typeAddressFive = [](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "address")->setValue(5);
            pageControl<QSpinBox>(dialog, "zone")->setValue(9);
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        };
        // Answered No, the replace question leaves the dialog open; it is cancelled then.
        ModalCloser second([](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "address")->setValue(5);
            pageControl<QSpinBox>(dialog, "zone")->setValue(9);
            QVERIFY(!ModalCloser::pressOkOrCancel(dialog));
        });
        page.onAdd();
        QVERIFY(second.appeared());
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Добавление прибора"));
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Адрес 5 уже добавлен. Заменить?"));
        QCOMPARE(prompter.lastBox().defaultButton, QMessageBox::No);
        QCOMPARE(configuration.sections[0].devices.at(5).zone, 1);
        QCOMPARE(page.rowCount(), 5);
        QCOMPARE(modified.count(), 1);

        prompter.answers = {QMessageBox::Yes};
        ModalCloser third(typeAddressFive);
        page.onAdd();
        QCOMPARE(configuration.sections[0].devices.at(5).zone, 9);
        QCOMPARE(page.rowCount(), 5);
        QCOMPARE(tableOf(page)->item(4, 1)->text(), QStringLiteral("9"));
        QCOMPARE(modified.count(), 2);
    }

    void aDeclinedFollowUpQuestionKeepsTheDialogOpenWithItsFields_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("central");
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("question");
        QTest::newRow("add into a missing section")
            << "add" << true << 4 << 7 << "Будет добавлен секционный пульт с адресом 4. Продолжить?";
        QTest::newRow("add over a device") << "add" << false << 0 << 2 << "Адрес 2 уже добавлен. Заменить?";
        QTest::newRow("copy onto itself") << "copy" << false << 0 << 1 << "Адрес 1 уже добавлен. Заменить?";
        QTest::newRow("move onto a device")
            << "edit" << true << 1 << 2 << "В секции 1 адрес 2 уже добавлен. Заменить?";
    }

    // The question comes with the dialog still open: No leaves it open with what was typed, and a
    // second OK answered Yes stores it.
    void aDeclinedFollowUpQuestionKeepsTheDialogOpenWithItsFields()
    {
        QFETCH(QString, command);
        QFETCH(bool, central);
        QFETCH(int, section);
        QFETCH(int, address);
        QFETCH(QString, question);
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(central);
        const int own = central ? 1 : 0;
        configuration.sections[own].address = own;
        configuration.sections[own].devices[1] = namedDevice(1, u"Первый");
        configuration.sections[own].devices[2] = namedDevice(2, u"Второй");
        const Configuration before = configuration;
        EventsPageWidget events(nullptr, &configuration);
        DevicesPageWidget page(nullptr, &events, &configuration);
        tableOf(page)->selectRow(0);

        bool stayedOpen = false;
        QString keptName;
        int keptAddress = 0;
        ModalCloser closer([&](QDialog* dialog) {
            if (central) {
                pageControl<QSpinBox>(dialog, "section")->setValue(section);
            }
            pageControl<QSpinBox>(dialog, "address")->setValue(address);
            for (const char* name :
                 {"deviceName", "outsName", "loop1Name", "loop2Name", "line3Name", "line4Name"}) {
                field(dialog, name)->setText(QStringLiteral("Набрано"));
            }
            prompter.answers = {QMessageBox::No};
            ModalCloser::pressOk(dialog);
            stayedOpen = dialog->isVisible();
            keptName = field(dialog, "loop2Name")->text();
            keptAddress = pageControl<QSpinBox>(dialog, "address")->value();
            QVERIFY(sameContent(configuration, before));
            prompter.answers = {QMessageBox::Yes};
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        if (command == "add") {
            page.onAdd();
        } else if (command == "copy") {
            page.onCopy();
        } else {
            page.onEdit();
        }
        QVERIFY(closer.appeared());
        QCOMPARE(prompter.boxes.first().text, question);
        QVERIFY(stayedOpen);
        QCOMPARE(keptName, QStringLiteral("Набрано"));
        QCOMPARE(keptAddress, address);
        const int target = central ? section : 0;
        QCOMPARE(configuration.sections.at(target).devices.at(address).names->loop2Name,
                 std::u16string(u"Ha\u0431pa\u043Do"));
    }

    void missingSectionIsCreatedOnlyAfterConfirmation()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(true);
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        QSignalSpy pultReloads(&page, &DevicesPageWidget::reloadPultsTable);
        auto fillSectionThree = [](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "section")->setValue(3);
            pageControl<QSpinBox>(dialog, "address")->setValue(12);
            for (const char* name :
                 {"deviceName", "outsName", "loop1Name", "loop2Name", "line3Name", "line4Name"}) {
                field(dialog, name)->setText(QStringLiteral("Дверь"));
            }
        };
        prompter.answers = {QMessageBox::No};
        ModalCloser declined([&](QDialog* dialog) {
            fillSectionThree(dialog);
            QVERIFY(!ModalCloser::pressOkOrCancel(dialog)); // stays open on No
        });
        page.onAdd();
        QVERIFY(declined.appeared());
        QCOMPARE(prompter.lastBox().text,
                 QStringLiteral("Будет добавлен секционный пульт с адресом 3. Продолжить?"));
        QCOMPARE(prompter.lastBox().defaultButton, QMessageBox::Yes);
        QVERIFY(configuration.sections.empty());
        QCOMPARE(pultReloads.count(), 0);

        prompter.answers = {QMessageBox::Yes};
        ModalCloser confirmed([&](QDialog* dialog) {
            fillSectionThree(dialog);
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onAdd();
        QCOMPARE(configuration.sections.at(3).address, 3);
        QCOMPARE(configuration.sections.at(3).devices.at(12).names->deviceName, std::u16string(u"Двepь"));
        QCOMPARE(pultReloads.count(), 1);
        QCOMPARE(page.rowCount(), 1);
        QCOMPARE(tableOf(page)->item(0, 0)->text(), QStringLiteral("3"));
        QCOMPARE(tableOf(page)->item(0, 1)->text(), QStringLiteral("12"));
    }

    void defaultNamesStoreNoOwnNames()
    {
        Configuration configuration;
        Device device = namedDevice(8, u"Вход");
        DeviceEditDialog dialog(nullptr, &configuration, nullptr);
        dialog.loadDevice(device, 0);
        QCOMPARE(field(&dialog, "deviceName")->text(), QStringLiteral("Вход"));
        pageControl<QCheckBox>(&dialog, "defaultNames")->click();
        QCOMPARE(field(&dialog, "loop1Name")->text(), text(config_zelmar::defaultLoop1Name(8, 0)));
        QVERIFY(!field(&dialog, "loop1Name")->isEnabled());
        QVERIFY(!pageControl<QToolButton>(&dialog, "addEventTable")->isEnabled());
        dialog.onAccepted();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.storeDevice(device);
        QVERIFY(device.names == nullptr);
    }

    void defaultNamesFollowTheAddressUnlessTyped()
    {
        Configuration configuration;
        configuration.setPultType(true);
        configuration.sections[2].address = 2;
        configuration.sections[2].devices[5] = namedDevice(5, u"X");
        configuration.sections[2].devices[5].names->deviceName = config_zelmar::defaultDeviceName(5, 2);
        configuration.sections[2].devices[5].names->outsName = config_zelmar::defaultOutsName(5, 2);
        DeviceEditDialog dialog(nullptr, &configuration, nullptr);
        QVERIFY(pageControl<QCheckBox>(&dialog, "defaultNames")->isHidden());
        QVERIFY(pageControl<QSpinBox>(&dialog, "zone")->isHidden());
        dialog.loadDevice(configuration.sections[2].devices[5], 2);
        pageControl<QSpinBox>(&dialog, "address")->setValue(6);
        QCOMPARE(field(&dialog, "deviceName")->text(), QStringLiteral("Aдpec 2.6"));
        QCOMPARE(field(&dialog, "outsName")->text(), text(config_zelmar::defaultOutsName(6, 2)));
        QCOMPARE(field(&dialog, "loop1Name")->text(), QStringLiteral("X"));
        pageControl<QSpinBox>(&dialog, "section")->setValue(4);
        QCOMPARE(field(&dialog, "deviceName")->text(), QStringLiteral("Aдpec 4.6"));
        QCOMPARE(dialog.section(), 4);

        Configuration sectionConsole;
        DeviceEditDialog fresh(nullptr, &sectionConsole, nullptr);
        QCOMPARE(field(&fresh, "line4Name")->text(), text(config_zelmar::defaultLine4Name(1, 0)));
        field(&fresh, "loop2Name")->setText(QStringLiteral("Окно"));
        fresh.preset(0, 17);
        QCOMPARE(field(&fresh, "line4Name")->text(), text(config_zelmar::defaultLine4Name(17, 0)));
        QCOMPARE(field(&fresh, "loop2Name")->text(), QStringLiteral("Окно"));
        QCOMPARE(fresh.section(), 0);

        // A renamed device on a central console starts with empty names: OK alone stores nothing.
        Configuration central;
        central.setPultType(true);
        DeviceEditDialog added(nullptr, &central, nullptr);
        added.preset(2, 5);
        QVERIFY(field(&added, "deviceName")->text().isEmpty());
        QVERIFY(field(&added, "line3Name")->text().isEmpty());
    }

    void refusesEmptyNamesFieldByField()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        DeviceEditDialog dialog(nullptr, &configuration, nullptr);
        field(&dialog, "loop2Name")->setText(QStringLiteral("  \t"));
        dialog.onAccepted();
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Ошибка"));
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Введите название шлейфа 2!"));
        field(&dialog, "deviceName")->clear();
        dialog.onAccepted();
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Введите название прибора!"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void strayEventTableReferenceShowsDefault()
    {
        Configuration configuration;
        config_zelmar::EventTable table;
        table.name = u"Двери";
        configuration.appendEventTable(table);
        configuration.sections[0].devices[3] = namedDevice(3, u"A", 99);
        configuration.sections[0].devices[4] = namedDevice(4, u"B", 1);
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        QCOMPARE(tableOf(page)->item(0, 2)->text(), QStringLiteral("По умолчанию"));
        QCOMPARE(tableOf(page)->item(1, 2)->text(), QStringLiteral("Двери"));
        QVERIFY(tableOf(page)->item(1, 3)->font().bold());

        DeviceEditDialog dialog(nullptr, &configuration, nullptr);
        dialog.loadDevice(configuration.sections[0].devices[3], 0);
        QCOMPARE(pageControl<QComboBox>(&dialog, "eventTable")->currentIndex(), 0);
        dialog.loadDevice(configuration.sections[0].devices[4], 0);
        QCOMPARE(pageControl<QComboBox>(&dialog, "eventTable")->currentIndex(), 1);
    }

    void addsEventTableFromTheDialogUntilSixteen()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        for (int i = 1; i < 15; ++i) {
            configuration.appendEventTable(Configuration::defaultEventTable);
        }
        EventsPageWidget events(nullptr, &configuration);
        DeviceEditDialog dialog(nullptr, &configuration, &events);
        auto* addTable = pageControl<QToolButton>(&dialog, "addEventTable");
        QVERIFY(addTable->isEnabled());
        ModalCloser accept([](QDialog* tableDialog) {
            QCOMPARE(pageControl<QLineEdit>(tableDialog, "name")->text(), QStringLiteral("Taблицa 15"));
            QVERIFY(ModalCloser::pressOkOrCancel(tableDialog));
        });
        dialog.addEventTableClicked();
        QVERIFY(accept.appeared());
        QCOMPARE(configuration.eventTables.size(), std::size_t(16));
        QCOMPARE(pageControl<QComboBox>(&dialog, "eventTable")->currentIndex(), 15);
        QVERIFY(!addTable->isEnabled());
        QCOMPARE(events.rowCount(), 16);
    }

    void editingToAnotherAddressMovesTheDevice()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.sections[0].devices[2] = namedDevice(2, u"Дверь");
        configuration.sections[0].devices[2].zone = 4;
        addPlainDevices(configuration, 0, 9, 9);
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        tableOf(page)->selectRow(0);
        ModalCloser toNine([](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "address")->setValue(9);
            QVERIFY(!ModalCloser::pressOkOrCancel(dialog)); // No to the replace question keeps it open
        });
        page.onEdit();
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Редактирование прибора"));
        QCOMPARE(configuration.sections[0].devices.count(2), std::size_t(1));

        tableOf(page)->selectRow(0);
        ModalCloser toTen([](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "address")->setValue(10);
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onEdit();
        QVERIFY(toTen.appeared());
        QCOMPARE(configuration.sections[0].devices.count(2), std::size_t(0));
        const Device& moved = configuration.sections[0].devices.at(10);
        QCOMPARE(moved.zone, 4);
        QCOMPARE(moved.names->deviceName, std::u16string(u"Двepь"));
        QCOMPARE(page.rowCount(), 2);
        QCOMPARE(tableOf(page)->item(1, 0)->text(), QStringLiteral("10"));
        QCOMPARE(tableOf(page)->currentRow(), 1);
    }

    void copyOntoAnUnlistedDeviceListsIt()
    {
        ScriptedPrompter prompter;
        prompter.answers = {QMessageBox::Yes};
        Configuration configuration;
        configuration.setPultType(true);
        configuration.sections[2].address = 2;
        configuration.sections[2].devices[5].address = 5; // default names: not listed on a central console
        configuration.sections[2].devices[6] = namedDevice(6, u"Hacoc");
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        QCOMPARE(page.rowCount(), 1);
        tableOf(page)->selectRow(0);
        ModalCloser closer([](QDialog* dialog) {
            QCOMPARE(pageControl<QSpinBox>(dialog, "address")->value(), 6);
            pageControl<QSpinBox>(dialog, "address")->setValue(5);
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onCopy();
        QVERIFY(closer.appeared());
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Копирование прибора"));
        QCOMPARE(prompter.lastBox().text, QStringLiteral("В секции 2 адрес 5 уже добавлен. Заменить?"));
        QCOMPARE(configuration.sections[2].devices.at(5).names->deviceName, std::u16string(u"Hacoc"));
        QCOMPARE(configuration.sections[2].devices.at(6).names->deviceName, std::u16string(u"Hacoc"));
        QCOMPARE(page.rowCount(), 2);
        QCOMPARE(tableOf(page)->item(0, 1)->text(), QStringLiteral("5"));
        QCOMPARE(tableOf(page)->currentRow(), 0);
    }

    void columnsShowTheirHeadersAndTheLongestDefaultTexts()
    {
        Configuration configuration;
        configuration.setPultType(true);
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        page.loadTable();
        QTableWidget* table = tableOf(page);
        QFont bold = table->font();
        bold.setWeight(75);
        const QFontMetrics metrics(bold);
        QVERIFY(table->columnWidth(0) >= table->horizontalHeader()->sectionSizeHint(0)); // "Секция"
        QVERIFY(table->columnWidth(2) > metrics.horizontalAdvance(QStringLiteral("По умолчанию")));
        const QString longest = text(config_zelmar::defaultLoop1Name(127, 24));
        for (int column = 3; column < 8; ++column) {
            QVERIFY(table->columnWidth(column) > metrics.horizontalAdvance(longest));
        }
        QVERIFY(table->columnWidth(1) >= 50);
    }

    void reloadClearsTheSelection()
    {
        Configuration configuration;
        configuration.sections[0].devices[3] = namedDevice(3, u"A");
        configuration.sections[0].devices[4] = namedDevice(4, u"B");
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        tableOf(page)->selectRow(0);
        QVERIFY(pageControl<QToolButton>(&page, "del")->isEnabled());
        configuration.sections[0].devices.erase(3); // another page changed the devices
        page.loadTable();
        QVERIFY(tableOf(page)->selectedItems().isEmpty());
        QVERIFY(!pageControl<QToolButton>(&page, "del")->isEnabled());
        QVERIFY(!pageControl<QToolButton>(&page, "edit")->isEnabled());
        QVERIFY(!pageControl<QToolButton>(&page, "copy")->isEnabled());
    }

    void deletesAndClearsWithTheModeTexts()
    {
        ScriptedPrompter prompter;
        prompter.answer = QMessageBox::Yes;
        Configuration configuration;
        configuration.setPultType(true);
        configuration.sections[2].devices[7] = namedDevice(7, u"A");
        configuration.sections[2].devices[8] = namedDevice(8, u"B");
        configuration.sections[3].devices[1].address = 1;
        DevicesPageWidget page(nullptr, nullptr, &configuration);
        QCOMPARE(page.rowCount(), 2);
        tableOf(page)->selectRow(1);
        page.onDel();
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Удаление прибора"));
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Удалить адрес 8 секции 2?"));
        QCOMPARE(configuration.sections[2].devices.size(), std::size_t(1));
        page.onClear();
        QCOMPARE(prompter.lastBox().text,
                 QStringLiteral("Вы действительно хотите удалить названия всех приборов?"));
        QVERIFY(configuration.sections[2].devices.empty());
        QVERIFY(configuration.sections[3].devices.empty());
        QCOMPARE(page.rowCount(), 0);
    }
};

QTEST_MAIN(PageDevicesTest)
#include "PageDevices_test.moc"
