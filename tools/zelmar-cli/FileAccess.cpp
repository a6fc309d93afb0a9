#include "FileAccess.h"

#include "CliError.h"
#include "ExitStatus.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationDocument.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace zelmar_cli {

namespace {

QString qPath(const std::string& path)
{
    return QString::fromStdString(path);
}

[[noreturn]] void fail(const std::string& path, const QString& reason)
{
    throw CliError(FileError, path + ": " + reason.toStdString());
}

void openForReading(QFile& file, const std::string& path)
{
    if (QFileInfo(file).isDir()) {
        fail(path, "is a folder, not a file");
    }
    if (!file.open(QIODevice::ReadOnly)) {
        fail(path, file.errorString());
    }
}

} // namespace

std::string FileAccess::readConfiguration(const std::string& path,
                                          config_zelmar::Configuration& configuration)
{
    QFile file(qPath(path));
    openForReading(file, path);
    return config_zelmar::ConfigurationDocument::read(file, configuration).toStdString();
}

void FileAccess::loadConfiguration(const std::string& path, config_zelmar::Configuration& configuration)
{
    const std::string error = readConfiguration(path, configuration);
    if (!error.empty()) {
        throw CliError(FileError, path + ": " + error);
    }
}

QByteArray FileAccess::configurationDocument(const config_zelmar::Configuration& configuration)
{
    QByteArray content;
    QBuffer buffer(&content);
    buffer.open(QIODevice::WriteOnly);
    if (!config_zelmar::ConfigurationDocument::write(buffer, configuration)) {
        throw CliError(FileError, "the configuration could not be written as XML");
    }
    return content;
}

std::vector<uint8_t> FileAccess::readImage(const std::string& path, std::size_t size)
{
    QFile file(qPath(path));
    openForReading(file, path);
    if (file.size() != static_cast<qint64>(size)) {
        fail(path, QString("image of %1 bytes, expected %2 bytes").arg(file.size()).arg(size));
    }
    const QByteArray content = file.read(static_cast<qint64>(size) + 1);
    if (content.size() != static_cast<int>(size)) {
        fail(path,
             file.error() != QFileDevice::NoError ? file.errorString() : QString("changed while being read"));
    }
    return std::vector<uint8_t>(content.begin(), content.end());
}

std::unique_ptr<QSaveFile> FileAccess::beginOutput(const std::string& path)
{
    auto file = std::make_unique<QSaveFile>(qPath(path));
    if (QFileInfo(qPath(path)).isDir()) {
        fail(path, "is a folder, not a file");
    }
    if (!file->open(QIODevice::WriteOnly)) {
        fail(path, file->errorString());
    }
    return file;
}

void FileAccess::writeOutput(QSaveFile& file, const QByteArray& content)
{
    if (file.write(content) != content.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(file.fileName().toStdString(), reason);
    }
}

void FileAccess::commitOutput(QSaveFile& file)
{
    if (!file.commit()) {
        fail(file.fileName().toStdString(), file.errorString());
    }
}

void FileAccess::writeResult(const std::string& path, const QByteArray& content)
{
    if (path.empty() || path == "-") {
        writeStandardOutput(content);
        return;
    }
    std::unique_ptr<QSaveFile> file = beginOutput(path);
    writeOutput(*file, content);
    commitOutput(*file);
}

void FileAccess::writeStandardOutput(const QByteArray& content)
{
    const auto size = static_cast<std::size_t>(content.size());
    if (std::fwrite(content.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
        throw CliError(FileError, "standard output: write failed");
    }
}

} // namespace zelmar_cli
