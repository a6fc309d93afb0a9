// The section consoles page and its dialog: free addresses, uniqueness, moves that keep devices, row limits.
#include "PultChecker.h"
#include "PultEditDialog.h"
#include "PultsPageWidget.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <config_zelmar/Configuration.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using config_zelmar::Configuration;
using config_zelmar::Section;

namespace {

Section sectionAt(int address, const std::u16string& name = {})
{
    Section section;
    section.address = address;
    section.name = name;
    return section;
}

void addSections(Configuration& configuration, int from, int to)
{
    for (int address = from; address <= to; ++address) {
        configuration.sections[address] = sectionAt(address);
    }
}

QTableWidget* tableOf(const QWidget& page)
{
    return pageControl<QTableWidget>(&page, "table");
}

bool enabled(const QWidget& page, const char* button)
{
    return pageControl<QToolButton>(&page, button)->isEnabled();
}

} // namespace

class PagePultsTest : public QObject
{
    Q_OBJECT

private slots:
    void proposesFirstFreeAddress()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(true);
        PultsPageWidget page(nullptr, &configuration);
        int proposed = 0;
        ModalCloser closeEmpty([&](QDialog* dialog) {
            proposed = pageControl<QSpinBox>(dialog, "address")->value();
            ModalCloser::pressCancel(dialog);
        });
        page.onAdd();
        QVERIFY(closeEmpty.appeared());
        QCOMPARE(proposed, 1);
        QCOMPARE(configuration.sections.size(), std::size_t(0));

