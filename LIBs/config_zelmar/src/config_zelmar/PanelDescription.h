#pragma once

#include <cstddef>
#include <cstdint>

// What the Zelmar panel can hold and how it identifies itself: its capacities, the widths of its name
// fields, the bounds of its name pool and the identity the transfer expects. The model, the encoder and
// decoder (through the memory map), the transfer, the pages, the dialogs and the command-line tool all
// read these facts from here.
namespace config_zelmar::panel_description {

// ---- Capacities ----
constexpr int firstConsole = 1; // section consoles of a central console
constexpr int lastConsole = 24;
constexpr int consoleCount = lastConsole - firstConsole + 1;
constexpr int firstDevice = 1; // bus addresses of devices
constexpr int lastDevice = 127;
constexpr int deviceCount = lastDevice - firstDevice + 1;
constexpr std::size_t maxCommands = 64;
constexpr std::size_t maxEventTables = 16;
constexpr std::size_t commandDataBytes = 8;

// ---- Option ranges the panel stores ----
constexpr int lastPultAddress = 24;   // own console address 0..24; a larger one is not stored
constexpr int lastZone = 15;          // zone nibble; 0 means "no device at this address"
constexpr int firstGroup = 1;         // groups A..G as the user picks them
constexpr int lastGroup = 7;          // group bits; 0 means "no console at this address"
constexpr int lastBacklightLevel = 3; // two bits
constexpr int lastByteValue = 255;    // the times stored as one byte
constexpr int lastClockSyncHour = 23; // any other hour: no synchronisation
constexpr int noClockSyncHour = 255;  // what the model holds for "no synchronisation"
constexpr std::size_t passwordDigits = 8;

// ---- Name fields, in LCD characters ----
constexpr std::size_t consoleNameWidth = 20; // console name and duplicate console name
constexpr std::size_t deviceNameWidth = 20;  // each of the six names of a device
constexpr std::size_t commandNameWidth = 19;
constexpr std::size_t eventTextWidth = 10;
constexpr std::size_t tableNameWidth = 10;

// ---- The name pool: console and device name records, packed in the order of encoding ----
constexpr uint32_t namePoolBase = 0x4500;
constexpr uint32_t namePoolEnd = 0xD400; // a record must end at or below
constexpr std::size_t namePoolSize = namePoolEnd - namePoolBase;
constexpr std::size_t deviceRecordSize = 2 + 6 * deviceNameWidth;
constexpr std::size_t consoleRecordSize = consoleNameWidth;
constexpr std::size_t consoleWithDublerRecordSize = 2 * consoleNameWidth;
constexpr std::size_t maxDeviceRecords = namePoolSize / deviceRecordSize;

// The user interface counts the pool as whole device records only, which is a little stricter than the
// pool itself: what the devices page admits always fits.
constexpr std::size_t namedDeviceBudget = maxDeviceRecords * deviceRecordSize;

// ---- Identity the transfer expects ----
constexpr uint8_t loaderVersion = 0x12;
constexpr const char* deviceName = "Z-ZL3";
constexpr uint16_t pageSize = 256;
constexpr uint32_t firmwareCodeAddress = 0x04; // in the option page
constexpr uint8_t firmwareCode = 0xB2;
constexpr uint32_t normalBaudRate = 19200;
constexpr uint32_t raisedBaudRate = 345600;
constexpr uint8_t normalSpeedDivisor = 35;
constexpr uint8_t raisedSpeedDivisor = 1;

static_assert(namePoolSize == 36608, "0x4500..0xD3FF");
static_assert(deviceRecordSize == 122 && maxDeviceRecords == 300 && namedDeviceBudget == 36600);

} // namespace config_zelmar::panel_description
