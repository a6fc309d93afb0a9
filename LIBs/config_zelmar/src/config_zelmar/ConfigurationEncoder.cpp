#include "config_zelmar/ConfigurationEncoder.h"

#include "config_zelmar/Configuration.h"
#include "config_zelmar/ImageFields.h"
#include "config_zelmar/MemoryMap.h"
#include "config_zelmar/PanelDescription.h"

#include "boot_loader/MemoryImage.h"

#include <algorithm>

namespace config_zelmar {

namespace map = memory_map;
namespace facts = panel_description;
using image_fields::writeField;
using image_fields::writeLcdString;

namespace {

unsigned clamped(int32_t value, int32_t lowest, int32_t highest)
{
    return static_cast<unsigned>(std::clamp(value, lowest, highest));
}

uint8_t bcdHour(int32_t hour)
{
    if (hour < 0 || hour > facts::lastClockSyncHour) {
        return map::options::noClockSync;
    }
    return static_cast<uint8_t>(((hour / 10) << 4) | (hour % 10));
}

uint8_t passwordNibble(const std::string& digits, std::size_t index)
{
    return index < digits.size() ? static_cast<uint8_t>(digits[index] & 0x0F) : 0x0F;
}

} // namespace

ConfigurationEncoder::ConfigurationEncoder(boot_loader::MemoryImage& optionsImage,
                                           boot_loader::MemoryImage& configImage)
    : options(optionsImage), config(configImage)
{}

void ConfigurationEncoder::encode(const Configuration& configuration)
{
    encodeOptions(configuration);
    encodeSections(configuration);
    encodeCommands(configuration);
    encodeEventTables(configuration);
}

void ConfigurationEncoder::encodeOptions(const Configuration& configuration)
{
    namespace opt = map::options;
    writeField(options, opt::zummerConfig, configuration.zummerConfig & opt::zummerConfig.mask);
    writeField(options, opt::backlightLevel,
               clamped(configuration.backlightLevel, 0, facts::lastBacklightLevel));
    writeField(options, opt::backlightTime, clamped(configuration.backlightTime, 0, facts::lastByteValue));
    writeField(options, opt::messageTime, clamped(configuration.messageTime, 0, facts::lastByteValue));
    writeField(options, opt::menuTime, clamped(configuration.menuTime, 0, facts::lastByteValue));
    writeField(options, opt::clockSyncHour, bcdHour(configuration.clockSyncHour));
    encodePassword(configuration);
    writeField(options, opt::pultType, configuration.pultType() ? 1 : 0);
    writeField(options, opt::voltage, configuration.voltage ? 1 : 0);
    if (configuration.pultAddress >= 0 && configuration.pultAddress <= facts::lastPultAddress) {
        writeField(options, opt::pultAddress, static_cast<unsigned>(configuration.pultAddress));
    }
}

void ConfigurationEncoder::encodePassword(const Configuration& configuration)
{
    if (!configuration.hasPassword) {
        return; // the panel keeps its password
    }
    for (std::size_t i = 0; i < map::options::passwordLength; ++i) {
        const uint8_t high = passwordNibble(configuration.password, 2 * i);
        const uint8_t low = passwordNibble(configuration.password, 2 * i + 1);
        options.setByte(map::options::password + static_cast<uint32_t>(i),
                        static_cast<uint8_t>(high << 4 | low));
    }
}

void ConfigurationEncoder::encodeSections(const Configuration& configuration)
{
    poolCursor = map::namePool::base;
    if (configuration.pultType()) {
        encodeCentralConsole(configuration);
    } else {
        encodeSectionConsole(configuration);
    }
}

void ConfigurationEncoder::encodeSectionConsole(const Configuration& configuration)
{
    namespace idx = map::indexTables;
    const auto own = configuration.sections.find(0);
    for (int a = idx::firstDevice; a <= idx::lastDevice; ++a) {
        const map::BitField zone{map::options::perAddressBase + static_cast<uint32_t>(a),
                                 map::options::deviceZoneMask};
        const Device* device = nullptr;
        if (own != configuration.sections.end()) {
            const auto found = own->second.devices.find(a);
            device = found != own->second.devices.end() ? &found->second : nullptr;
        }
        if (!device) {
            writeField(options, zone, 0);
            config.setWord(idx::deviceWord(1, a), map::missingRecord);
            continue;
        }
        if (device->zone >= 0 && device->zone <= facts::lastZone) {
            writeField(options, zone, static_cast<unsigned>(device->zone));
        }
        config.setWord(idx::deviceWord(1, a), placeDeviceRecord(device->names.get()));
    }
    // The tables of consoles 2 to 24 are unused by a section console; word 0 of the first is not touched.
    config.setBytes(idx::secondTable, std::vector<uint8_t>(idx::end - idx::secondTable, 0xFF));
}

void ConfigurationEncoder::encodeCentralConsole(const Configuration& configuration)
{
    namespace idx = map::indexTables;
    writeField(options, map::options::individualReset, configuration.individualReset ? 1 : 0);
    for (int p = idx::firstConsole; p <= idx::lastConsole; ++p) {
        const auto found = configuration.sections.find(p);
        if (found != configuration.sections.end()) {
            encodeConsole(p, found->second);
            continue;
        }
        const map::BitField group{map::options::perAddressBase + static_cast<uint32_t>(p),
                                  map::options::consoleGroupMask};
        writeField(options, group, 0);
        config.setBytes(idx::tableOf(p), std::vector<uint8_t>(idx::tableSize, 0xFF));
    }
}

void ConfigurationEncoder::encodeConsole(int console, const Section& section)
{
    const uint32_t address = map::options::perAddressBase + static_cast<uint32_t>(console);
    if (section.group >= 0 && section.group <= facts::lastGroup) {
        writeField(options, {address, map::options::consoleGroupMask}, static_cast<unsigned>(section.group));
    }
    writeField(options, {address, map::options::consoleDublerMask}, section.dubler ? 1 : 0);
    encodeConsoleName(console, section);
    encodeConsoleDevices(console, section);
}

void ConfigurationEncoder::encodeConsoleName(int console, const Section& section)
{
    namespace rec = map::consoleRecord;
    const std::size_t size = section.dubler ? rec::sizeWithDubler : rec::sizeWithoutDubler;
    if (section.name.empty() || !recordFits(size)) {
        config.setWord(map::indexTables::consoleWord(console), map::missingRecord);
        return;
    }
    writeLcdString(config, section.name, poolCursor + rec::nameOffset, rec::nameWidth);
    if (section.dubler) {
        writeLcdString(config, section.dublerName, poolCursor + rec::dublerNameOffset, rec::nameWidth);
    }
    config.setWord(map::indexTables::consoleWord(console), static_cast<uint16_t>(poolCursor));
    poolCursor += static_cast<uint32_t>(size);
}

void ConfigurationEncoder::encodeConsoleDevices(int console, const Section& section)
{
    namespace idx = map::indexTables;
    for (int a = idx::firstDevice; a <= idx::lastDevice; ++a) {
        const auto found = section.devices.find(a);
        const DeviceNames* names = found != section.devices.end() ? found->second.names.get() : nullptr;
        config.setWord(idx::deviceWord(console, a), placeDeviceRecord(names));
    }
}

uint16_t ConfigurationEncoder::placeDeviceRecord(const DeviceNames* names)
{
    namespace rec = map::deviceRecord;
    if (!names || !recordFits(rec::size)) {
        return map::missingRecord;
    }
    const uint32_t at = poolCursor;
    config.setByte(at + rec::eventTableOffset, static_cast<uint8_t>(names->eventTable & rec::eventTableMask));
    config.setByte(at + rec::separatorOffset, rec::separator);
    writeLcdString(config, names->deviceName, at + rec::deviceNameOffset, rec::nameWidth);
    writeLcdString(config, names->outsName, at + rec::outsNameOffset, rec::nameWidth);
    writeLcdString(config, names->loop1Name, at + rec::loop1NameOffset, rec::nameWidth);
    writeLcdString(config, names->loop2Name, at + rec::loop2NameOffset, rec::nameWidth);
    writeLcdString(config, names->line3Name, at + rec::line3NameOffset, rec::nameWidth);
    writeLcdString(config, names->line4Name, at + rec::line4NameOffset, rec::nameWidth);
    poolCursor += static_cast<uint32_t>(rec::size);
    return static_cast<uint16_t>(at);
}

bool ConfigurationEncoder::recordFits(std::size_t size) const
{
    return poolCursor + size <= map::namePool::end;
}

void ConfigurationEncoder::encodeCommands(const Configuration& configuration)
{
    namespace cmd = map::commands;
    for (std::size_t slot = 0; slot < cmd::count; ++slot) {
        const uint32_t record = cmd::base + static_cast<uint32_t>(cmd::recordSize * slot);
        if (slot >= configuration.commands.size()) {
            config.setBytes(record, std::vector<uint8_t>(cmd::recordSize, cmd::emptyMarker));
            continue;
        }
        const Command& command = configuration.commands[slot];
        std::vector<uint8_t> data = command.data;
        data.resize(cmd::dataWidth, 0x00);
        writeLcdString(config, command.name, record + cmd::nameOffset, cmd::nameWidth);
        config.setByte(record + cmd::separatorOffset, cmd::separator);
        config.setBytes(record + cmd::dataOffset, data);
    }
}

void ConfigurationEncoder::encodeEventTables(const Configuration& configuration)
{
    namespace blk = map::eventBlocks;
    const EventTable defaultTable;
    for (std::size_t t = 0; t < blk::count; ++t) {
        const EventTable& table =
            t < configuration.eventTables.size() ? configuration.eventTables[t] : defaultTable;
        const uint32_t block = blk::blockOf(t);
        for (std::size_t slot = 0; slot < Event::count; ++slot) {
            writeLcdString(config, table.texts[slot], block + blk::textOffset(slot), blk::textWidth);
            const blk::FlagBit flag = blk::emergencyFlags[slot];
            config.setBit(block + flag.offset, flag.bit, table.emergency[slot]);
        }
        if (table.name.empty()) {
            config.setBytes(block + blk::nameOffset,
                            std::vector<uint8_t>(blk::nameWidth, blk::emptyNameMarker));
        } else {
            writeLcdString(config, table.name, block + blk::nameOffset, blk::nameWidth);
        }
    }
}

} // namespace config_zelmar
