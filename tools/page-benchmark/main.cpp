// Prints the time to open a configuration of 24 section consoles with 127 named devices each (3,048
// devices) and fill every table page, the time to refill the devices page after an edit, and the time
// to compare the configuration with its edited copy and to check what the panel will hold of it.
// Figures only: nothing here passes or fails.
#include "CommandsPageWidget.h"
#include "DevicesPageWidget.h"
#include "EventsPageWidget.h"
#include "PultsPageWidget.h"

#include <config_zelmar/Configuration.h>
#include <config_zelmar/ConfigurationCheck.h>
#include <config_zelmar/ConfigurationComparison.h>
#include <config_zelmar/ConfigurationDocument.h>
#include <config_zelmar/PanelDescription.h>

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QLineEdit>

#include <cstdio>
#include <memory>

using config_zelmar::Configuration;

namespace {

constexpr int sectionCount = config_zelmar::panel_description::consoleCount;
constexpr int devicesPerSection = config_zelmar::panel_description::deviceCount;
constexpr int rounds = 5;

std::u16string numbered(const char16_t* word, int section, int address)
{
    return word + QStringLiteral(" %1.%2").arg(section).arg(address).toStdU16String();
}

QByteArray largeConfigurationFile()
{
    Configuration configuration;
    configuration.setPultType(true);
    config_zelmar::EventTable doors;
    doors.name = u"Dveri";
    doors.texts[0] = u"ZAKPbITA";
    configuration.appendEventTable(doors);
    for (int section = 1; section <= sectionCount; ++section) {
        auto& pult = configuration.sections[section];
        pult.address = section;
        pult.name = numbered(u"Pult", section, 0);
        for (int address = 1; address <= devicesPerSection; ++address) {
            auto& device = pult.devices[address];
            device.address = address;
            device.names = std::make_shared<config_zelmar::DeviceNames>();
            device.names->eventTable = uint32_t(address % 2);
            device.names->deviceName = numbered(u"Device", section, address);
            device.names->outsName = numbered(u"Outs", section, address);
            device.names->loop1Name = numbered(u"Loop1", section, address);
            device.names->loop2Name = numbered(u"Loop2", section, address);
            device.names->line3Name = numbered(u"Line3", section, address);
            device.names->line4Name = numbered(u"Line4", section, address);
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    config_zelmar::ConfigurationDocument::write(buffer, configuration);
    return buffer.data();
}

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const QByteArray file = largeConfigurationFile();
    std::printf("file: %d bytes, %d named devices\n", int(file.size()), sectionCount * devicesPerSection);

    Configuration configuration;
    auto pults = std::make_unique<PultsPageWidget>(nullptr, &configuration);
    auto events = std::make_unique<EventsPageWidget>(nullptr, &configuration);
    auto devices = std::make_unique<DevicesPageWidget>(nullptr, events.get(), &configuration);
    auto commands = std::make_unique<CommandsPageWidget>(nullptr, &configuration);
    // The devices page is on screen, as when the technician works on it: layout and painting count too.
    devices->resize(1200, 700);
    devices->show();
    QApplication::processEvents();

    for (int round = 1; round <= rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        QBuffer buffer;
        buffer.setData(file);
        buffer.open(QIODevice::ReadOnly);
        const QString error = config_zelmar::ConfigurationDocument::read(buffer, configuration);
        const double readTime = milliseconds(timer);
        pults->loadTable();
        events->loadTable();
        devices->loadTable();
        commands->loadTable();
        QApplication::processEvents();
        const double openTime = milliseconds(timer);

        configuration.sections.at(7).devices.at(60).names->deviceName = u"Edited";
        timer.restart();
        devices->loadTable();
        QApplication::processEvents();
        const double refillTime = milliseconds(timer);

        Configuration edited = configuration;
        edited.sections.at(12).devices.at(90).names->loop2Name = u"Edited";
        timer.restart();
        const std::size_t differences = config_zelmar::compareConfigurations(configuration, edited).size();
        const double compareTime = milliseconds(timer);
        timer.restart();
        const std::size_t problems = config_zelmar::checkConfiguration(configuration).size();
        const double checkTime = milliseconds(timer);

        // Typing a name into the filter, then clearing it again.
        auto* filter = devices->findChild<QLineEdit*>(QStringLiteral("filter"));
        timer.restart();
        filter->setText(QStringLiteral("Edited"));
        QApplication::processEvents();
        const int shown = devices->shownRowCount();
        filter->clear();
        QApplication::processEvents();
        const double filterTime = milliseconds(timer);

        std::printf("round %d: read %.1f ms, open and fill every page %.1f ms (%d device rows), "
                    "refill devices page after an edit %.1f ms, compare %.1f ms (%zu differences), "
                    "check %.1f ms (%zu problems), filter and clear %.1f ms (%d shown)%s\n",
                    round, readTime, openTime, devices->rowCount(), refillTime, compareTime, differences,
                    checkTime, problems, filterTime, shown, error.isEmpty() ? "" : " (read error!)");
        std::fflush(stdout);
    }
    return 0;
}
