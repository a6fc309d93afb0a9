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
    MainWindow window;
    window.show();
    return application.exec();
}
