#include "DocumentsLocation.h"

#include <QDir>
#include <QStandardPaths>

QString documentsLocation()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}
