// The report commands of the Файл menu: the print preview, the report as PDF or HTML by the chosen filter,
// the device list as CSV, each with the option controls as they stand and the failures a user can meet.
#include "MainWindow.h"
#include "support/Controls.h"
#include "support/ModalCloser.h"
#include "support/ScriptedPrompter.h"

#include <sample_sites/SampleSites.h>

#include <QAction>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

const QString pdfFilter = QStringLiteral("PDF-файлы (*.pdf)");
const QString htmlFilter = QStringLiteral("HTML-файлы (*.html *.htm)");

MainWindowOptions fixedClock()
{
    MainWindowOptions options;
    options.portLister =
        PortLister{[] { return std::vector<std::string>(); }, [] { return std::vector<std::string>(); }};
    options.now = [] { return QDateTime(QDate(2025, 2, 1), QTime(10, 30)); };
    return options;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void trigger(MainWindow& window, const char* action)
{
    control<QAction>(window, action)->trigger();
}

} // namespace

class ReportCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window = std::make_unique<MainWindow>(fixedClock());
        window->configuration() = sample_sites::sampleSite();
        window->loadFromConfiguration();
        window->setModified(false);
    }
    void cleanup() { window.reset(); }

    void exportTakesTheFormatFromTheFilterUnlessTheNameSaysIt_data()
    {
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("PDF chosen") << "report.pdf" << pdfFilter << QByteArray("%PDF");
        QTest::newRow("HTML chosen") << "report.html" << htmlFilter << QByteArray("<!DOCTYPE html>");
        QTest::newRow("HTML typed, PDF chosen") << "report.htm" << pdfFilter << QByteArray("<!DOCTYPE html>");
        QTest::newRow("other extension, HTML chosen")
            << "report.txt" << htmlFilter << QByteArray("<!DOCTYPE html>");
    }

    void exportTakesTheFormatFromTheFilterUnlessTheNameSaysIt()
    {
        QFETCH(QString, typedName);
        QFETCH(QString, filter);
        QFETCH(QByteArray, start);
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        prompter.fileNames = QStringList{folder.filePath(typedName)};
        prompter.selectedFilters = QStringList{filter};
        trigger(*window, "exportReport");
        QVERIFY(contentOf(folder.filePath(typedName)).startsWith(start));
        QCOMPARE(prompter.fileDialogFilters.value(0),
                 QStringLiteral("PDF-файлы (*.pdf);;HTML-файлы (*.html *.htm)"));
        QCOMPARE(prompter.count(QStringLiteral("critical")), 0);
    }

    void reportsShowTheOptionsAsTypedAndTheirDate()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        prompter.fileNames = QStringList{folder.filePath("report.html")};
        prompter.selectedFilters = QStringList{htmlFilter};
        control<QSpinBox>(*window, "backlightTime")->setValue(77);
        trigger(*window, "exportReport");
        const QString html = QString::fromUtf8(contentOf(folder.filePath("report.html")));
        QVERIFY(html.contains(QStringLiteral("<td>77 с</td>")));
        QVERIFY(html.contains(QStringLiteral("01.02.2025 10:30")));
        QVERIFY(html.contains(QStringLiteral("Новая конфигурация")));
        QVERIFY(!html.contains(QStringLiteral("4711")));
        QVERIFY(prompter.fileDialogDirectories.value(0).endsWith(QStringLiteral("/отчёт.pdf")));
    }

    void theHeadingNamesWhatTheReportIsOf_data()
    {
        QTest::addColumn<QString>("savedAs");
        QTest::addColumn<QString>("source");
        QTest::newRow("saved file") << "site.xml"
                                    << "site.xml";
        QTest::newRow("new configuration") << ""
                                           << "Новая конфигурация";
    }

    void theHeadingNamesWhatTheReportIsOf()
    {
        QFETCH(QString, savedAs);
        QFETCH(QString, source);
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        if (!savedAs.isEmpty()) {
            prompter.fileNames = QStringList{folder.filePath(savedAs)};
            window->onSaveAs();
        }
        prompter.fileNames = QStringList{folder.filePath("report.html")};
        prompter.selectedFilters = QStringList{htmlFilter};
        trigger(*window, "exportReport");
        const QString html = QString::fromUtf8(contentOf(folder.filePath("report.html")));
        QVERIFY2(
            html.contains(QStringLiteral("<td>Конфигурация:</td><td>") + source + QStringLiteral("</td>")),
            qPrintable(html.left(2000)));
    }

    void changesOnlyFollowsTheMenuSwitch()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        prompter.fileNames = QStringList{folder.filePath("full.html"), folder.filePath("short.html")};
        prompter.selectedFilters = QStringList{htmlFilter, htmlFilter};
        trigger(*window, "exportReport");
        control<QAction>(*window, "reportChangesOnly")->setChecked(true);
        trigger(*window, "exportReport");
        const QByteArray full = contentOf(folder.filePath("full.html"));
        const QByteArray changes = contentOf(folder.filePath("short.html"));
        QVERIFY(full.contains("Время автоматической блокировки меню"));
        QVERIFY(!changes.contains("Время автоматической блокировки меню"));
        QVERIFY(changes.contains("Только отличия от значений по умолчанию"));
    }

    void csvListsTheDevicesWithAByteOrderMark()
    {
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        prompter.fileNames = QStringList{folder.filePath("devices.csv")};
        trigger(*window, "exportDevicesCsv");
        const QByteArray csv = contentOf(folder.filePath("devices.csv"));
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"
                               "Секция;Адрес;Зона;"));
        QCOMPARE(csv.count("\r\n"), 3);
        QVERIFY(csv.contains("1;17;;Склад готовой продук;"));
        QCOMPARE(prompter.fileDialogFilters.value(0), QStringLiteral("CSV-файлы (*.csv)"));
    }

    void cancelledAndFailedExportsSayWhatHappened_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("report cancelled") << "exportReport" << true;
        QTest::newRow("CSV cancelled") << "exportDevicesCsv" << true;
        QTest::newRow("report into a missing folder") << "exportReport" << false;
        QTest::newRow("CSV into a missing folder") << "exportDevicesCsv" << false;
    }

    void cancelledAndFailedExportsSayWhatHappened()
    {
        QFETCH(QString, action);
        QFETCH(bool, cancel);
        QTemporaryDir folder;
        ScriptedPrompter prompter;
        if (!cancel) {
            prompter.fileNames = QStringList{folder.filePath("missing/report.pdf")};
        }
        trigger(*window, action.toLatin1().constData());
        QCOMPARE(prompter.count(QStringLiteral("critical")), cancel ? 0 : 1);
        if (!cancel) {
            QCOMPARE(prompter.lastBox().text, QStringLiteral("Невозможно открыть файл для записи"));
        }
        QVERIFY(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
        QVERIFY(!window->isModified());
    }

    void printPreviewShowsThePagesAndTheChangesOnlySwitch()
    {
        int pagesBefore = 0;
        int pagesAfter = 0;
        bool switchOnToolBar = false;
        ModalCloser closer([&](QDialog* dialog) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog);
            auto* pages = dialog->findChild<QPrintPreviewWidget*>();
            if (preview != nullptr && pages != nullptr) {
                pagesBefore = pages->pageCount();
                auto* changesOnly = control<QAction>(*window, "reportChangesOnly");
                switchOnToolBar = dialog->findChild<QToolBar*>()->actions().contains(changesOnly);
                changesOnly->setChecked(true);
                QCoreApplication::processEvents();
                pagesAfter = pages->pageCount();
            }
            dialog->reject();
        });
        trigger(*window, "printReport");
        QVERIFY(closer.appeared());
        QVERIFY(switchOnToolBar);
        QVERIFY(pagesBefore >= 2);
        QVERIFY(pagesAfter >= 1);
        QVERIFY(pagesAfter <= pagesBefore);
    }

private:
    std::unique_ptr<MainWindow> window;
};

QTEST_MAIN(ReportCommandsTest)
#include "ReportCommands_test.moc"
