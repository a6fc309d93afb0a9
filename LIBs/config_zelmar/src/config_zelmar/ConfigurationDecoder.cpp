#include "config_zelmar/ConfigurationDecoder.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ImageFields.h"
#include "config_zelmar/MemoryMap.h"
#include "config_zelmar/PanelDescription.h"
#include "config_zelmar/PanelTexts.h"

#include "boot_loader/MemoryImage.h"

namespace config_zelmar {

namespace map = memory_map;
using image_fields::readField;
using image_fields::readLcdString;

namespace {

int hourOfBcd(unsigned bcd)
{
    if (bcd > 0x23 || (bcd & 0x0F) > 9) {
        return panel_description::noClockSyncHour; // also 0xFF, the marker of no synchronisation
    }
    return static_cast<int>((bcd >> 4) * 10 + (bcd & 0x0F));
}

map::BitField perAddressField(int address, uint8_t mask)
{
    return {map::options::perAddressBase + static_cast<uint32_t>(address), mask};
}

} // namespace

ConfigurationDecoder::ConfigurationDecoder(const boot_loader::MemoryImage& optionsImage,
                                           const boot_loader::MemoryImage& configImage)
    : options(optionsImage), config(configImage)
{}

void ConfigurationDecoder::replaceContent(Configuration& configuration) const
{
    configuration.resetToDefaults();
    configuration.lastWriteDate = panel_texts::lastWriteDate(options);
    configuration.writeCounter = panel_texts::writeCounter(options);
    configuration.firmwareVersion = panel_texts::firmwareVersion(options);
    decode(configuration);
    configuration.rebuildEventTables();
}

void ConfigurationDecoder::decode(Configuration& configuration) const
{
    decodeOptions(configuration);
    if (configuration.pultType()) {
        decodeCentralConsole(configuration);
    } else {
        decodeSectionConsole(configuration);
    }
    decodeCommands(configuration);
    decodeEventTables(configuration);
    // The panel never tells its password: a later write keeps the one it holds.
    configuration.clearPassword();
}

void ConfigurationDecoder::decodeOptions(Configuration& configuration) const
{
    namespace opt = map::options;
    configuration.zummerConfig = options.getByte(opt::zummerConfig.address); // the whole byte
    configuration.backlightLevel = static_cast<int32_t>(readField(options, opt::backlightLevel));
    configuration.backlightTime = static_cast<int32_t>(readField(options, opt::backlightTime));
    configuration.messageTime = static_cast<int32_t>(readField(options, opt::messageTime));
    configuration.menuTime = static_cast<int32_t>(readField(options, opt::menuTime));
    configuration.clockSyncHour = hourOfBcd(readField(options, opt::clockSyncHour));
    configuration.setPultType(readField(options, opt::pultType) != 0);
    configuration.voltage = readField(options, opt::voltage) != 0;
    configuration.pultAddress = static_cast<int32_t>(readField(options, opt::pultAddress));
}

void ConfigurationDecoder::decodeSectionConsole(Configuration& configuration) const
{
    namespace idx = map::indexTables;
    Section& own = configuration.sections[0];
    for (int a = idx::firstDevice; a <= idx::lastDevice; ++a) {
        const unsigned zone = readField(options, perAddressField(a, map::options::deviceZoneMask));
        if (zone == 0) {
            continue;
        }
        Device device;
        device.address = a;
        device.zone = static_cast<int>(zone);
        const uint16_t record = config.getWord(idx::deviceWord(1, a));
        if (record != map::missingRecord) {
            device.names = readDeviceRecord(record);
        }
        own.devices[a] = device;
    }
}

void ConfigurationDecoder::decodeCentralConsole(Configuration& configuration) const
{
    namespace idx = map::indexTables;
    configuration.individualReset = readField(options, map::options::individualReset) != 0;
    configuration.sections.clear();
    for (int p = idx::firstConsole; p <= idx::lastConsole; ++p) {
        const unsigned group = readField(options, perAddressField(p, map::options::consoleGroupMask));
        if (group == 0) {
            continue;
        }
        Section& section = configuration.sections[p];
        section.address = p;
        section.group = static_cast<int>(group);
        section.dubler = readField(options, perAddressField(p, map::options::consoleDublerMask)) != 0;
        decodeConsoleNames(p, section);
        decodeConsoleDevices(p, section);
    }
}

void ConfigurationDecoder::decodeConsoleNames(int console, Section& section) const
{
    namespace rec = map::consoleRecord;
    const uint16_t record = config.getWord(map::indexTables::consoleWord(console));
    if (record == map::missingRecord) {
        return;
    }
    section.name = readLcdString(config, record + rec::nameOffset, rec::nameWidth);
    if (section.dubler) {
        section.dublerName = readLcdString(config, record + rec::dublerNameOffset, rec::nameWidth);
    }
}

void ConfigurationDecoder::decodeConsoleDevices(int console, Section& section) const
{
    namespace idx = map::indexTables;
    for (int a = idx::firstDevice; a <= idx::lastDevice; ++a) {
        const uint16_t record = config.getWord(idx::deviceWord(console, a));
        if (record == map::missingRecord) {
            continue;
        }
        Device device;
        device.address = a;
        device.names = readDeviceRecord(record);
        section.devices[a] = device;
    }
}

std::shared_ptr<DeviceNames> ConfigurationDecoder::readDeviceRecord(uint32_t address) const
{
    namespace rec = map::deviceRecord;
    auto names = std::make_shared<DeviceNames>();
    // Only the low four bits are a table position the panel can hold (0..15); taking the whole byte
    // would let a stray high bit point the device at a table that does not exist.
    names->eventTable = config.getByte(address + rec::eventTableOffset) & rec::eventTableMask;
    names->deviceName = readLcdString(config, address + rec::deviceNameOffset, rec::nameWidth);
    names->outsName = readLcdString(config, address + rec::outsNameOffset, rec::nameWidth);
    names->loop1Name = readLcdString(config, address + rec::loop1NameOffset, rec::nameWidth);
    names->loop2Name = readLcdString(config, address + rec::loop2NameOffset, rec::nameWidth);
    names->line3Name = readLcdString(config, address + rec::line3NameOffset, rec::nameWidth);
    names->line4Name = readLcdString(config, address + rec::line4NameOffset, rec::nameWidth);
    return names;
}

void ConfigurationDecoder::decodeCommands(Configuration& configuration) const
{
    namespace cmd = map::commands;
    configuration.commands.clear();
    for (uint32_t record = cmd::base; record + cmd::recordSize <= cmd::end; record += cmd::recordSize) {
        if (config.getByte(record) == cmd::emptyMarker) {
            break;
        }
        Command command(configuration.pultType(), config.getBytes(record + cmd::dataOffset, cmd::dataWidth));
        command.name = readLcdString(config, record + cmd::nameOffset, cmd::nameWidth);
        configuration.commands.push_back(command);
    }
}

void ConfigurationDecoder::decodeEventTables(Configuration& configuration) const
{
    namespace blk = map::eventBlocks;
    configuration.eventTables.clear();
    for (std::size_t t = 0; t < blk::count; ++t) {
        const uint32_t block = blk::blockOf(t);
        EventTable table;
        if (config.getByte(block + blk::nameOffset) != blk::emptyNameMarker) {
            table.name = readLcdString(config, block + blk::nameOffset, blk::nameWidth);
        }
        for (std::size_t slot = 0; slot < Event::count; ++slot) {
            table.texts[slot] = readLcdString(config, block + blk::textOffset(slot), blk::textWidth);
            const blk::FlagBit flag = blk::emergencyFlags[slot];
            table.emergency[slot] = config.getBit(block + flag.offset, flag.bit);
        }
        configuration.eventTables.push_back(table);
    }
}

} // namespace config_zelmar
