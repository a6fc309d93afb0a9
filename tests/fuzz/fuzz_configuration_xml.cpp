// Reads arbitrary bytes as a configuration file. Whatever the reader accepts without error must survive
// a save and a second read unchanged, and saving again must give the same bytes: a difference is a
// round-trip fault and aborts.

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ConfigurationDocument.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QString readDocument(const QByteArray& bytes, config_zelmar::Configuration& configuration)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return config_zelmar::ConfigurationDocument::read(buffer, configuration);
}

[[noreturn]] void roundTripFault(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "configuration round trip: %s %s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    config_zelmar::Configuration first;
    if (!readDocument(input, first).isEmpty()) {
        return 0;
    }

    QByteArray saved;
    QBuffer output(&saved);
    output.open(QIODevice::WriteOnly);
    if (!config_zelmar::ConfigurationDocument::write(output, first)) {
        roundTripFault("the write into memory failed");
    }

    config_zelmar::Configuration second;
    const QString error = readDocument(saved, second);
    if (!error.isEmpty()) {
        roundTripFault("the saved file does not read back:", error);
    }
    if (!config_zelmar::sameContent(first, second)) {
        roundTripFault("the saved file reads back different");
    }
    QByteArray savedAgain;
    QBuffer again(&savedAgain);
    again.open(QIODevice::WriteOnly);
    if (!config_zelmar::ConfigurationDocument::write(again, second) || savedAgain != saved) {
        roundTripFault("saving the reread file gives other bytes");
    }
    return 0;
}
