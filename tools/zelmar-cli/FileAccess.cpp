#include "FileAccess.h"

#include "CliError.h"
#include "ExitStatus.h"
#include "OutputFiles.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationDocument.h"

#include <QBuffer>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace zelmar_cli {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason)
{
    throw CliError(FileError, path + ": " + reason);
}

// Opened by its bytes and handed to the QFile, which closes it. `flags` adds to read-only.
struct stat openForReading(QFile& file, const std::string& path, int flags)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | flags);
    if (descriptor < 0) {
        fail(path, std::strerror(errno));
    }
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        fail(path, file.errorString().toStdString());
    }
    struct stat status
    {
    };
    if (fstat(descriptor, &status) != 0) {
        fail(path, std::strerror(errno));
    }
    if (S_ISDIR(status.st_mode)) {
        fail(path, "is a folder, not a file");
    }
    return status;
}

} // namespace

std::string FileAccess::readConfiguration(const std::string& path,
                                          config_zelmar::Configuration& configuration)
{
    QFile file;
    openForReading(file, path, 0);
    try {
        return config_zelmar::ConfigurationDocument::read(file, configuration).toStdString();
    } catch (const std::bad_alloc&) {
        fail(path, "not enough memory to read the file");
    }
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

// Opened without waiting, so that a FIFO is refused at once instead of blocking the tool.
std::vector<uint8_t> FileAccess::readImage(const std::string& path, std::size_t size)
{
    QFile file;
    const struct stat status = openForReading(file, path, O_NONBLOCK);
    if (!S_ISREG(status.st_mode)) {
        fail(path, "is not a regular file (a device, FIFO or socket)");
    }
    if (status.st_size != static_cast<off_t>(size)) {
        fail(path, "image of " + std::to_string(status.st_size) + " bytes, expected " + std::to_string(size) +
                       " bytes");
    }
    const QByteArray content = file.read(static_cast<qint64>(size) + 1);
    if (content.size() != static_cast<int>(size)) {
        fail(path, file.error() != QFileDevice::NoError ? file.errorString().toStdString()
                                                        : std::string("changed while being read"));
    }
    return std::vector<uint8_t>(content.begin(), content.end());
}

void FileAccess::writeFiles(const std::vector<OutputContent>& files)
{
    std::vector<std::string> paths;
    for (const OutputContent& file : files) {
        paths.push_back(file.first);
    }
    OutputFiles outputs(paths);
    for (std::size_t i = 0; i < files.size(); ++i) {
        outputs.write(i, files[i].second);
    }
    outputs.commit();
}

void FileAccess::writeResult(const std::string& path, const QByteArray& content)
{
    if (isStandardOutput(path)) {
        writeStandardOutput(content);
    } else {
        writeFiles({{path, content}});
    }
}

void FileAccess::writeStandardOutput(const QByteArray& content)
{
    const auto size = static_cast<std::size_t>(content.size());
    if (std::fwrite(content.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
        throw CliError(FileError, "standard output: write failed");
    }
}

} // namespace zelmar_cli
