#pragma once

#include <QString>

class QIODevice;

namespace config_zelmar {

class Configuration;

// The configuration file as a whole document, shared by every program that saves or opens one, so that
// they all write exactly the same bytes.
class ConfigurationDocument
{
public:
    // Files larger than this are refused before parsing.
    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;

    // XML declaration, a comment with the program title and version, the configuration element.
    // False when the device refused the data.
    static bool write(QIODevice& device, const Configuration& configuration);
    // Resets and parses the configuration; returns the reader's error text, empty when the file was read
    // without error. Never throws.
    static QString read(QIODevice& device, Configuration& configuration);
};

} // namespace config_zelmar
