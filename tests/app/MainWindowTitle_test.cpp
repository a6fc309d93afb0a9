// The configurator's window starts with the program title.
#include "MainWindow.h"

#include <QtTest>

class MainWindowTitleTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithProgramTitle()
    {
        MainWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Конфигуратор «Зелмар»"));
    }
};

QTEST_MAIN(MainWindowTitleTest)
#include "MainWindowTitle_test.moc"
