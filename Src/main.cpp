#include "ApplicationResources.h"
#include "ApplicationTranslation.h"
#include "EmulatedPanel.h"
#include "LinkTraceLogging.h"
#include "MainWindow.h"

#include "config_zelmar/DataFolder.h"

#include <QApplication>
#include <QIcon>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    initApplicationResources();
    QIcon programIcon(QStringLiteral(":/res/16x16/appIcon16x16.png"));
    programIcon.addFile(QStringLiteral(":/res/appIcon48x48.png"));
    QApplication::setWindowIcon(programIcon);
    QTranslator translator;
    installQtTranslation(translator, QCoreApplication::applicationDirPath());
    installLinkTraceLogging();

    // --emulator offers an emulated panel beside the real ports, for trying the program without hardware.
    EmulatedPanel emulatedPanel;
    MainWindowOptions options;
    options.dataFolder = config_zelmar::defaultDataFolder();
    if (QCoreApplication::arguments().contains(QStringLiteral("--emulator"))) {
        options = emulatedPanel.attachTo(std::move(options));
    }
    MainWindow window(std::move(options));
    window.show();
    return application.exec();
}
