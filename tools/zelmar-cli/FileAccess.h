#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace config_zelmar {
class Configuration;
}

namespace zelmar_cli {

// The tool's files, named by the bytes the system gives, whatever their encoding. Every failure is a
// CliError with the file exit status and a message naming the file. Output files are written
// atomically (see OutputFiles): a failed write leaves existing files as they were.
class FileAccess
{
public:
    using OutputContent = std::pair<std::string, QByteArray>; // path, bytes

    // Opens the file as the configurator does; returns the reader's error text, empty when it was read.
    static std::string readConfiguration(const std::string& path,
                                         config_zelmar::Configuration& configuration);
    // The same, but a reader error is a CliError too.
    static void loadConfiguration(const std::string& path, config_zelmar::Configuration& configuration);
    // The document exactly as the configurator's Save writes it.
    static QByteArray configurationDocument(const config_zelmar::Configuration& configuration);

    // A raw memory image: a regular file of exactly `size` bytes, checked before reading; never more
    // than size + 1 bytes are read.
    static std::vector<uint8_t> readImage(const std::string& path, std::size_t size);

    // Writes all the files or none.
    static void writeFiles(const std::vector<OutputContent>& files);
    // Writes to the file atomically, or to standard output when the path is empty or "-".
    static void writeResult(const std::string& path, const QByteArray& content);
    static void writeStandardOutput(const QByteArray& content);
    static bool isStandardOutput(const std::string& path) { return path.empty() || path == "-"; }
};

} // namespace zelmar_cli
