// A central console's configuration built through the pages and dialogs of the main window, wired as the
// window wires them, survives a save and reopen.
#include "CommandsPageWidget.h"
#include "DevicesPageWidget.h"
#include "EventsPageWidget.h"
#include "MainWindow.h"
#include "PultsPageWidget.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/ConfigurationDocument.h>

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using config_zelmar::Configuration;
using config_zelmar::ConfigurationDocument;

namespace {

// Runs a page slot whose dialog the handler fills; the dialog must appear and accept.
template <class Page>
bool throughDialog(Page& page, void (Page::*slot)(), const std::function<void(QDialog*)>& fill)
{
    bool accepted = false;
    ModalCloser closer([&](QDialog* dialog) {
        fill(dialog);
        accepted = ModalCloser::pressOkOrCancel(dialog);
    });
    (page.*slot)();
    return closer.appeared() && accepted;
}

void setText(QDialog* dialog, const char* name, const QString& text)
{
    pageControl<QLineEdit>(dialog, name)->setText(text);
}

void click(QDialog* dialog, const char* name)
{
    pageControl<QAbstractButton>(dialog, name)->click();
}

void fillDeviceNames(QDialog* dialog, const QString& device)
{
    setText(dialog, "deviceName", device);
    setText(dialog, "outsName", device + QStringLiteral(" выходы"));
    setText(dialog, "loop1Name", QStringLiteral("Дверь"));
    setText(dialog, "loop2Name", QStringLiteral("Окно"));
    setText(dialog, "line3Name", QStringLiteral("Сирена"));
    setText(dialog, "line4Name", QStringLiteral("Табло"));
}

QByteArray save(const Configuration& configuration)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!ConfigurationDocument::write(buffer, configuration)) {
        qFatal("the configuration was not written");
    }
    return buffer.data();
}

QString reopen(const QByteArray& file, Configuration& configuration)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return ConfigurationDocument::read(buffer, configuration);
}

} // namespace

class PageEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void centralConsoleSurvivesSaveAndReopen()
    {
        ScriptedPrompter prompter;
        prompter.answer = QMessageBox::Yes;
        MainWindowOptions options;
        options.portLister =
            PortLister{[] { return std::vector<std::string>(); }, [] { return std::vector<std::string>(); }};
        MainWindow window(std::move(options));
        pageControl<QComboBox>(&window, "pultType")->setCurrentIndex(1); // central console
        Configuration& configuration = window.configuration();
        PultsPageWidget& pults = *window.findChild<PultsPageWidget*>();
        EventsPageWidget& events = *window.findChild<EventsPageWidget*>();
        DevicesPageWidget& devices = *window.findChild<DevicesPageWidget*>();
        CommandsPageWidget& commands = *window.findChild<CommandsPageWidget*>();
        QVERIFY(configuration.pultType());
        window.setModified(false);

        QVERIFY(throughDialog(pults, &PultsPageWidget::onAdd, [](QDialog* dialog) {
            click(dialog, "defaultName");
            setText(dialog, "name", QStringLiteral("Склад"));
            click(dialog, "dubler");
            setText(dialog, "dublerName", QStringLiteral("Проходная"));
            pageControl<QComboBox>(dialog, "group")->setCurrentIndex(2);
        }));
        QVERIFY(throughDialog(pults, &PultsPageWidget::onAdd, [](QDialog*) {}));
        QCOMPARE(devices.maxRowCount(), (36600 - 40) / 122);

        QVERIFY(throughDialog(events, &EventsPageWidget::onAdd, [](QDialog* dialog) {
            setText(dialog, "name", QStringLiteral("Двери"));
            setText(dialog, "loop1Norm", QStringLiteral("ЗАКРЫТА"));
            setText(dialog, "loop1Fire", QStringLiteral("ОТКРЫТА"));
            click(dialog, "loop1FireE");
            click(dialog, "deviceTamperE");
        }));

        QVERIFY(throughDialog(devices, &DevicesPageWidget::onAdd, [](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "section")->setValue(1);
            pageControl<QSpinBox>(dialog, "address")->setValue(5);
            fillDeviceNames(dialog, QStringLiteral("Пост 5"));
            pageControl<QComboBox>(dialog, "eventTable")->setCurrentIndex(1);
        }));
        QVERIFY(throughDialog(devices, &DevicesPageWidget::onAdd, [](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "section")->setValue(4);
            pageControl<QSpinBox>(dialog, "address")->setValue(127);
            fillDeviceNames(dialog, QStringLiteral("Котельная"));
        }));
        QCOMPARE(pults.rowCount(), 3); // section 4 came with its device, after the confirmation
        pageControl<QTableWidget>(&devices, "table")->selectRow(0);
        QVERIFY(throughDialog(devices, &DevicesPageWidget::onCopy, [](QDialog* dialog) {
            pageControl<QSpinBox>(dialog, "address")->setValue(6);
            setText(dialog, "deviceName", QStringLiteral("Пост 6"));
        }));
        QCOMPARE(devices.rowCount(), 3);

        QVERIFY(throughDialog(commands, &CommandsPageWidget::onAdd, [](QDialog* dialog) {
            setText(dialog, "name", QStringLiteral("Сброс склада"));
            pageControl<QSpinBox>(dialog, "pultAddress")->setValue(1);
            click(dialog, "pultReset");
            click(dialog, "group5");
            pageControl<QGroupBox>(dialog, "addressCmd")->setChecked(true);
            pageControl<QSpinBox>(dialog, "deviceAddress")->setValue(5);
            click(dialog, "out3Enable");
        }));
        QVERIFY(throughDialog(commands, &CommandsPageWidget::onAdd, [](QDialog* dialog) {
            click(dialog, "sequenceChar");
            click(dialog, "sendToAll");
            click(dialog, "disableAutomatic");
        }));
        QCOMPARE(prompter.count(QStringLiteral("warning")), 0);
        QVERIFY(window.isModified());

        const QByteArray file = save(configuration);
        Configuration reopened;
        QCOMPARE(reopen(file, reopened), QString());
        QVERIFY(sameContent(configuration, reopened));
        QCOMPARE(save(reopened), file);

        QVERIFY(reopened.pultType());
        QCOMPARE(reopened.sections.size(), std::size_t(3));
        QCOMPARE(reopened.sections.at(1).group, 3);
        QCOMPARE(reopened.sections.at(1).devices.at(6).names->eventTable, 1u);
        QCOMPARE(reopened.eventTables.size(), std::size_t(2));
        QCOMPARE(reopened.commands.size(), std::size_t(2));
        QCOMPARE(reopened.commands[1].name, config_zelmar::Command::continuationName);
    }
};

QTEST_MAIN(PageEndToEndTest)
#include "PageEndToEnd_test.moc"
