#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

// What the configurator remembers between runs: the folder of the last Open or Save, the last files, the
// connection dialog's choices and the window geometry. Stored with QSettings in the user's settings, or
// in the given file (tests use a scratch one).
class AppSettings
{
public:
    static constexpr int maxRecentFiles = 8;

    // Empty: the user's settings of the configurator.
    explicit AppSettings(const QString& fileName = QString());
    ~AppSettings();

    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    QString lastFolder() const;
    void setLastFolder(const QString& folder);

    // Newest first, at most maxRecentFiles, each path once.
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);

    // Empty before the first accepted connection dialog.
    QString lastPort() const;
    void setLastPort(const QString& port);
    // Checked until the user unchecks it, as in a fresh connection dialog.
    bool raisedSpeed() const;
    void setRaisedSpeed(bool raised);
    // "Проверить запись": checked until the user unchecks it before a write.
    bool verifyWrite() const;
    void setVerifyWrite(bool verify);

    QByteArray windowGeometry() const;
    void setWindowGeometry(const QByteArray& geometry);

private:
    void storeRecentFiles(const QStringList& files);

    std::unique_ptr<QSettings> settings;
};
