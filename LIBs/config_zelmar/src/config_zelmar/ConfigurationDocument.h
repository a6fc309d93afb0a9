#pragma once

#include <QString>

class QIODevice;
class QXmlStreamReader;

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
    // Files larger than this are refused before parsing. A configuration with every section console,
    // device, name, command and event table filled takes about 1.4 MB.
    static constexpr qint64 maxFileSize = 4 * 1024 * 1024;

    // XML declaration, a comment with the program title and version, the configuration element.
    // False when the device refused the data.
    static bool write(QIODevice& device, const Configuration& configuration);
    // Writes the file beside the old one and renames it over it: a failure leaves the old file intact.
    static bool save(const QString& path, const Configuration& configuration);
    // Resets and parses the configuration. Never throws: a failure of any kind, running out of memory
    // included, is a result that is not ok. A file with a document type declaration, or with a start tag
    // of more attributes than MarkupScreen allows, is refused before parsing, the configuration then at
    // its defaults.
    static DocumentReadResult readDocument(QIODevice& device, Configuration& configuration);
    // The same, giving only the reader's error text, empty when the file was read without error.
    static QString read(QIODevice& device, Configuration& configuration);

private:
    static DocumentReadResult readWithinLimits(QIODevice& device, Configuration& configuration);
    static DocumentReadResult parsed(const QXmlStreamReader& reader, const Configuration& configuration);
    static DocumentReadResult refused(Configuration& configuration, DocumentReadResult::Status status,
                                      const QString& message);
};

} // namespace config_zelmar
