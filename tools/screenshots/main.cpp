// Shows the main window with each of its six pages, the connection dialog and the About dialog in turn
// and saves a PNG of each into the folder given on the command line.
#include "AboutDialog.h"
#include "ConnectDialog.h"
#include "EmulatedPanel.h"
#include "MainWindow.h"
#include "ProgressDialog.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTranslator>
#include <cstdio>

namespace {

bool settle(QWidget& widget)
{
    widget.show();
    widget.raise();
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return widget.isVisible();
}

bool save(QWidget& widget, const QDir& folder, const QString& name)
{
    if (!settle(widget)) {
        std::fprintf(stderr, "%s did not appear\n", qPrintable(name));
        return false;
    }
    const QString path = folder.filePath(name + ".png");
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool savePages(MainWindow& window, const QDir& folder)
{
    const char* buttons[] = {"bCommonOptions", "bInterface",  "bSectionPults",
                             "bDevices",       "bEventNames", "bCommands"};
    const char* names[] = {"1-common-options", "2-interface",   "3-section-pults",
                           "4-devices",        "5-event-names", "6-commands"};
    bool ok = true;
    for (int page = 0; page < 6; ++page) {
        auto* button = window.findChild<QPushButton*>(QString::fromLatin1(buttons[page]));
        if (button == nullptr) {
            std::fprintf(stderr, "no page button %s\n", buttons[page]);
            return false;
        }
        button->click();
        ok = save(window, folder, QString::fromLatin1(names[page])) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zelmar-screenshots OUTDIR\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    QTranslator translator;
    if (translator.load(QCoreApplication::applicationDirPath() + "/qt_ru.qm")) {
        QCoreApplication::installTranslator(&translator);
    }

    EmulatedPanel emulatedPanel;
    MainWindowOptions options = emulatedPanel.attachTo(MainWindowOptions());
    const PortLister ports = options.portLister;
    MainWindow window(std::move(options));
    // The central console shows every page button and option group.
    window.configuration().setPultType(true);
    window.loadFromConfiguration();

    bool ok = savePages(window, folder);
    ConnectDialog connectDialog(&window, ports);
    ok = save(connectDialog, folder, QStringLiteral("7-connect-dialog")) && ok;
    connectDialog.hide();
    AboutDialog aboutDialog(&window);
    ok = save(aboutDialog, folder, QStringLiteral("8-about-dialog")) && ok;
    aboutDialog.hide();
    ProgressDialog progressDialog(&window, false);
    progressDialog.setProgress(0.42f);
    ok = save(progressDialog, folder, QStringLiteral("9-progress-dialog")) && ok;
    return ok ? 0 : 1;
}
