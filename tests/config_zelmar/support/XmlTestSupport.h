#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>
#include <string>

// Readable QString values in test failures.
void PrintTo(const QString& text, std::ostream* os);

namespace config_zelmar {
class Configuration;
}

namespace xml_test {

// The document bytes exactly as a saved file holds them.
QByteArray saveToBytes(const config_zelmar::Configuration& configuration);
// Parses the bytes as an opened file; returns the reader's error text (empty when fine).
QString openFromBytes(const QByteArray& bytes, config_zelmar::Configuration& configuration);
// A configuration document with the given children inside a valid configuration element.
QByteArray documentWith(const std::string& children);

} // namespace xml_test
