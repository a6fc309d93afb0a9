#pragma once

#include <QString>

class QIODevice;

namespace config_zelmar {

class Configuration;

// What reading a configuration file gave: the caller decides from it whether the configuration it read
// may replace the one the user is working on.
struct DocumentReadResult
{
    enum class Status
    {
        ok,
        formatError, // the reader's error: not XML, not a configuration, damaged or truncated
        tooLarge     // refused before parsing
    };

    Status status = Status::ok;
    // Empty when the file was read without error; otherwise the reader's text ("Файл слишком велик." for
    // a file over the limit).
    QString message;
    // Where the reader stopped, for a format error; 0 when unknown.
    qint64 line = 0;
    qint64 column = 0;
    // A format error after part of the configuration had been read: the configuration holds what the
    // reader got before the error.
    bool partial = false;

    bool ok() const { return status == Status::ok; }
    // The message with the line and column of a format error, for the user.
    QString detailedMessage() const;
};

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
    // Writes the file beside the old one and renames it over it: a failure leaves the old file intact.
    static bool save(const QString& path, const Configuration& configuration);
    // Resets and parses the configuration. Never throws.
    static DocumentReadResult readDocument(QIODevice& device, Configuration& configuration);
    // The same, giving only the reader's error text, empty when the file was read without error.
    static QString read(QIODevice& device, Configuration& configuration);
};

} // namespace config_zelmar
