#include "ApplicationTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcApp, "zelmar.app", QtInfoMsg)

namespace {

const char* const catalogue = "qt_ru";
const char* const installedFolder = "../share/zelmar-configurator/translations";

// The texts a question box shows on its Yes and No buttons, as the installed catalogue has them.
QString yesAndNoTexts()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text().remove('&') + " / " +
           box.button(QMessageBox::No)->text().remove('&');
}

} // namespace

QStringList translationFolders(const QString& programFolder)
{
    const QDir program(programFolder);
    return {program.absolutePath(), QDir::cleanPath(program.absoluteFilePath(installedFolder))};
}

QString installQtTranslation(QTranslator& translator, const QString& programFolder)
{
    for (const QString& folder : translationFolders(programFolder)) {
        if (translator.load(QString::fromLatin1(catalogue), folder)) {
            QCoreApplication::installTranslator(&translator);
            if (lcApp().isDebugEnabled()) {
                qCDebug(lcApp).noquote()
                    << "=== Qt translation" << folder + "/" + catalogue + ".qm:" << yesAndNoTexts();
            }
            return folder;
        }
    }
    qCDebug(lcApp).noquote() << "=== no Qt translation in" << translationFolders(programFolder).join(", ");
    return QString();
}
