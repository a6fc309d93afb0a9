#pragma once

#include "config_zelmar/Event.h"
#include "config_zelmar/PanelDescription.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Where every item of the configuration lives in the panel's two memories. The encoder and the decoder
// both walk these definitions; bytes and bits that the configurator must keep as the panel holds them
// are named here too, so that none of them looks forgotten.
namespace config_zelmar::memory_map {

namespace facts = panel_description;

// Some bits of one byte. Writing a field changes only its bits; the other bits keep the image's value.
struct BitField
{
    uint32_t address;
    uint8_t mask;
};

// A run of bytes kept exactly as the panel holds them: never written, never read.
struct ByteRange
{
    uint32_t address;
    std::size_t length;
};

constexpr uint16_t missingRecord = 0xFFFF;
constexpr std::size_t pageSize = facts::pageSize;

// ---- Option page: memory 1, 0x00-0xFF -------------------------------------------------------------
namespace options {
constexpr int32_t memory = 1;
constexpr uint32_t base = 0x0000;
constexpr std::size_t pageCount = 1;

constexpr uint32_t lastWriteDay = 0x00;
constexpr uint32_t lastWriteMonth = 0x01;
constexpr uint32_t lastWriteYear = 0x02; // year minus 2000; 0xFF counts as later than any date
constexpr uint32_t writeCounter = 0x03;  // stops at 0xFF
constexpr std::size_t stampLength = 4;   // day, month, year, counter
constexpr uint32_t firmwareCode = facts::firmwareCodeAddress; // low nibble: major version
constexpr uint8_t expectedFirmwareCode = facts::firmwareCode;
constexpr uint32_t firmwareMinorAndBuild = 0x05; // high nibble minor, low nibble build

constexpr BitField zummerConfig{0x06, 0xBF}; // bit 6 preserved on writing, whole byte on reading
constexpr BitField backlightLevel{0x07, 0x03};
constexpr BitField backlightTime{0x08, 0xFF};
constexpr BitField messageTime{0x09, 0xFF};
constexpr BitField menuTime{0x0A, 0xFF};
constexpr BitField clockSyncHour{0x0C, 0xFF}; // BCD 0x00..0x23
constexpr uint8_t noClockSync = 0xFF;
constexpr BitField pultType{0x0F, 0x01};
constexpr BitField voltage{0x0F, 0x04};
constexpr BitField individualReset{0x0F, 0x08}; // central console only
constexpr BitField pultAddress{0x10, 0x1F};

// One byte per bus address a = 1..127 at perAddressBase + a.
constexpr uint32_t perAddressBase = 0x10;
constexpr uint8_t deviceZoneMask = 0x0F;   // section console: zone of device a, 0 = no device
constexpr uint8_t consoleGroupMask = 0x07; // central console: group of console p, 0 = no console
constexpr uint8_t consoleDublerMask = 0x08;

constexpr uint32_t password = 0x90; // two digits per byte, 0xF for a missing digit
constexpr std::size_t passwordLength = 4;

// Bits the encoder never changes inside the bytes it writes.
constexpr std::array<BitField, 4> preservedBits{{
    {0x06, 0x40}, {0x07, 0xFC}, {0x0F, 0xF2}, {0x10, 0xE0},
    // high nibbles of the per-address bytes 0x11..0x8F are preserved as well
}};
constexpr uint8_t perAddressPreservedMask = 0xF0;
// Bytes the configurator neither writes nor reads.
constexpr std::array<ByteRange, 3> untouched{{{0x0B, 1}, {0x0D, 2}, {0x94, 0x6C}}};
} // namespace options

// ---- Configuration area: memory 0, 0x3E00-0xFBFF -----------------------------------------------------
namespace configuration {
constexpr int32_t memory = 0;
constexpr uint32_t base = 0x3E00;
constexpr std::size_t pageCount = 190;
} // namespace configuration

// Command records, 28 bytes each: name, a zero byte, the 8 data bytes. An empty slot is all 0xFF, and
// a record starting with 0xFF ends the list.
namespace commands {
constexpr uint32_t base = 0x3E00;
constexpr uint32_t end = 0x4500;
constexpr std::size_t recordSize = 28;
constexpr std::size_t count = facts::maxCommands;
constexpr std::size_t nameOffset = 0;
constexpr std::size_t nameWidth = facts::commandNameWidth;
constexpr std::size_t separatorOffset = 19;
constexpr uint8_t separator = 0x00;
constexpr std::size_t dataOffset = 20;
constexpr std::size_t dataWidth = facts::commandDataBytes;
constexpr uint8_t emptyMarker = 0xFF;
} // namespace commands

// The name pool: console and device name records, packed from its start in the order of encoding.
namespace namePool {
constexpr uint32_t base = facts::namePoolBase;
constexpr uint32_t end = facts::namePoolEnd; // a record must end at or below
} // namespace namePool

// Device name record: event table index, a zero byte, six names of 20 characters.
namespace deviceRecord {
constexpr std::size_t size = facts::deviceRecordSize;
constexpr std::size_t eventTableOffset = 0;
constexpr uint8_t eventTableMask = 0x0F;
constexpr std::size_t separatorOffset = 1;
constexpr uint8_t separator = 0x00;
constexpr std::size_t nameWidth = facts::deviceNameWidth;
constexpr std::size_t deviceNameOffset = 2;
constexpr std::size_t outsNameOffset = 22;
constexpr std::size_t loop1NameOffset = 42;
constexpr std::size_t loop2NameOffset = 62;
constexpr std::size_t line3NameOffset = 82;
constexpr std::size_t line4NameOffset = 102;
} // namespace deviceRecord

// Console name record (central console only): the name, then the duplicate console's name when the
// console has one.
namespace consoleRecord {
constexpr std::size_t nameWidth = facts::consoleNameWidth;
constexpr std::size_t nameOffset = 0;
constexpr std::size_t dublerNameOffset = nameWidth;
constexpr std::size_t sizeWithoutDubler = facts::consoleRecordSize;
constexpr std::size_t sizeWithDubler = facts::consoleWithDublerRecordSize;
} // namespace consoleRecord

// Index tables of 128 little-endian words: word 0 the console's name record, word a the record of
// device a. Console p (1..24) has its table at tableBase + 256 * p; a section console uses only the
// first table (that of console 1) for its own devices.
namespace indexTables {
constexpr uint32_t tableBase = 0xD300;
constexpr uint32_t secondTable = 0xD500;
constexpr uint32_t end = 0xEC00;
constexpr std::size_t tableSize = 256;
constexpr std::size_t wordSize = 2;
constexpr int firstConsole = facts::firstConsole;
constexpr int lastConsole = facts::lastConsole;
constexpr int firstDevice = facts::firstDevice;
constexpr int lastDevice = facts::lastDevice;

constexpr uint32_t tableOf(int console)
{
    return tableBase + static_cast<uint32_t>(tableSize * console);
}
constexpr uint32_t consoleWord(int console)
{
    return tableOf(console);
}
constexpr uint32_t deviceWord(int console, int device)
{
    return tableOf(console) + static_cast<uint32_t>(wordSize * device);
}
} // namespace indexTables

// Event table blocks of 256 bytes: 24 texts of 10 characters, the emergency flags, one untouched byte,
// the table name.
namespace eventBlocks {
constexpr uint32_t base = 0xEC00;
constexpr std::size_t blockSize = 256;
constexpr std::size_t count = facts::maxEventTables;
constexpr std::size_t textWidth = facts::eventTextWidth;
constexpr std::size_t untouchedOffset = 0xF5;
constexpr std::size_t nameOffset = 0xF6;
constexpr std::size_t nameWidth = facts::tableNameWidth;
constexpr uint8_t emptyNameMarker = 0xFF;

constexpr uint32_t blockOf(std::size_t table)
{
    return base + static_cast<uint32_t>(blockSize * table);
}
constexpr std::size_t textOffset(std::size_t slot)
{
    return textWidth * slot;
}

// Where the emergency flag of each event lives: byte offset in the block and bit number.
struct FlagBit
{
    std::size_t offset;
    unsigned bit;
};
constexpr std::array<FlagBit, Event::count> emergencyFlags{{
    {0xF0, 0}, {0xF0, 1}, {0xF0, 2}, {0xF0, 3}, {0xF0, 4}, {0xF0, 5}, {0xF0, 6}, {0xF0, 7}, // loop 1
    {0xF1, 0}, {0xF1, 1}, {0xF1, 2}, {0xF1, 3}, {0xF1, 4}, {0xF1, 5}, {0xF1, 6}, {0xF1, 7}, // loop 2
    {0xF2, 0}, {0xF2, 1}, {0xF2, 7},                                                        // line 3
    {0xF3, 0}, {0xF3, 1}, {0xF3, 7},                                                        // line 4
    {0xF4, 0}, {0xF4, 1},                                                                   // tamper, outs
}};
// Bits of the flag bytes that belong to no event and are preserved.
constexpr std::array<BitField, 3> preservedFlagBits{{{0xF2, 0x7C}, {0xF3, 0x7C}, {0xF4, 0xFC}}};
} // namespace eventBlocks

// The panel's checksum ranges that tell whether the images still describe the panel.
namespace checksums {
constexpr uint16_t optionsLength = 0x100;
constexpr uint16_t configurationLength = 0xBE00;
} // namespace checksums

} // namespace config_zelmar::memory_map
