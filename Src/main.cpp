#include "EmulatedPanel.h"
#include "LinkTraceLogging.h"
#include "MainWindow.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QTranslator translator;
    // Without the catalogue beside the program the standard buttons stay in English; nothing else changes.
    if (translator.load(QCoreApplication::applicationDirPath() + "/qt_ru.qm")) {
        QCoreApplication::installTranslator(&translator);
    }
    installLinkTraceLogging();

    // --emulator offers an emulated panel beside the real ports, for trying the program without hardware.
    EmulatedPanel emulatedPanel;
    MainWindowOptions options;
    if (QCoreApplication::arguments().contains(QStringLiteral("--emulator"))) {
        options = emulatedPanel.attachTo(std::move(options));
    }
    MainWindow window(std::move(options));
    window.show();
    return application.exec();
}
