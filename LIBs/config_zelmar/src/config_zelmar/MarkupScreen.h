#pragma once

#include <QString>

namespace config_zelmar {

// Looks over the text of a configuration file, in one linear pass, for markup the XML reader must never
// parse: a document type declaration (where entities that expand without bound are declared) and start
// tags with more attributes than any element of the file has (the reader's check for repeated attributes
// takes time that grows with the square of their number).
class MarkupScreen
{
public:
    static constexpr int maxAttributes = 32;

    struct Finding
    {
        // Empty when nothing was found; otherwise the format error for the user.
        QString message;
        // Where the offending markup starts, counted from 1.
        qint64 line = 0;
        qint64 column = 0;

        bool found() const { return !message.isEmpty(); }
    };

    static Finding screen(const QString& text);

private:
    static int skipPast(const QString& text, int from, const char* terminator);
    // From just after the "<" of a start tag to just after its ">"; counts the attributes on the way.
    static int skipStartTag(const QString& text, int from, int& attributes);
    static Finding findingAt(const QString& text, int offset, const QString& message);
};

} // namespace config_zelmar
