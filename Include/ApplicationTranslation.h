#pragma once

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

class QTranslator;

// Start-up steps of the program, off by default; switched on with the logging rule "zelmar.app.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcApp)

// Where the Russian Qt catalogue "qt_ru.qm" is looked for, first to last: the program's own folder (the
// build tree), then the data folder of an installation beside it, ../share/zelmar-configurator/
// translations, so that an installed package finds it wherever its tree was put.
QStringList translationFolders(const QString& programFolder);

// Loads "qt_ru.qm" (which pulls in the catalogues it refers to from the same folder) from the first
// folder that has it and installs it. Returns the folder, or an empty text when none has it: the
// standard buttons then stay in English and nothing else changes.
QString installQtTranslation(QTranslator& translator, const QString& programFolder);
