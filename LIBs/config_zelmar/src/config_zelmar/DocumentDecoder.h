#pragma once

#include <QString>

class QByteArray;

namespace config_zelmar {

// The bytes of a configuration file as the text the XML reader is given. The encoding is found as an XML
// reader finds it: a byte order mark, else the encoding named in the XML declaration, else UTF-8.
// Decoding here, once, lets the markup be looked over before the reader parses any of it.
class DocumentDecoder
{
public:
    struct Result
    {
        QString text;
        // Empty when the bytes decoded; otherwise the format error for the user.
        QString error;
    };

    static Result decode(const QByteArray& bytes);

private:
    static QString declaredEncoding(const QByteArray& bytes);
};

} // namespace config_zelmar
