#include "AppSettings.h"

#include <QDir>
#include <QSettings>

namespace {

const QString lastFolderKey = QStringLiteral("files/lastFolder");
const QString recentFilesKey = QStringLiteral("files/recent");
const QString lastPortKey = QStringLiteral("connection/port");
const QString raisedSpeedKey = QStringLiteral("connection/raisedSpeed");
const QString verifyWriteKey = QStringLiteral("connection/verifyWrite");
const QString geometryKey = QStringLiteral("window/geometry");

std::unique_ptr<QSettings> openSettings(const QString& fileName)
{
    if (fileName.isEmpty()) {
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("Zelmar"), QStringLiteral("zelmar-configurator"));
    }
    return std::make_unique<QSettings>(fileName, QSettings::IniFormat);
}

} // namespace

AppSettings::AppSettings(const QString& fileName) : settings(openSettings(fileName)) {}

AppSettings::~AppSettings() = default;

QString AppSettings::lastFolder() const
{
    return settings->value(lastFolderKey).toString();
}

void AppSettings::setLastFolder(const QString& folder)
{
    settings->setValue(lastFolderKey, folder);
}

QStringList AppSettings::recentFiles() const
{
    QStringList files = settings->value(recentFilesKey).toStringList();
    files.removeAll(QString());
    files.removeDuplicates();
    return files.mid(0, maxRecentFiles);
}

void AppSettings::addRecentFile(const QString& path)
{
    const QString cleanPath = QDir::cleanPath(path);
    QStringList files = recentFiles();
    files.removeAll(cleanPath);
    files.prepend(cleanPath);
    storeRecentFiles(files);
}

void AppSettings::removeRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(QDir::cleanPath(path));
    storeRecentFiles(files);
}

void AppSettings::storeRecentFiles(const QStringList& files)
{
    settings->setValue(recentFilesKey, QStringList(files.mid(0, maxRecentFiles)));
}

QString AppSettings::lastPort() const
{
    return settings->value(lastPortKey).toString();
}

void AppSettings::setLastPort(const QString& port)
{
    settings->setValue(lastPortKey, port);
}

bool AppSettings::raisedSpeed() const
{
    return settings->value(raisedSpeedKey, true).toBool();
}

void AppSettings::setRaisedSpeed(bool raised)
{
    settings->setValue(raisedSpeedKey, raised);
}

bool AppSettings::verifyWrite() const
{
    return settings->value(verifyWriteKey, true).toBool();
}

void AppSettings::setVerifyWrite(bool verify)
{
    settings->setValue(verifyWriteKey, verify);
}

QByteArray AppSettings::windowGeometry() const
{
    return settings->value(geometryKey).toByteArray();
}

void AppSettings::setWindowGeometry(const QByteArray& geometry)
{
    settings->setValue(geometryKey, geometry);
}
