// Prints, for the largest real configuration and for hostile files that fill the size limit, how long
// reading takes, what the reader made of the file and the peak memory of the reading process. Each case
// runs in a child process of its own, so that one case's peak does not hide another's. Figures only:
// nothing here passes or fails.
#include <config_zelmar/Configuration.h>
#include <config_zelmar/ConfigurationDocument.h>

#include <QBuffer>
#include <QElapsedTimer>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using config_zelmar::Configuration;
using config_zelmar::ConfigurationDocument;
using config_zelmar::DocumentReadResult;

namespace {

// Hostile files stop this much short of the limit, so that the reader parses them instead of refusing
// their size.
constexpr int fill = int(ConfigurationDocument::maxFileSize) - 4096;

std::u16string twenty(const char16_t* word, int a, int b)
{
    const QString text = QString::fromStdU16String(word) + QStringLiteral(" %1.%2").arg(a).arg(b);
    return text.leftJustified(20, QLatin1Char('x'), true).toStdU16String();
}

QByteArray saved(const Configuration& configuration)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ConfigurationDocument::write(buffer, configuration);
    return buffer.data();
}

void addFullSections(Configuration& configuration)
{
    for (int address = 1; address <= 24; ++address) {
        auto& section = configuration.sections[address];
        section.address = address;
        section.dubler = true;
        section.name = twenty(u"Pult", address, 0);
        section.dublerName = twenty(u"Dubler", address, 0);
        for (int bus = 1; bus <= 127; ++bus) {
            auto& device = section.devices[bus];
            device.address = bus;
            device.names = std::make_shared<config_zelmar::DeviceNames>();
            device.names->eventTable = uint32_t(bus % 16);
            for (std::u16string* name :
                 {&device.names->deviceName, &device.names->outsName, &device.names->loop1Name,
                  &device.names->loop2Name, &device.names->line3Name, &device.names->line4Name}) {
                *name = twenty(u"Name", address, bus);
            }
        }
    }
}

// Every section console, device, name, command and event table filled.
QByteArray fullConfiguration()
{
    Configuration configuration;
    configuration.setPultType(true);
    configuration.storePassword("12345678");
    addFullSections(configuration);
    for (int i = 0; i < 64; ++i) {
        configuration.commands.emplace_back(true, std::vector<uint8_t>(8, 0x5A));
        configuration.commands.back().name = twenty(u"Command", i, 0).substr(0, 19);
    }
    for (int table = 1; table < 16; ++table) {
        config_zelmar::EventTable events;
        events.name = twenty(u"Table", table, 0).substr(0, 10);
        for (std::size_t slot = 0; slot < events.texts.size(); ++slot) {
            events.texts[slot] = twenty(u"Ev", table, int(slot)).substr(0, 10);
            events.emergency[slot] = !events.emergency[slot];
        }
        configuration.appendEventTable(events);
    }
    return saved(configuration);
}

QByteArray document(const QByteArray& children, const QByteArray& prolog = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + prolog +
           "<configuration deviceId=\"Zelmar\" version=\"2\">\n<pultType>1</pultType>\n" + children +
           "</configuration>\n";
}

QByteArray repeated(const QByteArray& unit, int bytes)
{
    QByteArray result;
    result.reserve(bytes + unit.size());
    while (result.size() + unit.size() <= bytes) {
        result += unit;
    }
    return result;
}

QByteArray entityFile()
{
    return document("<section address=\"1\"><name>" + repeated("&e;", fill - 4200) + "</name></section>\n",
                    "<!DOCTYPE configuration [<!ENTITY e \"" + QByteArray(4000, 'x') + "\">]>\n");
}

QByteArray attributes(int count)
{
    QByteArray tag = "<unknown";
    for (int i = 0; i < count; ++i) {
        tag += " a" + QByteArray::number(i) + "=\"\"";
    }
    return tag + "/>\n";
}

QByteArray nested(const QByteArray& open, const QByteArray& close, int bytes)
{
    const int depth = bytes / (open.size() + close.size());
    return repeated(open, depth * open.size()) + repeated(close, depth * close.size());
}

QByteArray numberedSections()
{
    QByteArray sections;
    for (int address = 1; sections.size() < fill - 64; ++address) {
        sections += "<section address=\"" + QByteArray::number(address) + "\"/>";
    }
    return document(sections);
}

struct Case
{
    const char* name;
    std::function<QByteArray()> make;
};

const std::vector<Case>& cases()
{
    static const std::vector<Case> all{
        {"full configuration", fullConfiguration},
        {"DOCTYPE, one entity used ~1.4M times", entityFile},
        {"one tag, as many attributes as fit", [] { return document(attributes(fill / 12)); }},
        {"tags of 32 attributes", [] { return document(repeated(attributes(32), fill)); }},
        {"one name filling the file",
         [] {
             return document("<section address=\"1\"><name>" + QByteArray(fill, 'n') + "</name></section>");
         }},
        {"&amp; filling a name",
         [] {
             return document("<section address=\"1\"><name>" + repeated("&amp;", fill) + "</name></section>");
         }},
        {"&#13; filling a name",
         [] {
             return document("<section address=\"1\"><name>" + repeated("&#13;", fill) + "</name></section>");
         }},
        {"nesting of unknown elements", [] { return document(nested("<a>", "</a>", fill)); }},
        {"nesting of prefixed elements",
         [] { return document(nested("<p:a xmlns:p=\"u\">", "</p:a>", fill)); }},
        {"prefix declared once, used deep",
         [] { return document("<p:r xmlns:p=\"u\">" + nested("<p:a>", "</p:a>", fill - 32) + "</p:r>"); }},
        {"comments", [] { return document(repeated("<!-- c -->", fill)); }},
        {"empty unknown elements", [] { return document(repeated("<x/>", fill)); }},
        {"sections with distinct addresses", numberedSections},
        {"devices of one section",
         [] {
             QByteArray devices = "<section address=\"1\">";
             for (int bus = 1; devices.size() < fill - 64; ++bus) {
                 devices += "<device address=\"" + QByteArray::number(bus) + "\"/>";
             }
             return document(devices + "</section>");
         }},
    };
    return all;
}

const char* statusName(DocumentReadResult::Status status)
{
    switch (status) {
    case DocumentReadResult::Status::ok:
        return "read";
    case DocumentReadResult::Status::formatError:
        return "format error";
    case DocumentReadResult::Status::tooLarge:
        return "too large";
    }
    return "?";
}

void runCase(const Case& item)
{
    QByteArray bytes = item.make();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Configuration configuration;
    QElapsedTimer timer;
    timer.start();
    const DocumentReadResult result = ConfigurationDocument::readDocument(buffer, configuration);
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%-38s %8d bytes %9.1f ms  %-12s %s", item.name, int(bytes.size()), elapsed,
                statusName(result.status), qPrintable(result.message.left(60)));
    std::fflush(stdout);
}

} // namespace

int main()
{
    for (const Case& item : cases()) {
        std::fflush(stdout); // or the child would print the parent's buffered lines again
        const pid_t child = fork();
        if (child == 0) {
            runCase(item);
            _exit(0);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        std::printf("  (peak %ld MB)\n", usage.ru_maxrss / 1024);
    }
    return 0;
}
