#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QSaveFile;

namespace config_zelmar {
class Configuration;
}

namespace zelmar_cli {

// The tool's files. Every failure is a CliError with the file exit status and a message naming the file.
// Output files are written atomically: a failed write leaves an existing file as it was.
class FileAccess
{
public:
    // Opens the file as the configurator does; returns the reader's error text, empty when it was read.
    static std::string readConfiguration(const std::string& path,
                                         config_zelmar::Configuration& configuration);
    // The same, but a reader error is a CliError too.
    static void loadConfiguration(const std::string& path, config_zelmar::Configuration& configuration);
    // The document exactly as the configurator's Save writes it.
    static QByteArray configurationDocument(const config_zelmar::Configuration& configuration);

    // A raw memory image that must hold exactly `size` bytes.
    static std::vector<uint8_t> readImage(const std::string& path, std::size_t size);

    // Opens an output file for an atomic write; nothing is visible before commit().
    static std::unique_ptr<QSaveFile> beginOutput(const std::string& path);
    static void writeOutput(QSaveFile& file, const QByteArray& content);
    static void commitOutput(QSaveFile& file);

    // Writes to the file atomically, or to standard output when the path is empty.
    static void writeResult(const std::string& path, const QByteArray& content);
    static void writeStandardOutput(const QByteArray& content);
};

} // namespace zelmar_cli