        addSections(configuration, 1, 3);
        page.loadTable();
        ModalCloser closeFilled([&](QDialog* dialog) {
            proposed = pageControl<QSpinBox>(dialog, "address")->value();
            QCOMPARE(pageControl<QLineEdit>(dialog, "name")->text(), QStringLiteral("Секционный пульт 4"));
            ModalCloser::pressOk(dialog);
        });
        page.onAdd();
        QVERIFY(closeFilled.appeared());
        QCOMPARE(proposed, 4);
        QCOMPARE(page.rowCount(), 4);
        QVERIFY(configuration.sections.at(4).name.empty());
    }

    void refusesAddressOfAnotherSection()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(true);
        addSections(configuration, 1, 3);
        Section section = sectionAt(4);
        PultChecker checker(&configuration, -1);
        PultEditDialog dialog(nullptr, &section, &checker);
        dialog.loadData();
        pageControl<QSpinBox>(&dialog, "address")->setValue(2);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(section.address, 4);
        QCOMPARE(prompter.lastBox().kind, QStringLiteral("warning"));
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Ошибка"));
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Пульт с адресом 2 уже добавлен!"));
    }

    void validatesNamesUnlessDefault()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(true);
        Section section = sectionAt(5, u"Склад");
        section.dubler = true;
        section.dublerName = u"Охрана";
        PultChecker checker(&configuration, 5);
        PultEditDialog dialog(nullptr, &section, &checker);
        dialog.loadData();
        QVERIFY(!pageControl<QCheckBox>(&dialog, "defaultName")->isChecked());
        QVERIFY(pageControl<QLineEdit>(&dialog, "dublerName")->isEnabled());

        pageControl<QLineEdit>(&dialog, "name")->setText(QStringLiteral("   "));
        dialog.accept();
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Введите название секционного пульта!"));
        pageControl<QLineEdit>(&dialog, "name")->setText(QStringLiteral("Склад"));
        pageControl<QLineEdit>(&dialog, "dublerName")->setText(QStringLiteral(" "));
        dialog.accept();
        QCOMPARE(prompter.lastBox().text, QStringLiteral("Введите название пульта-дублёра!"));
        QCOMPARE(prompter.count(QStringLiteral("warning")), 2);
        QCOMPARE(section.dublerName, std::u16string(u"Охрана"));

        pageControl<QCheckBox>(&dialog, "defaultName")->click();
        QCOMPARE(pageControl<QLineEdit>(&dialog, "dublerName")->text(), QStringLiteral("Пyльт-дyблёp 5"));
        pageControl<QSpinBox>(&dialog, "address")->setValue(6);
        QCOMPARE(pageControl<QLineEdit>(&dialog, "name")->text(), QStringLiteral("Секционный пульт 6"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prompter.count(QStringLiteral("warning")), 2);
        QCOMPARE(section.address, 6);
        QVERIFY(section.name.empty());
        QVERIFY(section.dublerName.empty());
    }

    void storesTypedNamesCorrectedAndDropsDublerName()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(true);
        Section section = sectionAt(2, u"Цех");
        section.dubler = true;
        section.dublerName = u"Вахта";
        PultChecker checker(&configuration, 2);
        PultEditDialog dialog(nullptr, &section, &checker);
        dialog.loadData();
        pageControl<QLineEdit>(&dialog, "name")->setText(QStringLiteral("Склад"));
        pageControl<QComboBox>(&dialog, "group")->setCurrentIndex(6);
        pageControl<QCheckBox>(&dialog, "dubler")->click();
        QVERIFY(pageControl<QLineEdit>(&dialog, "dublerName")->isHidden());
        dialog.accept();
        QCOMPARE(section.name, std::u16string(u"Cклaд")); // Latin C and a: the LCD shows the same glyphs
        QCOMPARE(section.group, 7);
        QVERIFY(!section.dubler);
        QVERIFY(section.dublerName.empty());
    }

    void editingMovesSectionWithItsDevicesAndResorts()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(true);
        addSections(configuration, 1, 3);
        configuration.sections[1].devices[7].address = 7;
        PultsPageWidget page(nullptr, &configuration);
        QSignalSpy reloads(&page, &PultsPageWidget::reloadDevicesTable);
        QSignalSpy modified(&page, &PultsPageWidget::modified);

        tableOf(page)->selectRow(0);
        ModalCloser keep([](QDialog* dialog) { QVERIFY(ModalCloser::pressOkOrCancel(dialog)); });
        page.onEdit();
        QVERIFY(keep.appeared());
        QCOMPARE(prompter.count(QStringLiteral("warning")), 0);

        tableOf(page)->selectRow(0);
        ModalCloser move([](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "address")->setValue(9);
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onEdit();
        QVERIFY(move.appeared());
        QCOMPARE(configuration.sections.count(1), std::size_t(0));
        QCOMPARE(configuration.sections.at(9).address, 9);
        QCOMPARE(configuration.sections.at(9).devices.count(7), std::size_t(1));
        QCOMPARE(tableOf(page)->item(2, 0)->text(), QStringLiteral("9"));
        QCOMPARE(tableOf(page)->item(2, 2)->text(), QStringLiteral("Секционный пульт 9"));
        QCOMPARE(tableOf(page)->currentRow(), 2);
        QCOMPARE(reloads.count(), 2);
        QCOMPARE(modified.count(), 2);
    }

    void cancelLeavesSectionUntouched()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(true);
        configuration.sections[3] = sectionAt(3, u"Cклaд");
        PultsPageWidget page(nullptr, &configuration);
        QSignalSpy modified(&page, &PultsPageWidget::modified);
        tableOf(page)->selectRow(0);
        ModalCloser cancel([](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "address")->setValue(5);
            pageControl<QLineEdit>(dialog, "name")->setText(QStringLiteral("Другое"));
            ModalCloser::pressCancel(dialog);
        });
        page.onEdit();
        QVERIFY(cancel.appeared());
        QCOMPARE(configuration.sections.at(3).name, std::u16string(u"Cклaд"));
        QCOMPARE(configuration.sections.at(3).address, 3);
        QCOMPARE(modified.count(), 0);
    }

    void fullTableDisablesAddAndCopy()
    {
        ScriptedPrompter prompter;
        prompter.answer = QMessageBox::Yes;
        Configuration configuration;
        configuration.setPultType(true);
        addSections(configuration, 1, 24);
        PultsPageWidget page(nullptr, &configuration);
        tableOf(page)->selectRow(5);
        QVERIFY(!enabled(page, "add"));
        QVERIFY(!enabled(page, "copy"));
        QVERIFY(enabled(page, "del"));
        QCOMPARE(pageControl<QLabel>(&page, "labelCount")->text(), QStringLiteral("Всего пультов: 24 / 24"));

        page.onDel();
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Удаление пульта"));
        QCOMPARE(prompter.lastBox().text,
                 QStringLiteral("Удалить адрес 6?\n(При этом будут удалены названия всех приборов секции!)"));
        QCOMPARE(prompter.lastBox().defaultButton, QMessageBox::No);
        QCOMPARE(configuration.sections.count(6), std::size_t(0));
        QCOMPARE(page.rowCount(), 23);
        QVERIFY(enabled(page, "add"));
    }

    void copyTakesDevicesToFirstFreeAddress()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(true);
        addSections(configuration, 1, 2);
        configuration.sections[2].group = 3;
        configuration.sections[2].devices[4].address = 4;
        PultsPageWidget page(nullptr, &configuration);
        QSignalSpy reloads(&page, &PultsPageWidget::reloadDevicesTable);
        tableOf(page)->selectRow(1);
        ModalCloser accept([](QDialog* dialog) {
            QCOMPARE(pageControl<QSpinBox>(dialog, "address")->value(), 3);
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onCopy();
        QVERIFY(accept.appeared());
        QCOMPARE(configuration.sections.at(3).group, 3);
        QCOMPARE(configuration.sections.at(3).devices.count(4), std::size_t(1));
        QCOMPARE(reloads.count(), 1);
        QCOMPARE(tableOf(page)->item(2, 1)->text(), QStringLiteral("Группа C"));
    }

    void typedNameLowersDeviceLimit()
    {
        ScriptedPrompter prompter;
        Configuration configuration;
        configuration.setPultType(true);
        PultsPageWidget page(nullptr, &configuration);
        QSignalSpy limits(&page, &PultsPageWidget::updateDevicesMaxRowCount);
        ModalCloser defaultName([](QDialog* dialog) { QVERIFY(ModalCloser::pressOkOrCancel(dialog)); });
        page.onAdd();
        QCOMPARE(limits.count(), 0);
        ModalCloser typed([](QDialog* dialog) {
            pageControl<QCheckBox>(dialog, "defaultName")->click();
            pageControl<QLineEdit>(dialog, "name")->setText(QStringLiteral("Склад"));
            QVERIFY(ModalCloser::pressOkOrCancel(dialog));
        });
        page.onAdd();
        QVERIFY(typed.appeared());
        QCOMPARE(limits.count(), 1);
        QCOMPARE(tableOf(page)->item(1, 2)->font().bold(), true);
        QCOMPARE(tableOf(page)->item(0, 2)->font().italic(), true);
    }

    void sectionConsoleShowsNoRows()
    {
        ScriptedPrompter prompter;
        prompter.answer = QMessageBox::Yes;
        Configuration configuration;
        addSections(configuration, 1, 2);
        PultsPageWidget page(nullptr, &configuration);
        QCOMPARE(page.rowCount(), 0);
        QVERIFY(!enabled(page, "clear"));

        configuration.setPultType(true);
        addSections(configuration, 1, 2);
        page.loadTable();
        QCOMPARE(page.rowCount(), 2);
        page.onClear();
        QCOMPARE(prompter.lastBox().title, QStringLiteral("Удаление"));
        QVERIFY(configuration.sections.empty());
        QCOMPARE(page.rowCount(), 0);
    }
};

QTEST_MAIN(PagePultsTest)
#include "PagePults_test.moc"
