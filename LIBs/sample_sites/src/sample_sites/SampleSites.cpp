#include "sample_sites/SampleSites.h"

#include <memory>
#include <string>

using config_zelmar::Command;
using config_zelmar::Configuration;
using config_zelmar::Device;
using config_zelmar::DeviceNames;
using config_zelmar::Event;
using config_zelmar::EventTable;
using config_zelmar::Section;

namespace sample_sites {

namespace {

std::u16string numbered(const char16_t* word, int section, int address)
{
    const std::string number = " " + std::to_string(section) + "." + std::to_string(address);
    return word + std::u16string(number.begin(), number.end());
}

void addSampleConsoles(Configuration& configuration)
{
    const char16_t* consoleNames[] = {u"Склад", u"", u"Администрация"};
    for (int address = 1; address <= 3; ++address) {
        Section section;
        section.address = address;
        section.group = address;
        section.name = consoleNames[address - 1];
        section.dubler = address == 3;
        section.dublerName = section.dubler ? u"Проходная" : u"";
        configuration.sections[address] = section;
    }
}

void addSampleCommands(Configuration& configuration)
{
    Command reset(true);
    reset.name = u"Сброс всех пультов";
    reset.setConsoleAddress(0);
    reset.setConsoleReset(true);
    configuration.commands.push_back(reset);
    Command siren(true);
    siren.name = u"Сирена склада";
    siren.setConsoleAddress(1);
    siren.setDeviceAddress(17);
    siren.setOutputOn(1, true);
    siren.setOutputOn(2, true);
    configuration.commands.push_back(siren);
    Command continuation(true);
    continuation.name = Command::continuationName;
    continuation.setConsoleAddress(3);
    continuation.setGroupCommand(5, true);
    configuration.commands.push_back(continuation);
}

} // namespace

EventTable storeTable()
{
    EventTable table = Configuration::defaultEventTable;
    table.name = u"Склад";
    table.texts[Event::loop1Fire] = u"Возгорание";
    table.emergency[Event::loop1TakeOff] = true;
    return table;
}

Device namedDevice()
{
    Device device;
    device.address = 17;
    device.zone = 3;
    device.names = std::make_shared<DeviceNames>();
    device.names->eventTable = 1;
    device.names->deviceName = u"Склад готовой продук";
    device.names->outsName = u"Сирена и табло ВЫХОД";
    device.names->loop1Name = u"Дымовые извещатели";
    device.names->loop2Name = u"Ручные извещатели";
    device.names->line3Name = u"Дверь склада";
    device.names->line4Name = u"Окна первого этажа";
    return device;
}

Configuration sampleSite()
{
    Configuration configuration;
    configuration.setPultType(true);
    configuration.appendEventTable(storeTable());
    addSampleConsoles(configuration);
    Device device = namedDevice();
    configuration.sections[1].devices[device.address] = device;
    device.address = 18;
    device.names->deviceName = u"Котельная";
    device.names->eventTable = 0;
    configuration.sections[3].devices[device.address] = device;
    addSampleCommands(configuration);
    configuration.storePassword("4711");
    configuration.backlightTime = 45;
    return configuration;
}

Configuration largeSite()
{
    Configuration configuration;
    configuration.setPultType(true);
    EventTable doors;
    doors.name = u"Dveri";
    doors.texts[0] = u"ZAKPbITA";
    configuration.appendEventTable(doors);
    for (int section = 1; section <= largeSiteSections; ++section) {
        Section& pult = configuration.sections[section];
        pult.address = section;
        pult.name = numbered(u"Pult", section, 0);
        for (int address = 1; address <= largeSiteDevicesPerSection; ++address) {
            Device& device = pult.devices[address];
            device.address = address;
            device.names = std::make_shared<DeviceNames>();
            device.names->eventTable = uint32_t(address % 2);
            device.names->deviceName = numbered(u"Device", section, address);
            device.names->outsName = numbered(u"Outs", section, address);
            device.names->loop1Name = numbered(u"Loop1", section, address);
            device.names->loop2Name = numbered(u"Loop2", section, address);
            device.names->line3Name = numbered(u"Line3", section, address);
            device.names->line4Name = numbered(u"Line4", section, address);
        }
    }
    return configuration;
}

} // namespace sample_sites
